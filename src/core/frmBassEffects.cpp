// The equalizer and the reverb of the playing channel, from the main window's
// eleven vertical sliders (0 at the top is the most).
#include "controls/ctlScrollbar.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/audio/Bass.h"
#include "platform/ui/RuntimeError.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "windows/Main.h"

namespace {

constexpr int kReverb = 10;

// 0 at the top of the slider to 20 at the bottom.
int level(const ctlScrollbar& slider) {
    return shared::CInt(slider.value() / 5);
}

}  // namespace

// Switched off, every band is flat and the reverb mixes in as at the
// sliders' middle.
void frmBass::UpdateFX(int b) {
    if (b < 0 || b > kReverb) throw ui::RuntimeError(ui::kSubscriptOutOfRange);
    const bool on = form<Options>().Option12.Value();
    audio::Bass& bass = app().bass();
    if (b < kReverb) {
        audio::BASS_DX8_PARAMEQ band{};
        bass.BASS_FXGetParameters(FxHandles[b], &band);
        band.fGain = on ? static_cast<float>(10 - level(form<Main>().sldEQR(b))) : 0.0f;
        bass.BASS_FXSetParameters(FxHandles[b], &band);
        return;
    }
    audio::BASS_DX8_REVERB reverb{};
    bass.BASS_FXGetParameters(FxHandles[b], &reverb);
    const double v = on ? level(form<Main>().sldEQR(b)) : 0;
    reverb.fReverbMix = on ? static_cast<float>(-0.012 * v * v * v) : -12.0f;
    bass.BASS_FXSetParameters(FxHandles[b], &reverb);
}

// The slider's level text (50 down to -50 for a band, 100 down to 0 for the
// reverb) shows as its tip.
void frmBass::MoveScollEq(int Index) {
    ctlScrollbar& slider = form<Main>().sldEQR(Index);
    const double value = form<Options>().Option12.Value() ? slider.value() : 50;
    slider.setToolTipText(shared::formatDouble((Index < kReverb ? 50 : 100) - value));
    UpdateFX(Index);
}

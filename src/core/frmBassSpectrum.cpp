// The audio host's side of the visualisation: its 25 ms tick, the set-up at
// each play and the choice of mode.
#include "core/frmBass.h"
#include "core/modSpectrum.h"
#include "options/Options.h"
#include "platform/audio/Bass.h"
#include "windows/Main.h"

// A paused channel's picture stands still, so the tick rests (keeping the
// picture) until the channel plays on; a paused player then wakes for nothing.
void frmBass::tmrSpectrum_Timer() {
    if (!form<Options>().Option4.Value()) {
        tmrSpectrum.setEnabled(false);
        return form<Main>().Visualisation.Cls();
    }
    if (app().bass().BASS_ChannelIsActive(channel()) == audio::BASS_ACTIVE_PAUSED)
        return tmrSpectrum.setEnabled(false);
    app().module<modSpectrum>().UpdateSpectrum(channel());
}

// Each play starts the spectrogram at its left edge and takes the skin's colours.
void frmBass::prepareSpectrum() {
    modSpectrum& spectrum = app().module<modSpectrum>();
    spectrum.SpectrumPos = 0;
    spectrumModeFromOptions();
    spectrum.BuildPalette();
}

void frmBass::spectrumModeFromOptions() {
    Options& o = form<Options>();
    std::int32_t& mode = app().module<modSpectrum>().SpectrumMode;
    if (o.Option8.Value()) mode = modSpectrum::Bands;
    if (o.Option9.Value()) mode = modSpectrum::Bars;
    if (o.Option10.Value()) mode = modSpectrum::Spectrogram;
    if (o.Option11.Value()) mode = modSpectrum::Waveform;
}

void frmBass::ChangeSpectrumMode() {
    spectrumModeFromOptions();
    app().module<modSpectrum>().ClearBuffer();
}

// Selecting the mode's option runs its action, which sets the same mode again.
void frmBass::NextSpectrumMode() {
    modSpectrum& spectrum = app().module<modSpectrum>();
    spectrum.SpectrumMode = (spectrum.SpectrumMode + 1) % 4;
    if (spectrum.SpectrumMode < 0) spectrum.SpectrumMode += 4;
    spectrum.ClearBuffer();
    Options& o = form<Options>();
    ui::OptionButton* const options[] = {&o.Option9, &o.Option8, &o.Option10, &o.Option11};
    options[spectrum.SpectrumMode]->setValue(true);
}

#include "core/frmBass.h"

#include "controls/ctlScrollbar.h"
#include "platform/audio/Bass.h"
#include "shared/NumberText.h"
#include "windows/Main.h"

frmBass::frmBass(ui::Application& app) : PlayerForm(app, "frmBass") {
    setCaption("BASS");
    BassON.setCaption("False");
    Chan.setCaption("0");
    StreamLength.setCaption("0");
    Pozitie.setCaption("0");
    Scrolling.setCaption("False");
    SwitchIDTag.setCaption("0");
    Timer1.setInterval(1000);
    Timer1.setEnabled(false);
    tmrSpectrum.setInterval(25);
    tmrSpectrum.setEnabled(false);
    keepDesign(FxHandles);
    Timer1.TimerEvent.connect([this] { Timer1_Timer(); });
    tmrSpectrum.TimerEvent.connect([this] { tmrSpectrum_Timer(); });
    StreamLength.Change.connect([this] { StreamLength_Change(); });
}

std::uint32_t frmBass::channel() { return static_cast<std::uint32_t>(static_cast<std::int32_t>(shared::toDouble(Chan.Caption()))); }

// The host's own window initialises the engine; the process's working
// folder is left alone.
void frmBass::Form_Load() { app().bass().BASS_Init(-1, 44100, 0, hWnd(), nullptr); }

void frmBass::Form_Unload(int&) {
    tmrSpectrum.setEnabled(false);
    app().bass().BASS_Free();
}

void frmBass::Pauza() {
    app().bass().BASS_ChannelPause(channel());
    form<Main>().StarePlayer.setCaption("Paused");
}

void frmBass::StopBass() {
    app().bass().BASS_ChannelStop(channel());
    form<Main>().StarePlayer.setCaption("Stopped");
    Timer1.setEnabled(false);
    Unload();
}

void frmBass::ResumeBass() { app().bass().BASS_ChannelPlay(channel(), false); }

void frmBass::VolumBass() {
    app().bass().BASS_SetConfig(audio::BASS_CONFIG_GVOL_STREAM,
                                static_cast<std::uint32_t>(form<Main>().Volum.value() * 100));
}

#include "core/frmBass.h"

#include <QFile>

#include "controls/ctlScrollbar.h"
#include "core/AntiManea.h"
#include "platform/audio/Bass.h"
#include "platform/files/Files.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "windows/Main.h"

using ui::step;

namespace {

constexpr float kBandCentres[10] = {80, 150, 300, 500, 750, 1000, 3000, 8000, 12000, 15000};

// An Ogg container, whatever codec it holds; a pipe or device never is.
bool isOgg(const QString& path) {
    QFile file(path);
    return files::openRegularFile(file, QIODevice::ReadOnly) && file.read(4) == "OggS";
}

}  // namespace

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

// The handle is written as a whole number; anything else goes the slow way.
std::uint32_t frmBass::channel() {
    bool whole = false;
    const std::int32_t handle = Chan.Caption().toInt(&whole);
    if (whole) return static_cast<std::uint32_t>(handle);
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(shared::toDouble(Chan.Caption())));
}

// Signed, as the handle's 32 bits read as a whole number.
void frmBass::setChannel(std::uint32_t handle) {
    Chan.setCaption(QString::number(static_cast<std::int32_t>(handle)));
}

// The host's own window initialises the engine; the process's working
// folder is left alone.
void frmBass::Form_Load() {
    app().bass().BASS_Init(-1, 44100, 0, hWnd(), nullptr);
}

void frmBass::Form_Unload(int&) {
    tmrSpectrum.setEnabled(false);
    app().bass().BASS_Free();
}

// A failing step is skipped and the next one runs.
bool frmBass::PLAYtheBass() {
    Main& m = form<Main>();
    if (m.StarePlayer.Caption() == "Paused") {
        ResumeBass();
        return true;
    }
    openChannel();
    if (channel() == 0 && isOgg(FileToPlay.Text())) return false;
    // A file that neither loader takes gets no effects, is not played and does
    // not show "Playing"; the first tick finds it ended and moves on.
    if (channel() != 0) startChannel();
    form<Main>().showAudioLayout();
    // The content filter reads the title line and the tag editor, so they show
    // this file before it runs.
    step([&] { showTitle(); });
    step([&] { form<MediaLibrary>().readTag(FileToPlay.Text()); });
    // A refusal stops playback, releases this host and ends the program.
    step([&] { app().module<AntiManea>().CheckManea(m.LbFileName(0).Caption()); });
    step([&] { VolumBass(); });
    step([&] { Timer1.setEnabled(true); });
    step([&] { prepareSpectrum(); });
    step([&] { tmrSpectrum.setEnabled(true); });
    // The stop before this play put the idle picture up: the first frame
    // takes its place at once, so it does not flash up between two tracks.
    step([&] { tmrSpectrum_Timer(); });
    return true;
}

// The previous channel is freed (as whichever kind it is), then the file is
// opened as a stream or else as module music.
void frmBass::openChannel() {
    audio::Bass& bass = app().bass();
    step([&] { bass.BASS_MusicFree(channel()); });
    step([&] { bass.BASS_StreamFree(channel()); });
    const QString path = FileToPlay.Text();
    step([&] {
        setChannel(bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0,
                                              audio::BASS_SAMPLE_FX | audio::BASS_UNICODE));
    });
    step([&] {
        if (channel() != 0) return;
        setChannel(bass.BASS_MusicLoad(
            false, path.utf16(), 0, 0,
            audio::BASS_MUSIC_RAMP | audio::BASS_SAMPLE_FX | audio::BASS_UNICODE, 0));
    });
}

// Ten equalizer bands and a reverb, brought to the sliders, then play.
void frmBass::startChannel() {
    audio::Bass& bass = app().bass();
    for (int i = 0; i < 10; ++i)
        step([&] {
            FxHandles[i] = bass.BASS_ChannelSetFX(channel(), audio::BASS_FX_DX8_PARAMEQ, 0);
        });
    step([&] { FxHandles[10] = bass.BASS_ChannelSetFX(channel(), audio::BASS_FX_DX8_REVERB, 0); });
    audio::BASS_DX8_PARAMEQ band{0, 18, 0};
    for (int i = 0; i < 10; ++i) {
        band.fCenter = kBandCentres[i];
        bass.BASS_FXSetParameters(FxHandles[i], &band);
    }
    for (int b = 0; b <= 10; ++b)
        step([&] { UpdateFX(b); });
    step([&] { bass.BASS_ChannelPlay(channel(), false); });
    step([&] { form<Main>().StarePlayer.setCaption("Playing"); });
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

void frmBass::ResumeBass() {
    app().bass().BASS_ChannelPlay(channel(), false);
    tmrSpectrum.setEnabled(true);
}

bool frmBass::Playing() {
    return app().bass().BASS_ChannelIsActive(channel()) == audio::BASS_ACTIVE_PLAYING;
}

void frmBass::VolumBass() {
    app().bass().BASS_SetConfig(
        audio::BASS_CONFIG_GVOL_STREAM,
        static_cast<std::uint32_t>(shared::CLng(form<Main>().Volum.value() * 100)));
}

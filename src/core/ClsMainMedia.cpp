// The controller's work on the medium the media-control engine plays: pause,
// resume, volume, seek, the CD door, the progress tick and video placement.
#include "app/PlenkApp.h"
#include "controls/ctlScrollbar.h"
#include "core/ClsMain.h"
#include "core/MCore.h"
#include "core/frmBass.h"
#include "platform/media/Mci.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "windows/Main.h"

using ui::step;

void ClsMain::Pause() {
    Main& m = main();
    if (app_.form<frmBass>().BassON.Caption() == "True") {
        app_.form<frmBass>().Pauza();
        return;
    }
    if (m.LbStatus(0).Caption() == "paused") {
        PlayResume();
        return;
    }
    const QString result = app_.module<MCore>().PauseMedia(kAlias);
    writeResult(result);
    // Only a pause that took is shown as paused.
    if (result == "Success") m.LbStatus(0).setCaption("paused");
}

void ClsMain::PlayResume() {
    MciAlias = kAlias;
    writeResult(app_.module<MCore>().ResumeMedia(MciAlias));
}

void ClsMain::ChangeVolume() {
    const std::int32_t volume = shared::CLng(main().Volum.value());
    writeResult(app_.module<MCore>().SetMediaVolume(kAlias, "all", volume));
}

void ClsMain::SliderMultimediaChange() {
    MciAlias = kAlias;
    bool zeroRate = false;
    // A label that holds no number keeps the previous target.
    step([&] {
        const double rate =
            shared::toDouble(app_.form<MediaLibrary>().LbFramesPerSecond(0).Caption());
        zeroRate = rate == 0;
        SeekTargetFrame = shared::CLng(2 * rate * main().SliderMoveMultimedia(0).value());
    });
    // A rate of 0 (unknown) leaves nothing sensible to seek to.
    if (zeroRate) return;
    step([&] { writeResult(app_.module<MCore>().SeekAndPlay(MciAlias, SeekTargetFrame)); });
}

void ClsMain::SetCDState(bool pbState) {
    app_.mci().mciSendStringA(pbState ? "Set CDAudio Door Open" : "Set CDAudio Door Closed",
                              nullptr, 0, 0);
}

void ClsMain::TimerMixF() {
    Main& m = main();
    MediaLibrary& lib = app_.form<MediaLibrary>();
    MCore& mci = app_.module<MCore>();
    step([&] { m.LbCurrPos(0).setCaption(QString::number(mci.GetCurrentPosition(kAlias))); });
    double fps = 0;
    step([&] { fps = shared::Val(lib.LbFramesPerSecond(0).Caption()); });
    step([&] {
        if (fps == 0) throw ui::RuntimeError(ui::kDivisionByZero);
        lib.LbCurrentTime(0).setCaption(
            shared::formatDouble(shared::Val(m.LbCurrPos(0).Caption()) / fps));
    });
    if (m.StartMoveSlider.Caption() != "False") return;
    step([&] { LastPercentPlayed = mci.GetPercentPlayed(kAlias); });
    step([&] {
        if (LastPercentPlayed != -1 && fps != 0)
            m.SliderMoveMultimedia(0).setValue(shared::Val(m.LbCurrPos(0).Caption()) / (2 * fps));
    });
    step([&] { m.LbProgress(0).setCaption(QString::number(LastPercentPlayed) + " %"); });
    step([&] { m.LbStatus(0).setCaption(mci.GetMediaMode(kAlias)); });
    step([&] {
        if (m.LbStatus(0).Caption() == "stopped") EndOfSong();
    });
}

void ClsMain::ResizeTheVideo() {
    Main& m = main();
    ui::Frame& frame = m.FrameVideo(0);
    const int handle = frame.hWnd();
    std::int32_t width = static_cast<std::int32_t>(frame.Width() / 15);
    std::int32_t height = static_cast<std::int32_t>(frame.Height() / 15);
    MCore& mci = app_.module<MCore>();
    const QString result = mci.PutVideoWindow(handle, kAlias, 1, 1, width, height);
    writeResult(result);
    if (result != "Success") return;
    m.LbCurrentCx(0).setCaption(QString::number(mci.GetVideoSize(kAlias, "cx")));
    m.LbCurrentCy(0).setCaption(QString::number(mci.GetVideoSize(kAlias, "cy")));
}

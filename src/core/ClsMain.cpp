#include "core/ClsMain.h"

#include <algorithm>

#include "app/PlenkApp.h"
#include "core/AntiManea.h"
#include "core/DoctorPlenk.h"
#include "core/Id3Module.h"
#include "core/MCore.h"
#include "core/Mp3InfoMod.h"
#include "core/frmBass.h"
#include "persistence/DataClass.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/ClsPl.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "playlist/Top10.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "skins/SkinFiles.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

const QString kResultPrefix = "Result calling Function is : ";

// A path's type goes by its last four characters, lower-cased, untrimmed.
bool endsIn(const QString& path, std::initializer_list<const char*> endings) {
    const QString ending = path.right(4).toLower();
    return std::any_of(endings.begin(), endings.end(), [&](const char* e) { return ending == e; });
}

bool playsThroughBass(const QString& path) {
    return endsIn(path, {".mp3", ".wav", ".mp2", ".mp1", ".ogg"});
}

// Only these play as MPEG audio; in any other file a frame header would be a
// chance match in foreign data.
bool isMpegAudio(const QString& path) {
    return endsIn(path, {".mp1", ".mp2", ".mp3"});
}

}  // namespace

ClsMain::ClsMain(PlenkApp& app) : app_(app) {}

ClsMain::~ClsMain() = default;

DataClass& ClsMain::data() {
    if (!Data) Data = std::make_unique<DataClass>();
    return *Data;
}

ClsPl& ClsMain::playlistOps() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app_);
    return *PlaylistOps;
}

ClsMain& ClsMain::inner() {
    if (!InnerController) InnerController = std::make_unique<ClsMain>(app_);
    return *InnerController;
}

Main& ClsMain::main() {
    return app_.form<Main>();
}
DataForm& ClsMain::shared() {
    return app_.form<DataForm>();
}

void ClsMain::writeResult(const QString& result) {
    main().LbResult(0).setCaption(kResultPrefix + result);
}

// Paused through either engine: the audio host writes "Paused", the media
// engine's status reads "paused".
bool ClsMain::pausedMedium() {
    return main().StarePlayer.Caption() == "Paused" || main().LbStatus(0).Caption() == "paused";
}

void ClsMain::Play() {
    Main& m = main();
    step([&] {
        if (m.StarePlayer.Caption() != "Paused") app_.form<frmBass>().StopBass();
    });
    if (app_.form<frmBass>().BassON.Caption() == "True") {
        step([&] { app_.form<frmBass>().ResumeBass(); });
        step([&] { m.StarePlayer.setCaption("Playing"); });
        return;
    }
    if (m.LbStatus(0).Caption() == "paused") {
        step([&] { PlayResume(); });
        step([&] { m.StarePlayer.setCaption("Playing"); });
        return;
    }
    step([&] { SStop(); });
    const bool fromPlaylist = shared().FromPlaylist.Caption() != "False";
    step([&] {
        if (fromPlaylist) m.LbFileName(0).setCaption(shared().ListaCale.Text());
    });
    MciAlias = "movie";
    step([&] {
        app_.module<Mp3InfoMod>().Mp3FileName = m.LbFileName(0).Caption();
        GetMP3Inf();
    });
    const Start start{fromPlaylist, shared().ListaCale.ListIndex(),
                      app_.form<Playlist>().PicList.Text()};
    MciDeviceType = "MPEGVideo";
    step([&] { app_.form<frmBass>().BassON.setCaption("False"); });
    const QString path = m.LbFileName(0).Caption();
    if (!playsThroughBass(path)) return noteStart(start, playThroughMci(path));
    step([&] { app_.form<frmBass>().FileToPlay.setText(path); });
    bool taken = true;
    step([&] { taken = app_.form<frmBass>().PLAYtheBass(); });
    // The media engine plays such a file or says it cannot.
    if (!taken) {
        step([&] { app_.form<frmBass>().StopBass(); });
        return noteStart(start, playThroughMci(path));
    }
    step([&] { app_.form<frmBass>().BassON.setCaption("True"); });
    // A refusal of the content filter has released the host.
    noteStart(start, app_.isLoaded<frmBass>() && app_.form<frmBass>().Playing());
}

// Only a file that really started counts a play, and only one from the
// playlist, so a file from the dialog or the command line is never counted
// as the selected row.  A row that did not start is remembered as failed.
void ClsMain::noteStart(const Start& start, bool started) {
    std::set<int>& failed = failedRows();
    if (!started) {
        if (start.fromPlaylist && start.row >= 0) failed.insert(start.row);
        return;
    }
    failed.clear();
    if (start.fromPlaylist) step([&] { app_.module<Top10>().RegisterPlay(start.title); });
}

// Once the list changed, its rows may be other files: what failed before
// says nothing of them.
std::set<int>& ClsMain::failedRows() {
    DataForm::FailedRowsRecord& record = shared().FailedRows;
    const unsigned changes = shared().ListaCale.rowChanges();
    if (record.listChanges != changes) record.rows.clear();
    record.listChanges = changes;
    return record.rows;
}

// Every row failed in turn with nothing started between: going on would
// only cycle through them.  The record starts afresh for the next try.
bool ClsMain::everyRowFailed() {
    std::set<int>& failed = failedRows();
    const int rows = shared().ListaCale.ListCount();
    if (rows == 0 || static_cast<int>(failed.size()) < rows) return false;
    failed.clear();
    return true;
}

// The title names the entry tried before the open, so the video's caption line
// shows it and a failure's message does not stand under the previous one.
bool ClsMain::playThroughMci(const QString& path) {
    Main& m = main();
    step([&] {
        if (shared().FromPlaylist.Caption() == "True")
            m.Titlu.setCaption(app_.form<Playlist>().PicList.Text() + QString(9, ' '));
    });
    step([&] {
        LastMciResult =
            app_.module<MCore>().OpenMedia(m.FrameVideo(0).hWnd(), MciAlias, path, MciDeviceType);
    });
    step([&] { writeResult(LastMciResult); });
    if (LastMciResult != "Success") {
        // Nothing opened: no layout, volume or play command for it.
        step([&] { m.LbActualCx(0).setCaption("-1"); });
        mciFailed(path);
        return false;
    }
    openedMci();
    applyMciLayout();
    step([&] { ResizeTheVideo(); });
    step([&] { inner().ChangeVolume(); });
    MciAlias = "movie";
    step([&] {
        QString from = m.txtFrom(0).Text();
        QString to = m.TxtTo(0).Text();
        LastMciResult = app_.module<MCore>().PlayMedia(MciAlias, from, to);
    });
    step([&] { writeResult(LastMciResult); });
    const bool started = LastMciResult == "Success";
    if (started)
        afterMciPlay(path);
    else
        mciFailed(path);
    return started;
}

// What a successful open learns of the medium.
void ClsMain::openedMci() {
    Main& m = main();
    MediaLibrary& lib = app_.form<MediaLibrary>();
    MCore& mci = app_.module<MCore>();
    // The width's change handler may bring the main window in and lay the
    // video out, which resizes its window: the picture's size is read whole
    // first, and the height goes in before the width so the layout sees both.
    QSize picture(-1, -1);
    step([&] { picture = mci.GetSourceSize(MciAlias); });
    step([&] { m.LbActualCy(0).setCaption(QString::number(picture.height())); });
    step([&] { m.LbActualCx(0).setCaption(QString::number(picture.width())); });
    // A medium without a length has no rate: the label keeps what it showed.
    step([&] {
        const std::int32_t rate = mci.GetFramesPerSecond(MciAlias);
        if (rate >= 0) lib.LbFramesPerSecond(0).setCaption(QString::number(rate));
    });
    step([&] { lib.LbTotalFrames(0).setCaption(QString::number(mci.GetTotalFrames(MciAlias))); });
    step([&] {
        lib.LbTotalTime(0).setCaption(
            shared::formatDouble(mci.GetTotalMilliseconds(MciAlias) / 1000.0));
    });
    step([&] {
        m.LbCurrentRate(0).setCaption(QString::number(mci.GetPlaybackSpeed(MciAlias)) + " %");
    });
    step([&] {
        const double rate = shared::toDouble(lib.LbFramesPerSecond(0).Caption());
        if (rate <= 0) throw ui::RuntimeError(ui::kDivisionByZero);
        m.SliderMoveMultimedia(0).setMax(shared::toDouble(lib.LbTotalFrames(0).Caption()) /
                                         (2 * rate));
    });
    step([&] { m.TimerMisc(0).setEnabled(true); });
}

// The video layout while a picture is open, else the audio layout.
void ClsMain::applyMciLayout() {
    Main& m = main();
    if (m.LbActualCx(0).Caption() != "-1") {
        step([&] { m.ResizeArea.setVisible(true); });
        step([&] { m.MainFrame(1).setVisible(false); });
        step([&] { m.FrameVideo(0).setVisible(true); });
        step([&] { m.LabelVideo.setCaption(m.TSec.Caption() + "  " + m.Titlu.Caption()); });
        // The saved size, no larger than the screens can show.
        const ui::Screen& screen = app_.screen();
        step([&] {
            m.setHeight(screen.bound(ui::Screen::Extent::Height,
                                     shared::toDouble(shared().VideoSizeHeight2.Caption())));
        });
        step([&] {
            m.setWidth(screen.bound(ui::Screen::Extent::Width,
                                    shared::toDouble(shared().VideoSizeWidth2.Caption())));
        });
        for (ui::Control* c : std::initializer_list<ui::Control*>{&m.Image3, &m.Image4,
                                                                  &m.InfoLabel, &m.PlaylistLabel})
            step([&] { c->setVisible(true); });
        step([&] { m.Logo.setTop(m.Height() - 650); });
        step([&] { m.RightFrame.setHeight(2295); });
        step([&] { m.MainFrame(1).setHeight(3015); });
        step([&] { m.AdjustVideo(); });
        return;
    }
    if (shared().MiniMode.Caption() == "False") m.showAudioLayout();
}

void ClsMain::afterMciPlay(const QString& path) {
    Main& m = main();
    step([&] { m.PiesaCurenta.setCaption(app_.form<Playlist>().PicList.Text()); });
    step([&] { m.TimeCounter.setEnabled(true); });
    // The length the media engine reported, in whole seconds.
    step([&] {
        const std::int32_t seconds =
            shared::CLng(shared::toDouble(app_.form<MediaLibrary>().LbTotalTime(0).Caption()));
        m.TotalTime.setCaption(QString("%1:%2")
                                   .arg(seconds / 60, 2, 10, QChar('0'))
                                   .arg(seconds % 60, 2, 10, QChar('0')));
    });
    step([&] { app_.form<MediaLibrary>().readTag(path); });
    step([&] { app_.module<AntiManea>().CheckManea(path); });
}

void ClsMain::mciFailed(const QString& path) {
    if (path.isEmpty()) return;
    app_.dialogs().MsgBox(
        "Sorry, Plenk Player could not play this file. Doctor Plenk will try to fix that",
        ui::vbOKOnly, PlenkApp::title());
    if (!Doctor) Doctor = std::make_unique<DoctorPlenk>();
    QString handed = path;
    Doctor->Repair(handed);
}

void ClsMain::OpenAndPlayFile() {
    const QString path = playlistOps().ShowFileDialog();
    if (path.isEmpty()) return;
    // Another file: a paused medium is stopped rather than resumed.
    if (pausedMedium()) SStop();
    main().LbFileName(0).setCaption(path);
    shared().FromPlaylist.setCaption("False");
    Play();
    playlistOps().ExtractFilename(main().Titlu.Caption(), path);
}

void ClsMain::SStop() {
    stopPlayback();
    showIdlePicture();
}

void ClsMain::stopPlayback() {
    if (app_.form<frmBass>().BassON.Caption() == "True") {
        app_.form<frmBass>().StopBass();
        main().SliderMoveMultimedia(0).setValue(0.0);
    } else {
        stopMci();
    }
}

// Whatever stopped playback, the boxes show no frame of what played: the main
// window's the skin's idle picture (kept as it was when the skin has none),
// the mini window's its back colour.
void ClsMain::showIdlePicture() {
    step([&] {
        main().Visualisation.setPicture(SkinFiles::cachedPicture(app_, "\\plenkplayer.bmp"));
    });
    if (app_.isLoaded<MiniForm>()) app_.form<MiniForm>().Visualisation.Cls();
}

void ClsMain::stopMci() {
    Main& m = main();
    MCore& mci = app_.module<MCore>();
    writeResult(mci.StopMedia(kAlias));
    m.SliderMoveMultimedia(0).setValue(0.0);
    const QString closed = mci.CloseMedia(kAlias);
    writeResult(closed);
    if (shared().FullScreenStat.Caption() == "True") SwitchToFullScreen();
    if (closed != "Success") return;
    m.TimerMisc(0).setEnabled(false);
    for (auto* array : {&m.LbCurrPos, &m.LbProgress, &m.LbStatus, &m.LbActualCx, &m.LbActualCy,
                        &m.LbCurrentCx, &m.LbCurrentCy, &m.LbCurrentRate})
        (*array)(0).setCaption("");
    m.SliderMoveMultimedia(0).setValue(0.0);
    m.TimeCounter.setEnabled(false);
    // The tick that would copy the emptied status across has just been turned off.
    m.StarePlayer.setCaption("Stopped");
}

void ClsMain::GetMP3Inf() {
    Mp3InfoMod& reader = app_.module<Mp3InfoMod>();
    Mp3Info info;
    if (isMpegAudio(reader.Mp3FileName))
        reader.ReadMp3Info(reader.Mp3FileName, info);
    else
        reader.ReadFileSize(reader.Mp3FileName, info);
    Main& m = main();
    m.labSize.setCaption(info.FileSize + " Bytes");
    m.labLength.setCaption(info.Length + " Sec");
    m.labLayer.setCaption(info.Version + " " + info.Layer);
    m.labBitRate.setCaption(info.Bitrate + " Kbps");
    m.labFreqChan.setCaption(info.Frequency + " " + info.ChannelMode);
    MediaLibrary& library = app_.form<MediaLibrary>();
    library.labCRC.setCaption(info.Crc);
    library.labCopy.setCaption(info.Copyright);
    library.labEmphasis.setCaption(info.Emphasis);
    library.labOriginal.setCaption(info.Original);
}

ClsMain& ControllerSlot::get() {
    if (!controller_) controller_ = std::make_unique<ClsMain>(app_);
    return *controller_;
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "core/ClsMain.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/OggPages.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using testsupport::PlayerFixture;

namespace {

class Controller : public ::testing::Test {
  protected:
    PlayerFixture p;
    Main& m = p.form<Main>();
    DataForm& d = p.form<DataForm>();
    Playlist& list = p.form<Playlist>();
    Options& o = p.form<Options>();
    ClsMain& ctl = m.controller();

    // Scripted media files: every entry plays for `seconds` through the media engine.
    void entries(int count, double seconds = 10) {
        for (int i = 0; i < count; ++i) {
            const QString path = p.program.write(QString("media/clip %1.mpg").arg(i), "x");
            p.media().addMedium(path.toStdString(), {seconds * 1000, 25, QSize(320, 240)});
            d.ListaCale.AddItem(path);
            list.PicList.AddItem(QString("clip %1").arg(i));
        }
    }
    QString playing() { return m.LbFileName(0).Caption().section('/', -1); }
    // The skin's idle picture, 40 by 30.
    void idlePicture() {
        QImage idle(40, 30, QImage::Format_RGB32);
        idle.fill(Qt::red);
        QDir().mkpath(p.program.file("Skins/Default"));
        ASSERT_TRUE(idle.save(p.program.file("Skins/Default/plenkplayer.bmp"), "BMP"));
    }
    // What a double-click on a playlist row does.
    void playRow(int row) {
        list.PicList.setListIndex(row);
        d.ListaCale.setListIndex(row);
        d.SongNumber.setCaption(QString::number(row));
        d.FromPlaylist.setCaption("True");
        ctl.Play();
    }
    // Where a title stands in the rankings: its Top 20 row or its waiting row.
    bool counted(const QString& title) {
        MediaLibrary& lib = p.form<MediaLibrary>();
        for (int i = 0; i < 20; ++i)
            if (lib.Song(i).Caption() == title) return true;
        return lib.ListaAsteptare.items().contains(title);
    }
    int openDevices() {
        int n = 0;
        for (int i = 0; i < d.ListaCale.ListCount(); ++i) {
            const auto* s = p.media().state(d.ListaCale.List(i).toStdString());
            n += s && s->open;
        }
        return n;
    }
};

TEST_F(Controller, EngineFollowsTheLastFourCharactersOnly) {
    for (const char* name : {"a.MP3", "b.ogg", "c.Wav", "d.mp2", "e.mp1"}) {
        m.LbFileName(0).setCaption(p.program.write(name, "x"));
        d.FromPlaylist.setCaption("False");
        ctl.Play();
        EXPECT_EQ(p.form<frmBass>().BassON.Caption(), "True") << name;
    }
    for (const char* name : {"f.mp3 ", "g.mpeg", "h.wma", "mp3", ""}) {
        m.LbFileName(0).setCaption(p.program.write(name, "x"));
        d.FromPlaylist.setCaption("False");
        ctl.Play();
        EXPECT_EQ(p.form<frmBass>().BassON.Caption(), "False") << name;
    }
}

// The audio library decodes some of the codecs an Ogg file may hold; the media
// engine plays the others, or says it cannot.
TEST_F(Controller, AnOggFileTheAudioLibraryDoesNotDecodeGoesToTheMediaEngine) {
    const testsupport::ForeignStream codec = testsupport::foreignOggStream(7);
    const QString played = p.program.write("media/played.ogg", codec.first + codec.last);
    p.media().addMedium(played.toStdString(), {5000, 25, std::nullopt});
    m.LbFileName(0).setCaption(played);
    d.FromPlaylist.setCaption("False");
    ctl.Play();
    EXPECT_EQ(p.form<frmBass>().BassON.Caption(), "False");
    const auto* medium = p.media().state(played.toStdString());
    ASSERT_TRUE(medium);
    EXPECT_TRUE(medium->open);

    m.LbFileName(0).setCaption(p.program.write("media/unknown.ogg", codec.first + codec.last));
    ctl.Play();
    EXPECT_EQ(p.dialogs->count("MsgBox"), 1);

    const QString pipe = p.program.file("media/pipe.ogg");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    m.LbFileName(0).setCaption(pipe);
    ctl.Play();
    EXPECT_EQ(p.form<frmBass>().BassON.Caption(), "True") << "a pipe is a broken file, unread";
}

TEST_F(Controller, AFailedOpenShowsTheMessageButNoLayoutVolumeOrPlay) {
    m.LbActualCx(0).setCaption("");
    m.LbFileName(0).setCaption(p.program.write("broken.avi", "x"));
    d.FromPlaylist.setCaption("False");
    const float height = m.Height();
    p.media().clearCommands();
    ctl.Play();
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1");
    EXPECT_EQ(m.Height(), height) << "no video layout for a medium that did not open";
    for (const std::string& c : p.media().commands()) {
        EXPECT_EQ(c.find("setaudio"), std::string::npos);
        EXPECT_EQ(c.find("play "), std::string::npos);
    }
    ASSERT_EQ(p.dialogs->count("MsgBox"), 1);
    EXPECT_EQ(p.dialogs->shown.back().text,
              "Sorry, Plenk Player could not play this file. Doctor Plenk will try to fix that");
}

TEST_F(Controller, AVideoThatCannotPlayIsNamedInTheTitleAllTheSame) {
    d.ListaCale.AddItem(p.program.write("media/broken.avi", "x"));
    list.PicList.AddItem("broken");
    playRow(0);
    EXPECT_EQ(m.Titlu.Caption(), "broken" + QString(9, ' '));
}

TEST_F(Controller, AnEmptyPathFailsWithoutAMessage) {
    m.LbFileName(0).setCaption("");
    d.FromPlaylist.setCaption("False");
    ctl.Play();
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
}

TEST_F(Controller, PlaylistPlaysAreCountedButOtherFilesAreNot) {
    entries(2);
    playRow(1);
    EXPECT_TRUE(counted("clip 1"));
    list.PicList.setListIndex(0);
    m.LbFileName(0).setCaption(d.ListaCale.List(0));
    d.FromPlaylist.setCaption("False");
    ctl.Play();
    EXPECT_FALSE(counted("clip 0")) << "a file named directly is not counted as the selected row";
}

// Files that cannot be played: each is tried once, none is counted, and
// then the player stays stopped.
TEST_F(Controller, APlaylistWhereEveryFileFailsStopsAfterOneRound) {
    for (int i = 0; i < 3; ++i) {
        d.ListaCale.AddItem(p.program.write(QString("media/bad %1.mp3").arg(i), "not audio"));
        list.PicList.AddItem(QString("bad %1").arg(i));
    }
    playRow(0);
    for (int i = 0; i < 10; ++i)
        p.clock->advance(1000);
    EXPECT_EQ(list.PicList.ListIndex(), 2) << "the last one tried";
    EXPECT_EQ(m.StarePlayer.Caption().toLower(), "stopped");
    EXPECT_FALSE(p.app->isLoaded<frmBass>() && p.form<frmBass>().Timer1.Enabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(counted(QString("bad %1").arg(i))) << i;
    // Played again, the list gets one more round.
    playRow(1);
    p.clock->advance(1000);
    EXPECT_EQ(list.PicList.ListIndex(), 2);
}

// The rows that failed belong to the list they failed in.
TEST_F(Controller, FailuresInAnEarlierListDoNotStopANewOne) {
    d.ListaCale.AddItem(p.program.write("media/old.mp3", "not audio"));
    list.PicList.AddItem("old");
    playRow(0);
    d.ListaCale.Clear();
    list.PicList.Clear();
    entries(1);
    d.ListaCale.AddItem(p.program.write("media/bad.mp3", "not audio"));
    list.PicList.AddItem("bad");
    playRow(1);
    p.clock->advance(1000);
    EXPECT_TRUE(counted("clip 0"));
}

TEST_F(Controller, StopShowsTheSkinsIdlePictureOrKeepsTheLastOne) {
    idlePicture();
    ctl.SStop();
    EXPECT_EQ(m.Visualisation.picture().image().size(), QSize(40, 30));

    const ui::Picture before = m.Visualisation.picture();
    QFile::remove(p.program.file("Skins/Default/plenkplayer.bmp"));
    MiniForm& mini = p.form<MiniForm>();
    mini.Visualisation.drawImage(QImage(10, 10, QImage::Format_RGB32));
    ctl.SStop();
    EXPECT_TRUE(m.Visualisation.picture() == before);
    EXPECT_TRUE(mini.Visualisation.drawing().isNull()) << "the mini window's box is cleared";
}

// The last frame drawn says nothing once nothing plays.
TEST_F(Controller, PlaybackThatEndsOfItselfLeavesTheIdlePicture) {
    idlePicture();
    entries(1, 2);
    playRow(0);
    m.Visualisation.drawImage(QImage(10, 10, QImage::Format_RGB32));
    d.ListaCale.Clear();
    list.PicList.Clear();
    for (int i = 0; i < 6; ++i)
        p.clock->advance(500);
    EXPECT_EQ(m.StarePlayer.Caption(), "Stopped");
    EXPECT_EQ(m.Visualisation.picture().image().size(), QSize(40, 30));
    EXPECT_TRUE(m.Visualisation.drawing().isNull());
}

TEST_F(Controller, FailingFilesBetweenGoodOnesKeepTheGoodOnesPlaying) {
    d.ListaCale.AddItem(p.program.write("media/bad.mp3", "not audio"));
    list.PicList.AddItem("bad");
    entries(1, 2);
    d.ListaCale.AddItem(p.program.write("media/worse.mp3", "no audio either"));
    list.PicList.AddItem("worse");
    playRow(0);
    for (int i = 0; i < 30; ++i)
        p.clock->advance(500);
    EXPECT_FALSE(counted("bad"));
    EXPECT_FALSE(counted("worse"));
    MediaLibrary& lib = p.form<MediaLibrary>();
    ASSERT_EQ(lib.Song(0).Caption(), "clip 0");
    EXPECT_GE(lib.CountPlayed(0).Caption().toInt(), 3) << "the good file plays again and again";
    // In random order a failing file may come up many times in a row.
    o.Option2.setValue(true);
    p.app->random().seed(3);
    const int before = lib.CountPlayed(0).Caption().toInt();
    for (int i = 0; i < 60; ++i)
        p.clock->advance(500);
    EXPECT_GE(lib.CountPlayed(0).Caption().toInt(), before + 3);
}

TEST_F(Controller, PlayResumesAPausedMediumButAnotherFileStopsItFirst) {
    entries(2);
    playRow(0);
    ctl.Pause();
    EXPECT_EQ(m.LbStatus(0).Caption(), "paused");
    p.media().clearCommands();
    ctl.Play();
    EXPECT_EQ(p.media().commands(), std::vector<std::string>{"Resume movie"});
    EXPECT_EQ(m.StarePlayer.Caption(), "Playing");
    ctl.Pause();
    ctl.PlayNext();
    EXPECT_EQ(playing(), "clip 1.mpg") << "Next stops the paused medium and starts the next entry";
    EXPECT_EQ(openDevices(), 1);
}

TEST_F(Controller, OpenAndPlayFileCancelledChangesNothing) {
    entries(1);
    playRow(0);
    p.dialogs->fileAnswers.push_back({});
    p.media().clearCommands();
    ctl.OpenAndPlayFile();
    EXPECT_EQ(p.dialogs->count("OpenFile"), 1);
    EXPECT_TRUE(p.media().commands().empty()) << "the playing medium is not even stopped";
    EXPECT_EQ(playing(), "clip 0.mpg");
    EXPECT_EQ(d.FromPlaylist.Caption(), "True");
    EXPECT_EQ(openDevices(), 1);
}

TEST_F(Controller, OpenAndPlayFileWhilePausedPlaysTheChosenFileInstead) {
    entries(2);
    playRow(0);
    ctl.Pause();
    const QString chosen = p.program.write("other/chosen one.mpg", "x");
    p.media().addMedium(chosen.toStdString(), {8000, 25, QSize(320, 240)});
    p.dialogs->fileAnswers.push_back({chosen});
    ctl.OpenAndPlayFile();
    EXPECT_EQ(m.LbFileName(0).Caption(), chosen);
    EXPECT_EQ(d.FromPlaylist.Caption(), "False");
    EXPECT_EQ(m.Titlu.Caption(), "chosen one");
    EXPECT_EQ(openDevices(), 0) << "the paused entry was closed, not resumed";
    ASSERT_NE(p.media().state(chosen.toStdString()), nullptr);
    EXPECT_TRUE(p.media().state(chosen.toStdString())->open);
    EXPECT_NE(m.LbStatus(0).Caption(), "paused");
}

TEST_F(Controller, PreviousWhilePausedStopsThePausedMediumFirst) {
    entries(3);
    playRow(1);
    ctl.Pause();
    ctl.PlayPrevious();
    EXPECT_EQ(playing(), "clip 0.mpg");
    EXPECT_EQ(d.SongNumber.Caption(), "0");
    EXPECT_EQ(openDevices(), 1);
    EXPECT_NE(m.LbStatus(0).Caption(), "paused");
}

TEST_F(Controller, StopLeavesFullScreen) {
    entries(1);
    playRow(0);
    m.Move(1234, 567, 8000, 6500);
    ctl.SwitchToFullScreen();
    ASSERT_EQ(d.FullScreenStat.Caption(), "True");
    ctl.SStop();
    EXPECT_EQ(d.FullScreenStat.Caption(), "False");
    EXPECT_EQ(m.Left(), 1234.0f);
    EXPECT_EQ(m.Top(), 567.0f);
    EXPECT_EQ(m.Width(), 6100.0f) << "without the video the window takes its mode's size";
    EXPECT_EQ(openDevices(), 0);
}

TEST_F(Controller, InThePreferenceOrderNextStepsThroughTheListAndTheEndAsksTheRankings) {
    entries(3);
    o.Option3.setValue(true);
    p.app->random().seed(5);
    playRow(0);
    ctl.PlayNext();
    EXPECT_EQ(playing(), "clip 1.mpg");
    ctl.PlayNext();
    EXPECT_EQ(playing(), "clip 2.mpg");
    EXPECT_EQ(d.SongNumber.Caption(), "2");
    for (int i = 0; i < 5; ++i) {
        p.clock->advance(10500);
        EXPECT_EQ(openDevices(), 1);
    }
    EXPECT_EQ(d.SongNumber.Caption(), "2") << "a pick by the rankings leaves the song number";
}

TEST_F(Controller, StopClosesAndClearsTheLabelsOrDoesNothingWhenNothingIsOpen) {
    ctl.SStop();
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1") << "nothing was open: nothing is reset";
    EXPECT_NE(m.LbResult(0).Caption(), "Result calling Function is : Success");
    entries(1);
    playRow(0);
    ctl.SStop();
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1") << "the window turns the stop's empty width into -1";
    EXPECT_EQ(m.LbStatus(0).Caption(), "");
    EXPECT_FALSE(m.TimerMisc(0).Enabled());
    EXPECT_EQ(openDevices(), 0);
}

// The one-second tick that copies the media engine's status is turned off by
// the stop itself: the stopped state shows at once.
TEST_F(Controller, StopShowsTheStoppedStateAtOnce) {
    entries(1);
    playRow(0);
    p.clock->advance(1000);
    ASSERT_EQ(m.StarePlayer.Caption(), "playing");
    ctl.SStop();
    EXPECT_EQ(m.StarePlayer.Caption(), "Stopped");
}

TEST_F(Controller, EndOfSongTakesTheQueueFirstThenTheListOrder) {
    entries(4);
    playRow(0);
    d.ListaProgramate.AddItem("clip 3");
    d.ListaProgramate.AddItem("clip 2");
    p.clock->advance(10500);
    EXPECT_EQ(playing(), "clip 3.mpg");
    EXPECT_EQ(d.ListaProgramate.ListCount(), 1);
    p.clock->advance(10500);
    EXPECT_EQ(playing(), "clip 2.mpg");
    EXPECT_EQ(d.SongNumber.Caption(), "2");
    p.clock->advance(10500);
    EXPECT_EQ(playing(), "clip 3.mpg") << "list order goes on from the queued row";
    p.clock->advance(10500);
    EXPECT_EQ(playing(), "clip 0.mpg") << "after the last row comes the first";
}

TEST_F(Controller, AQueuedTitleNoRowCarriesIsDroppedAndTheNextOneTaken) {
    entries(3);
    playRow(0);
    d.ListaProgramate.AddItem("deleted row");
    d.ListaProgramate.AddItem("clip 2");
    p.clock->advance(10500);
    EXPECT_EQ(playing(), "clip 2.mpg");
    EXPECT_EQ(d.ListaProgramate.ListCount(), 0);
    d.ListaProgramate.AddItem("renamed");
    d.ListaProgramate.AddItem("gone too");
    p.clock->advance(10500);
    EXPECT_EQ(playing(), "clip 0.mpg") << "with no title left the list order goes on";
    EXPECT_EQ(d.ListaProgramate.ListCount(), 0);
    d.ListaProgramate.AddItem("gone");
    ctl.PlayNext();
    EXPECT_EQ(playing(), "clip 1.mpg");
    EXPECT_EQ(d.ListaProgramate.ListCount(), 0);
    EXPECT_EQ(openDevices(), 1);
}

TEST_F(Controller, RandomOrderPicksEveryRowAndLeavesTheSongNumber) {
    entries(3, 1);
    o.Option2.setValue(true);
    p.app->random().seed(11);
    playRow(0);
    d.SongNumber.setCaption("1");
    QSet<QString> seen;
    for (int i = 0; i < 30; ++i) {
        p.clock->advance(1500);
        seen.insert(playing());
    }
    EXPECT_EQ(seen.size(), 3);
    EXPECT_EQ(d.SongNumber.Caption(), "1");
}

TEST_F(Controller, NextAndPreviousWrapAndNeverLeaveTheList) {
    entries(3);
    d.SongNumber.setCaption("-1");
    ctl.PlayNext();
    EXPECT_EQ(playing(), "clip 0.mpg");
    ctl.PlayPrevious();
    EXPECT_EQ(playing(), "clip 2.mpg") << "Previous on the first row goes to the last";
    d.SongNumber.setCaption("57");
    ctl.PlayNext();
    EXPECT_EQ(playing(), "clip 0.mpg");
    d.SongNumber.setCaption("57");
    ctl.PlayPrevious();
    EXPECT_EQ(playing(), "clip 2.mpg");
    list.PicList.Clear();
    d.ListaCale.Clear();
    ctl.PlayNext();
    ctl.PlayPrevious();
    EXPECT_EQ(list.PicList.ListIndex(), -1);
}

TEST_F(Controller, RandomWithAnEmptyPlaylistStops) {
    o.Option2.setValue(true);
    ctl.EndOfSong();
    EXPECT_EQ(list.PicList.ListIndex(), -1);
}

TEST_F(Controller, LayoutModesSizeTheMainWindow) {
    d.MainMode.setCaption("Full");
    ctl.SwitchMainMode();
    EXPECT_EQ(d.MainMode.Caption(), "Small");
    EXPECT_EQ(m.Width(), 6100.0f);
    EXPECT_EQ(m.Height(), 2000.0f);
    EXPECT_EQ(m.Logo.Top(), 1350.0f);
    EXPECT_FALSE(m.InfoLabel.Visible());
    ctl.SwitchMainMode();
    EXPECT_EQ(m.Height(), 3530.0f);
    EXPECT_EQ(m.Logo.Top(), 2880.0f);
    EXPECT_EQ(d.MiniMode.Caption(), "False");
    d.MainMode.setCaption("");
    ctl.SwitchMainMode();
    EXPECT_EQ(d.MainMode.Caption(), "");
    ctl.ChangeMainMode();
    EXPECT_EQ(m.Height(), 3530.0f);
}

TEST_F(Controller, FullScreenRoundTripRestoresTheWindowExactly) {
    ctl.SwitchToFullScreen();
    EXPECT_EQ(d.FullScreenStat.Caption(), "False") << "no video: nothing happens";
    entries(1);
    playRow(0);
    m.Move(1234, 567, 8000, 6500);
    const float volumeLeft = m.Volum.Left();
    ctl.SwitchToFullScreen();
    EXPECT_EQ(d.FullScreenStat.Caption(), "True");
    EXPECT_EQ(m.Left(), -100.0f);
    EXPECT_EQ(m.Width(), p.app->screenWidth() + 200);
    EXPECT_EQ(m.Volum.Top(), 300.0f);
    ctl.SwitchToFullScreen();
    EXPECT_EQ(m.Left(), 1234.0f);
    EXPECT_EQ(m.Top(), 567.0f);
    EXPECT_EQ(m.Width(), 8000.0f);
    EXPECT_EQ(m.Height(), 6500.0f);
    EXPECT_EQ(m.Volum.Left(), volumeLeft);
}

TEST_F(Controller, ASavedVideoWindowSizeIsNoLargerThanTheScreensShow) {
    p.app->screen().scriptScreens({{0, 0, 1280, 1024}});
    d.VideoSizeHeight2.setCaption("2147483647");
    d.VideoSizeWidth2.setCaption("20000000");
    entries(1);
    playRow(0);
    EXPECT_EQ(m.Height(), 15360.0f);
    EXPECT_EQ(m.Width(), 19200.0f);
}

TEST_F(Controller, ALayoutSwitchWaitsWhileAVideoShows) {
    entries(1);
    playRow(0);
    d.MainMode.setCaption("Full");
    ctl.SwitchMainMode();
    EXPECT_EQ(d.MainMode.Caption(), "Full");
}

}  // namespace

#include "persistence/KeyShortcut.h"
#include "shared/NumberText.h"
#include "support/TempDir.h"
#include "windows/MainFixture.h"

using maintest::MainFixture;

namespace {

ui::Picture pictureOf(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::red);
    return ui::Picture(pixmap);
}

// The skin's normal looks, and a hover look on every control the timer mends.
class Looks : public MainFixture {
  protected:
    Looks() {
        d.MeniuNormal.setPicture(pictureOf(3));
        d.MinimizeNormal.setPicture(pictureOf(4));
        d.CloseNormal.setPicture(pictureOf(5));
        d.ImgButton.setPicture(pictureOf(6));
    }
    template <class W>
    void hover(W& w) {
        for (ui::Image* i : {&w.Meniu1, &w.Meniu2, &w.Meniu3, &w.MinimizeButton, &w.CloseButton})
            i->setPicture(hoverLook);
    }
    template <class W>
    void expectNormal(W& w, bool normal) {
        for (ui::Image* i : {&w.Meniu1, &w.Meniu2, &w.Meniu3})
            EXPECT_EQ(i->picture() == d.MeniuNormal.picture(), normal) << i->Name().toStdString();
        EXPECT_EQ(w.MinimizeButton.picture() == d.MinimizeNormal.picture(), normal);
        EXPECT_EQ(w.CloseButton.picture() == d.CloseNormal.picture(), normal);
    }
    ui::Picture hoverLook = pictureOf(9);
};

TEST_F(Looks, HoverPicturesGoBackWithinOneTickOnTheWindowInUseAndAlwaysOnThePlaylist) {
    hover(m);
    list.Meniu2.setPicture(hoverLook);
    m.Image3.setPicture(hoverLook);
    tick(1000);
    expectNormal(m, true);
    EXPECT_EQ(list.Meniu2.picture(), d.MeniuNormal.picture());
    EXPECT_EQ(m.Image3.picture(), d.ImgButton.picture());

    MiniForm& mini = enterMiniMode();
    hover(m);
    hover(mini);
    list.CloseButton.setPicture(hoverLook);
    tick(1000);
    expectNormal(mini, true);
    expectNormal(m, false);
    EXPECT_EQ(list.CloseButton.picture(), d.CloseNormal.picture());
}

TEST_F(MainFixture, AMinimizedPlayerWindowTakesThePlaylistAndLibraryAlongWithinATick) {
    for (bool mini : {false, true}) {
        ui::Form& player = mini ? static_cast<ui::Form&>(enterMiniMode()) : m;
        d.PlaylistON.setCaption("1");
        d.MediaOn.setCaption("1");
        list.Show();
        library.Show();
        player.setWindowState(ui::Form::vbMinimized);
        player.setCaption("minimized title");
        tick(100);
        EXPECT_FALSE(list.Visible());
        EXPECT_FALSE(library.Visible());
        player.setWindowState(ui::Form::vbNormal);
        tick(100);
        EXPECT_TRUE(list.Visible()) << mini;
        EXPECT_TRUE(library.Visible()) << mini;
        EXPECT_EQ(player.Caption(), "Plenk Player");
    }
}

TEST_F(MainFixture, AClosedPlaylistStaysClosedWhileCaptionAndTimersComeBack) {
    list.Hide();
    d.PlaylistON.setCaption("0");
    m.setWindowState(ui::Form::vbMinimized);
    m.setCaption("minimized title");
    list.ScrollTimer.setEnabled(false);
    m.FixImages.setEnabled(false);
    tick(300);
    m.setWindowState(ui::Form::vbNormal);
    tick(100);
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(m.Caption(), "Plenk Player");
    EXPECT_TRUE(list.ScrollTimer.Enabled());
    EXPECT_TRUE(m.FixImages.Enabled());
}

TEST_F(MainFixture, ARestingVisualisationWakesOnlyAfterAMinimize) {
    frmBass& host = p.form<frmBass>();
    host.BassON.setCaption("True");
    host.tmrSpectrum.setEnabled(false);
    tick(1000);
    EXPECT_FALSE(host.tmrSpectrum.Enabled()) << "a paused stream's tick rests";
    m.setWindowState(ui::Form::vbMinimized);
    tick(100);
    m.setWindowState(ui::Form::vbNormal);
    host.tmrSpectrum.setEnabled(false);
    m.FixWindows_Timer();
    EXPECT_TRUE(host.tmrSpectrum.Enabled());
}

TEST_F(MainFixture, OtherModeTextsShowNothingAndNoTickLoadsTheHost) {
    if (p.app->isLoaded<frmBass>()) p.form<frmBass>().Unload();
    d.MiniMode.setCaption("maybe");
    d.PlaylistON.setCaption("1");
    list.Hide();
    for (const char* mode : {"maybe", "", "True"}) {
        d.MiniMode.setCaption(mode);
        o.Check1.setValue(1);
        m.LbStatus(0).setCaption("Playing");
        m.TimeCounter.setEnabled(true);
        m.FullScreenTimer.setEnabled(true);
        m.TimerMisc(0).setEnabled(true);
        tick(3000);
        EXPECT_FALSE(list.Visible()) << mode;
    }
    EXPECT_FALSE(p.app->isLoaded<frmBass>());
    EXPECT_FALSE(p.app->isLoaded<MiniForm>()) << "no tick brings an unloaded mini window back";
}

TEST_F(MainFixture, MinimizingByTheShortcutAndRestoringBringsThePlaylistBackAndSavesIt) {
    list.Show();
    o.AsciBox(6).setText("77");
    p.app->module<KeyShortcut>().ProcessShortcutKey(77);
    tick(100);
    ASSERT_EQ(m.WindowState(), ui::Form::vbMinimized);
    EXPECT_FALSE(list.Visible());
    m.setWindowState(ui::Form::vbNormal);
    tick(100);
    EXPECT_TRUE(list.Visible());
    EXPECT_THROW(m.controller().ClosePlenk(), ui::ProcessExit);
    EXPECT_TRUE(testsupport::readAll(p.program.file("settings.ini")).contains("Playlist=True"));
}

TEST_F(MainFixture, InFullScreenTheSlidersGoOnTheSixthQuietTick) {
    playMedium("clip.mpg");
    m.controller().SwitchToFullScreen();
    ASSERT_TRUE(m.FullScreenTimer.Enabled());
    for (int i = 1; i <= 5; ++i) {
        tick(1000);
        EXPECT_EQ(m.FullScreenSec.Caption(), QString::number(i));
        EXPECT_TRUE(m.SliderMoveMultimedia(0).Visible());
        EXPECT_TRUE(m.Volum.Visible());
        EXPECT_EQ(m.FrameVideo(0).Top(), 600.0f);
    }
    tick(1000);
    EXPECT_EQ(m.FullScreenSec.Caption(), "0");
    EXPECT_FALSE(m.SliderMoveMultimedia(0).Visible());
    EXPECT_FALSE(m.Volum.Visible());
    EXPECT_EQ(m.FrameVideo(0).Top(), 0.0f);
    EXPECT_FALSE(m.FullScreenTimer.Enabled());
    m.FullScreenSec.setCaption("abc");
    m.FullScreenTimer_Timer();
    EXPECT_EQ(m.FullScreenSec.Caption(), "1") << "text that is no number counts as 0";
}

TEST_F(MainFixture, TheMarqueeRotatesFiftyWholeCharacters) {
    const QString start = QString(9, ' ') + "Song";
    m.Titlu.setCaption(start);
    m.ScrollTextTimer_Timer();
    EXPECT_EQ(m.Titlu.Caption(), QString(8, ' ') + "Song" + QString(38, ' '));
    for (int i = 1; i < 50; ++i)
        m.ScrollTextTimer_Timer();
    EXPECT_EQ(m.Titlu.Caption(), start.leftJustified(50));

    const QString sixty = QString("abcdefghij").repeated(5) + "XXXXXXXXXX";
    m.Titlu.setCaption(sixty);
    for (int i = 0; i < 50; ++i) {
        m.ScrollTextTimer_Timer();
        EXPECT_FALSE(m.Titlu.Caption().contains('X'));
    }
    EXPECT_EQ(m.Titlu.Caption(), sixty.left(50));

    const QString clef = QString::fromUcs4(U"\U0001D11E");
    m.Titlu.setCaption(clef + "ab");
    m.ScrollTextTimer_Timer();
    EXPECT_EQ(m.Titlu.Caption(), "ab" + QString(47, ' ') + clef) << "a pair moves as one";
    EXPECT_EQ(m.Titlu.Caption().toUcs4().size(), 50);

    m.Titlu.setCaption(QString(10000, QChar(0x7)) + "end");
    m.ScrollTextTimer_Timer();
    EXPECT_EQ(m.Titlu.Caption(), QString(49, QChar(0x7)) + QChar(0x7));
}

TEST_F(MainFixture, MinimizedWindowsShowTheTitleInTheTaskBarWhenAsked) {
    MiniForm& mini = p.form<MiniForm>();
    m.Titlu.setCaption("Main title");
    mini.Titlu.setCaption("Mini title");
    m.setWindowState(ui::Form::vbMinimized);
    mini.setWindowState(ui::Form::vbMinimized);
    o.Check1.setValue(0);
    m.ScrollTextTimer_Timer();
    EXPECT_NE(m.Caption(), m.Titlu.Caption());
    EXPECT_NE(mini.Caption(), "Mini title");
    o.Check1.setValue(1);
    m.ScrollTextTimer_Timer();
    EXPECT_EQ(m.Caption(), m.Titlu.Caption());
    EXPECT_EQ(mini.Caption(), "Mini title");
}

TEST_F(MainFixture, TheElapsedTimeReadsWholeSecondsAndKeepsTheLastOnBadText) {
    const std::pair<const char*, const char*> times[] = {
        {"59", "00:59"},     {"60", "01:00"},   {"754", "12:34"},   {"6000", "100:00"},
        {"40000", "666:40"}, {"abc", "666:40"}, {"1e12", "666:40"}, {"2.5", "00:02"},
        {"-5", "00:-05"},    {"3.5", "00:04"},  {"", "00:04"},
    };
    for (auto [seconds, shown] : times) {
        library.LbCurrentTime(0).setCaption(seconds);
        m.TimeCounter_Timer();
        EXPECT_EQ(m.TSec.Caption(), shown) << seconds;
    }
    EXPECT_EQ(m.LabelVideo.Caption(), "PLENK PLAYER");
    m.LbActualCx(0).setCaption("320");
    m.TimeCounter_Timer();
    EXPECT_EQ(m.LabelVideo.Caption(), "00:04  " + m.Titlu.Caption());
}

TEST_F(MainFixture, TheStateLabelFollowsTheMediaEngineOnlyWhileTheHostIsNotInUse) {
    p.form<frmBass>().BassON.setCaption("True");
    m.StarePlayer.setCaption("Stopped");
    m.LbStatus(0).setCaption("playing");
    m.TimeCounter_Timer();
    EXPECT_EQ(m.StarePlayer.Caption(), "Stopped");
    p.form<frmBass>().BassON.setCaption("False");
    m.TimeCounter_Timer();
    EXPECT_EQ(m.StarePlayer.Caption(), "playing");
}

TEST_F(MainFixture, TheInformationLineCyclesInFifteenPlayingTicks) {
    library.Text2T.setText("Artist A");
    library.Text3T.setText("Album B");
    library.Text4T.setText("1999");
    m.PozInTop.setCaption("Place 3");
    m.LbStatus(0).setCaption("Playing");
    QStringList seen;
    for (int i = 0; i < 16; ++i) {
        m.TimeCounter_Timer();
        seen << m.InfoIDTag.Caption();
    }
    QStringList expected;
    for (auto [text, ticks] : {std::pair{"Artist: Artist A", 3},
                               {"Album: Album B", 4},
                               {"Year: 1999", 4},
                               {"Place 3", 4},
                               {"Artist: Artist A", 1}})
        for (int i = 0; i < ticks; ++i)
            expected << text;
    EXPECT_EQ(seen, expected);
    m.LbStatus(0).setCaption("playing");
    const std::int16_t step = m.InfoStep;
    m.TimeCounter_Timer();
    EXPECT_EQ(m.InfoStep, step) << "letter case counts";
}

// An update component that notes each version handed to it.
class RecordingChecker : public UpdateChecker {
  public:
    explicit RecordingChecker(QStringList& calls) : calls_(calls) {}
    void CheckVersion(QString& version) override { calls_ << version; }

  private:
    QStringList& calls_;
};

class UpdateCheck : public MainFixture {
  protected:
    UpdateCheck() { m.updateChecker().set(std::make_unique<RecordingChecker>(calls)); }
    QStringList calls;
};

TEST_F(UpdateCheck, WithTheOptionOffEachMinimizeRunsOneTickThenTheFifthTickChecksOnce) {
    o.Check6.setValue(0);
    for (int i = 0; i < 4; ++i) {
        m.VersionCheck.setEnabled(true);
        tick(5000);
        EXPECT_FALSE(m.VersionCheck.Enabled());
    }
    EXPECT_EQ(m.VersionTicks, 4);
    o.Check6.setValue(1);
    m.VersionCheck.setEnabled(true);
    tick(1000);
    EXPECT_EQ(calls, QStringList({PlenkApp::version()}));
    EXPECT_TRUE(m.VersionChecked);
    EXPECT_FALSE(m.VersionCheck.Enabled());
    m.VersionCheck.setEnabled(true);
    tick(10000);
    EXPECT_EQ(calls.size(), 1);
}

TEST_F(UpdateCheck, TheTickCountStopsAtItsBound) {
    o.Check6.setValue(1);
    m.VersionTicks = 6;
    m.VersionCheck.setEnabled(true);
    for (int i = 0; i < 40000; ++i)
        m.VersionCheck_Timer();
    EXPECT_EQ(m.VersionTicks, 32767);
    EXPECT_TRUE(m.VersionCheck.Enabled());
    EXPECT_TRUE(calls.isEmpty());
}

}  // namespace

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "core/MCore.h"

#include "shared/NumberText.h"
#include "support/Controllers.h"
#include "support/SkinFixture.h"
#include "windows/MainFixture.h"

using maintest::MainFixture;

namespace {

QByteArray settingsWith(std::map<int, QString> values) {
    QStringList out;
    for (int i = 0; i < 72; ++i)
        out << (values.count(i) ? values[i] : QString());
    return (out.join("\r\n") + "\r\n").toUtf8();
}

TEST_F(MainFixture, StartUpWritesTheTitleAndZeroesTheCounters) {
    EXPECT_EQ(m.Titlu.Caption(), "Plenk Player " + PlenkApp::version());
    EXPECT_EQ(m.ElapsedSeconds, 0);
    EXPECT_EQ(m.InfoStep, 0);
    EXPECT_EQ(m.VersionTicks, 0);
    EXPECT_FALSE(m.VersionChecked);
    EXPECT_FALSE(m.SwappedForVideo);
    EXPECT_EQ(m.FrameVideo(0).Top(), 370.0f);
    EXPECT_EQ(m.KeyFocus.Top(), -1000.0f);
    EXPECT_FALSE(p.app->isLoaded<MiniForm>()) << "asking about the mini window loads it not";
}

TEST(MainStartup, TheTrayIconFollowsTheOption) {
    for (const char* on : {"0", "1"}) {
        testsupport::PlayerFixture p(testsupport::notStarted());
        p.program.write("settings.ini", settingsWith({{64, on}}));
        p.start();
        EXPECT_EQ(p.app->tray().icons().size(), on == QString("1") ? 1u : 0u) << on;
    }
}

TEST(MainStartup, InMiniModeTheMiniWindowWearsTheMainWindowsLook) {
    testsupport::SkinFixture p(false);
    p.program.write("settings.ini", settingsWith({{20, "Silver"}, {56, "mini"}}));
    p.start();
    Main& m = p.form<Main>();
    ASSERT_TRUE(p.app->isLoaded<MiniForm>());
    MiniForm& mini = p.form<MiniForm>();
    ASSERT_TRUE(mini.Visible());
    EXPECT_EQ(p.form<DataForm>().MiniMode.Caption(), "True");
    const std::pair<ui::Label*, ui::Label*> labels[] = {
        {&mini.TSec, &m.TSec},           {&mini.StarePlayer, &m.StarePlayer},
        {&mini.TotalTime, &m.TotalTime}, {&mini.Titlu, &m.Titlu},
        {&mini.Label1, &m.Label1},       {&mini.Label3, &m.Label3},
        {&mini.Label4, &m.Label4},
    };
    for (auto [copy, original] : labels)
        EXPECT_EQ(copy->ForeColor(), original->ForeColor()) << original->Name().toStdString();
    EXPECT_NE(m.BackColor(), 0x8000000Fu) << "the skin gave the main window its colour";
    EXPECT_EQ(mini.BackColor(), m.BackColor());
    EXPECT_EQ(mini.Visualisation.BackColor(), m.BackColor());
    EXPECT_EQ(mini.ImagineVolum.picture(), m.ImagineVolum.picture());
}

TEST_F(MainFixture, ActivationRecordsWhereTheDockedWindowsStand) {
    m.Move(3000, 2000);
    list.Move(2700, 5535.5f);
    library.Hide();
    library.Move(9100, 1000);
    m.Form_Activate();
    EXPECT_EQ(d.Sn1.Caption(), "-300");
    EXPECT_EQ(d.Sn2.Caption(), "3535.5");
    EXPECT_EQ(d.Sn3.Caption(), "6100") << "a hidden library is measured as well";
    EXPECT_EQ(d.Sn4.Caption(), "-1000");
    EXPECT_EQ(d.Magnet.Caption(), "1");

    shared::ScopedDecimalSeparator comma(',');
    m.Form_Activate();
    EXPECT_EQ(d.Sn1.Caption(), "-300");
    EXPECT_EQ(d.Sn2.Caption(), "3535,5");
}

TEST_F(MainFixture, ActivationHidesAPlaylistTheUserClosed) {
    list.Show();
    d.PlaylistON.setCaption("0");
    m.Form_Activate();
    EXPECT_FALSE(list.Visible());
    d.PlaylistON.setCaption("1");
    list.Show();
    m.Form_Activate();
    EXPECT_TRUE(list.Visible());
}

TEST_F(MainFixture, DockingIsOnOnlyWhileTheMainWindowIsTheActiveOneOfTheProgram) {
    p.app->noteActivated(m);
    EXPECT_EQ(d.Magnet.Caption(), "1");
    p.app->noteActivated(list);
    EXPECT_EQ(d.Magnet.Caption(), "0") << "moving to the playlist deactivates the main window";
    p.app->noteActivated(m);
    EXPECT_EQ(d.Magnet.Caption(), "1");
    d.Magnet.setCaption("1");
    m.Form_LostFocus();
    EXPECT_EQ(d.Magnet.Caption(), "1") << "the desktop taking the focus is no switch";
    EXPECT_FALSE(p.form<FormMeniuri>().SysTrayMenu.Visible());
}

TEST_F(MainFixture, TheCloseButtonInFullScreenLeavesItAndASecondClickEnds) {
    playMedium("clip.mpg");
    m.controller().SwitchToFullScreen();
    ASSERT_EQ(d.FullScreenStat.Caption(), "True");
    m.CloseButton_Click();
    EXPECT_EQ(d.FullScreenStat.Caption(), "False");
    EXPECT_THROW(m.CloseButton_Click(), ui::ProcessExit);
}

TEST_F(MainFixture, TheCloseButtonsHoverLookGoesWithinATick) {
    d.CloseNormal.setPicture(ui::Picture(QPixmap(4, 4)));
    d.CloseFocus.setPicture(ui::Picture(QPixmap(5, 5)));
    d.MinimizeNormal.setPicture(ui::Picture(QPixmap(6, 6)));
    m.CloseButton.MouseMove.raise(0, 0, 10.0f, 10.0f);
    EXPECT_EQ(m.CloseButton.picture(), d.CloseFocus.picture());
    EXPECT_EQ(m.MinimizeButton.picture(), d.MinimizeNormal.picture());
    tick(1000);
    EXPECT_EQ(m.CloseButton.picture(), d.CloseNormal.picture());
}

// A controller that notes whether every medium was closed before its stop.
class CloseOrder : public testsupport::RecordingMain {
  public:
    CloseOrder(PlenkApp& app, QStringList& log, media::TestBackend& media)
        : RecordingMain(app, log), log_(log), media_(media) {}
    void SStop() override {
        bool closed = false;
        for (const std::string& c : media_.commands())
            closed =
                closed || QString::fromStdString(c).compare("Close All", Qt::CaseInsensitive) == 0;
        log_ << (closed ? "SStop after Close All" : "SStop");
    }

  private:
    QStringList& log_;
    media::TestBackend& media_;
};

TEST_F(MainFixture, TheDesktopsCloseStopsPollingClosesEveryMediumThenStopsAndSaves) {
    playMedium("clip.mpg");
    ASSERT_TRUE(m.TimerMisc(0).Enabled());
    QStringList calls;
    m.controllerSlot().set(std::make_unique<CloseOrder>(*p.app, calls, p.media()));
    EXPECT_THROW(m.requestClose(), ui::ProcessExit);
    EXPECT_FALSE(m.TimerMisc(0).Enabled());
    EXPECT_EQ(calls, QStringList({"SStop after Close All", "ClosePlenk"}));
}

}  // namespace

namespace {

const QByteArray kDrivers =
    "[MCI]\r\nMPEGVideo=mciqtz.drv\r\nsequencer=mciseq.drv\r\navivideo=mciavi.drv\r\n";

TEST(MainStartup, DriverEntriesAreWrittenOnlyWhereTheyDiffer) {
    testsupport::PlayerFixture p(testsupport::notStarted());
    const QString ini = p.settings.write("system.ini", kDrivers);
    const QDateTime old(QDate(2001, 1, 1), QTime(0, 0));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    p.start();
    EXPECT_EQ(QFileInfo(ini).lastModified(), old) << "nothing to write";
    EXPECT_EQ(testsupport::readAll(ini), kDrivers);

    testsupport::PlayerFixture q(testsupport::notStarted());
    QByteArray other = kDrivers;
    other.replace("MPEGVideo=mciqtz.drv", "MPEGVideo=other.drv");
    q.settings.write("system.ini", other);
    q.start();
    MCore& mci = q.app->module<MCore>();
    EXPECT_EQ(mci.ReadMciDriver("MPEGVideo"), "mciqtz.drv");
    EXPECT_EQ(mci.ReadMciDriver("sequencer"), "mciseq.drv");
}

TEST(MainStartup, AnUnusableSystemIniSkipsTheStepOnly) {
    testsupport::PlayerFixture p(testsupport::notStarted());
    QDir(p.settings.path()).mkdir("system.ini");
    p.start();
    Main& m = p.form<Main>();
    EXPECT_EQ(m.KeyFocus.Top(), -1000.0f) << "the steps after it ran";
    EXPECT_EQ(p.form<DataForm>().CalePlenkPlayer.ListCount(), 1);
}

}  // namespace

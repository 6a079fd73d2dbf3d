#include <gtest/gtest.h>

#include "core/frmBass.h"
#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/Twips.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/SkinFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

// The started player with its main window shown.
class Input : public ::testing::Test {
  protected:
    testsupport::SkinFixture p;
    Main& m = p.form<Main>();
    DataForm& d = p.form<DataForm>();
    Options& o = p.form<Options>();
    Playlist& list = p.form<Playlist>();
    MediaLibrary& lib = p.form<MediaLibrary>();
    ui::RecordingDialogs& dialogs = *p.dialogs;

    void SetUp() override { m.Show(); }

    // A scripted video playing through the media engine.
    void openVideo() {
        const QString path = p.program.write("clip.mpg", "x");
        p.media().addMedium(path.toStdString(), {60000, 25, QSize(320, 240)});
        m.LbFileName(0).setCaption(path);
        d.FromPlaylist.setCaption("False");
        m.controller().Play();
        ASSERT_TRUE(m.videoOpen());
    }
    int moves() { return dialogs.count("MoveLoop"); }
    const ui::RecordingDialogs::Shown& lastMenu() {
        for (auto it = dialogs.shown.rbegin(); it != dialogs.shown.rend(); ++it)
            if (it->kind == "Menu") return *it;
        static const ui::RecordingDialogs::Shown none;
        return none;
    }
    QPoint windowPoint(float x, float y) {
        return m.widget()->mapToGlobal(QPoint(ui::toPixels(x), ui::toPixels(y)));
    }
    QImage skinPicture(const char* file) {
        return SkinFiles::picture(*p.app, QString("\\") + file).image();
    }
    // The tray of a desktop that has one (or not), and the tray option on.
    void trayOption(bool trayPresent) {
        p.app->tray().setTrayPresent([trayPresent] { return trayPresent; });
        o.Check7.setValue(0);
        o.Check7.setValue(1);
    }
};

TEST_F(Input, EveryDragSourceMovesTheWindowWithAnyButton) {
    ui::Control* sources[] = {&m.Image1,        &m.ImagineVolum,   &m.ImgBottomCenter,
                              &m.ImgBottomLeft, &m.ImgBottomRight, &m.ImgLeft,
                              &m.ImgRight,      &m.ImgTopCenter,   &m.ImgTopLeft,
                              &m.ImgTopRight,   &m.InfoIDTag,      &m.labBitRate,
                              &m.labFreqChan,   &m.labLayer,       &m.labLength,
                              &m.labSize,       &m.LabelVideo,     &m.MultimediaInfoLabel,
                              &m.RightFrame,    &m.StarePlayer,    &m.Titlu,
                              &m.TotalTime,     &m.TSec,           &m.Visualisation,
                              &m.Logo};
    int expected = 0;
    for (ui::Control* source : sources)
        for (int button : {ui::vbLeftButton, ui::vbRightButton, ui::vbMiddleButton}) {
            source->MouseDown.raise(button, ui::vbShiftMask, -5000, 99999);
            EXPECT_EQ(moves(), ++expected) << source->Name().toStdString() << " " << button;
        }
    m.Form_MouseDown(ui::vbRightButton, 0, 10, 10);
    EXPECT_EQ(moves(), expected + 1);
    m.Image3.MouseDown.raise(ui::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(moves(), expected + 1) << "the info label backgrounds do not drag";
}

TEST_F(Input, NoDragInFullScreenOrWhileMinimized) {
    d.FullScreenStat.setCaption("True");
    m.ImgTopCenter.MouseDown.raise(ui::vbLeftButton, 0, 0, 0);
    m.Form_MouseDown(ui::vbLeftButton, 0, 0, 0);
    m.FormMove(m);
    d.FullScreenStat.setCaption("False");
    m.setWindowState(ui::Form::vbMinimized);
    m.FormMove(m);
    EXPECT_EQ(moves(), 0);
}

TEST_F(Input, APressThatMovesNothingStillLetsTheSecondPressDoubleClick) {
    d.MainMode.setCaption("Full");
    m.Move(1500, 900);
    m.ImgTopCenter.deliverMouse(ui::Control::kMouseDown, ui::vbLeftButton, 0, 30, 30);
    m.ImgTopCenter.deliverMouse(ui::Control::kMouseUp, ui::vbLeftButton, 0, 30, 30);
    m.ImgTopCenter.deliverMouse(ui::Control::kDblClick, ui::vbLeftButton, 0, 30, 30);
    EXPECT_EQ(moves(), 1);
    EXPECT_EQ(m.Left(), 1500.0f);
    EXPECT_EQ(m.Top(), 900.0f);
    EXPECT_EQ(d.MainMode.Caption(), "Small");
}

TEST_F(Input, TheTitleStripSwitchesTheLayoutWithoutAVideoAndFullScreenWithOne) {
    d.MainMode.setCaption("Full");
    m.ImgTopCenter_DblClick();
    EXPECT_EQ(d.MainMode.Caption(), "Small");
    EXPECT_EQ(m.Height(), 2000.0f);
    m.LabelVideo_DblClick();
    EXPECT_EQ(d.MainMode.Caption(), "Full");
    m.ImgTopRight_DblClick();
    EXPECT_EQ(d.MainMode.Caption(), "Small");
    m.Form_DblClick();
    EXPECT_EQ(d.FullScreenStat.Caption(), "False") << "no video: no full screen";

    openVideo();
    m.ImgTopCenter_DblClick();
    EXPECT_EQ(d.FullScreenStat.Caption(), "True");
    EXPECT_EQ(d.MainMode.Caption(), "Small") << "the mode stays while a video shows";
    m.ImgTopRight_DblClick();
    EXPECT_EQ(d.FullScreenStat.Caption(), "True") << "the right corner only switches the mode";
    m.Form_DblClick();
    EXPECT_EQ(d.FullScreenStat.Caption(), "False");
}

TEST_F(Input, TheEqualizerButtonSwitchesItsPictureAndResendsTheBands) {
    o.Option13.setValue(true);
    m.ImgButton_MouseMove(2);
    EXPECT_EQ(m.ImgButton2.picture().image(), d.ImgButton2b.picture().image())
        << "off, the hover keeps the off picture";
    for (int i = 0; i <= 10; ++i)
        m.sldEQR(i).setToolTipText("");
    m.ImgButton2_Click();
    EXPECT_TRUE(o.Option12.Value());
    EXPECT_FALSE(o.Option13.Value());
    EXPECT_EQ(m.ImgButton2.picture().image(), skinPicture("button2.bmp"));
    EXPECT_EQ(m.sldEQR(10).ToolTipText(), "100") << "every band sent again";
    m.ImgButton_MouseMove(2);
    EXPECT_EQ(m.ImgButton2.picture().image(), d.ImgButton2Hover.picture().image());
    m.ImgButton2_Click();
    EXPECT_TRUE(o.Option13.Value());
    EXPECT_EQ(m.ImgButton2.picture().image(), skinPicture("button2b.bmp"));
}

TEST_F(Input, HoverLooksFollowTheWindowsTheButtonsStandFor) {
    list.Hide();
    m.ImgButton_MouseMove(4);
    EXPECT_EQ(m.ImgButton4.picture().image(), d.ImgButton4Hover.picture().image());
    EXPECT_EQ(m.ImgButton5.picture().image(), d.ImgButton5b.picture().image());
    m.Image1_MouseMove();
    EXPECT_EQ(m.ImgButton4.picture().image(), d.ImgButton4b.picture().image());
    m.ImgButton_MouseMove(1);
    EXPECT_EQ(m.ImgButton1.picture().image(), d.ImgButton1Hover.picture().image());
    m.MenuHead_MouseMove(2);
    EXPECT_EQ(m.Meniu2.picture().image(), d.MeniuHover.picture().image());
    EXPECT_EQ(m.Meniu1.picture().image(), d.MeniuNormal.picture().image());
    m.Image4_MouseMove();
    EXPECT_EQ(m.Image4.picture().image(), d.ImgButtonFocus.picture().image());
    m.RightFrame_MouseMove();
    EXPECT_EQ(m.Image4.picture().image(), d.ImgButton.picture().image());
    m.MinimizeButton_MouseMove();
    EXPECT_EQ(m.MinimizeButton.picture().image(), d.MinimizeFocus.picture().image());
    m.ResizeArea_MouseMove(0, 0, 0, 0);
    m.ImgBottomRight.MouseMove.raise(0, 0, 0, 0);
    EXPECT_EQ(p.app->screen().MousePointer(), 0);
}

TEST_F(Input, TheLibraryButtonsShowItsRankingsAndTheInfoLabelHidesIt) {
    lib.Show();
    lib.FrameIDTag.setVisible(true);
    m.ImgButton5_Click();
    EXPECT_TRUE(lib.Visible()) << "the button never hides the library";
    EXPECT_FALSE(lib.FrameIDTag.Visible());
    EXPECT_TRUE(lib.FrameTop10.Visible());
    EXPECT_FALSE(lib.FrameLibrary.Visible());
    d.MediaOn.setCaption("1");
    m.InfoLabel_Click();
    EXPECT_FALSE(lib.Visible());
    EXPECT_EQ(d.MediaOn.Caption(), "0") << "a restore must not bring it back";
    m.Image3_Click();
    EXPECT_TRUE(lib.Visible());
}

TEST_F(Input, OptionsOpenModallyOnGeneralAndPresetsAtThePointer) {
    o.Fr.setCaption("Skin");
    m.ImgButton6_Click();
    EXPECT_EQ(o.Fr.Caption(), "General");
    EXPECT_EQ(dialogs.shown.back().kind, "Modal");
    EXPECT_EQ(dialogs.shown.back().text, "Options");
    p.app->pointer().script({321, 123});
    m.ImgButton3_Click();
    EXPECT_EQ(lastMenu().text, "PresetMenu");
    EXPECT_EQ(lastMenu().at, QPoint(321, 123));
}

TEST_F(Input, AMenuHeadLeavesFullScreenThenOpensItsMenuUnderTheHead) {
    openVideo();
    m.controller().SwitchToFullScreen();
    ASSERT_EQ(d.FullScreenStat.Caption(), "True");
    m.Label1.MouseUp.raise(ui::vbRightButton, 0, 0, 0);
    EXPECT_EQ(d.FullScreenStat.Caption(), "False");
    EXPECT_EQ(lastMenu().text, "MainMenu1");
    EXPECT_EQ(lastMenu().at, windowPoint(250, 300));
    m.Meniu3.MouseUp.raise(ui::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(lastMenu().text, "MainMenu3");
    EXPECT_EQ(lastMenu().at, windowPoint(2050, 300));
    m.Label3.MouseUp.raise(ui::vbMiddleButton, 0, 0, 0);
    EXPECT_EQ(lastMenu().at, windowPoint(1100, 300));
}

TEST_F(Input, TheVideoMenuOpensOnlyOnARightReleaseOverAShownVideo) {
    m.Form_MouseUp(ui::vbRightButton, 0, 100, 100);
    EXPECT_EQ(dialogs.count("Menu"), 0) << "no video shown";
    openVideo();
    m.Form_MouseUp(ui::vbLeftButton, 0, 100, 100);
    EXPECT_EQ(dialogs.count("Menu"), 0);
    p.app->pointer().script({200, 150});
    m.FrameVideo(0).MouseUp.raise(ui::vbRightButton, 0, 10, 10);
    EXPECT_EQ(lastMenu().text, "VideoMenu");
    EXPECT_EQ(lastMenu().at, QPoint(200, 150));
}

TEST_F(Input, ClicksAndMovesInFullScreenBringTheSlidersBack) {
    openVideo();
    m.controller().SwitchToFullScreen();
    m.SliderMoveMultimedia(0).setVisible(false);
    m.Volum.setVisible(false);
    m.FullScreenTimer.setEnabled(false);
    m.FullScreenSec.setCaption("4");
    m.FrameVideo(0).MouseMove.raise(0, 0, 10, 10);
    EXPECT_TRUE(m.FullScreenTimer.Enabled());
    EXPECT_EQ(m.FullScreenSec.Caption(), "4") << "a move alone does not restart the count";
    m.FrameVideo(0).Click.raise();
    EXPECT_EQ(m.FullScreenSec.Caption(), "0");
    EXPECT_TRUE(m.SliderMoveMultimedia(0).Visible());
    EXPECT_TRUE(m.Volum.Visible());
    m.FullScreenSec.setCaption("4");
    m.LabelVideo_MouseMove();
    EXPECT_EQ(m.FullScreenSec.Caption(), "0");
}

TEST_F(Input, MinimizingRecordsTheWindowsSetsTheCaptionAndStopsTheTimers) {
    list.Show();
    lib.Hide();
    list.ScrollTimer.setEnabled(true);
    m.FixImages.setEnabled(true);
    m.MinimizeButton_Click();
    EXPECT_EQ(m.WindowState(), ui::Form::vbMinimized);
    EXPECT_EQ(d.PlaylistON.Caption(), "1");
    EXPECT_EQ(d.MediaOn.Caption(), "0");
    EXPECT_EQ(m.Caption(), "Plenk Player        ");
    EXPECT_FALSE(list.Visible());
    EXPECT_TRUE(m.VersionCheck.Enabled());
    EXPECT_FALSE(list.ScrollTimer.Enabled());
    EXPECT_FALSE(m.FixImages.Enabled());
    EXPECT_FALSE(p.app->isLoaded<frmBass>()) << "asking after the host does not load it";
    EXPECT_TRUE(m.Visible()) << "no tray option: it stays on the task bar";

    m.setWindowState(ui::Form::vbNormal);
    m.VersionCheck.setEnabled(false);
    m.VersionChecked = true;
    o.Check1.setValue(1);
    m.Titlu.setCaption("Beta tune");
    m.MinimizeButton_Click();
    EXPECT_EQ(m.Caption(), "Beta tune");
    EXPECT_FALSE(m.VersionCheck.Enabled()) << "the update check runs once";
}

TEST_F(Input, AMinimizeInFullScreenOnlyStopsTheTimers) {
    openVideo();
    m.controller().SwitchToFullScreen();
    d.PlaylistON.setCaption("1");
    const QString caption = m.Caption();
    p.form<frmBass>().tmrSpectrum.setEnabled(true);
    m.MinimizeButton_Click();
    EXPECT_EQ(m.WindowState(), ui::Form::vbNormal);
    EXPECT_EQ(d.PlaylistON.Caption(), "1");
    EXPECT_EQ(m.Caption(), caption);
    EXPECT_FALSE(m.FixImages.Enabled());
    EXPECT_FALSE(p.form<frmBass>().tmrSpectrum.Enabled());
}

TEST_F(Input, TheTrayBringsTheWindowBackAndOpensItsMenu) {
    trayOption(true);
    m.MinimizeButton_Click();
    EXPECT_FALSE(m.Visible()) << "it lives on in the tray";
    p.app->tray().notify(m.trayId(), ui::vbRightButton);
    EXPECT_EQ(lastMenu().text, "SysTrayMenu");
    p.app->tray().notify(m.trayId(), ui::vbLeftButton);
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(m.WindowState(), ui::Form::vbNormal);
    const int menus = dialogs.count("Menu");
    p.app->tray().notify(m.trayId(), ui::vbRightButton);
    EXPECT_EQ(dialogs.count("Menu"), menus) << "a window on screen ignores the tray";
}

TEST_F(Input, AFullScreenMinimizeWithTheTrayOptionComesBackFromTheTray) {
    trayOption(true);
    openVideo();
    m.controller().SwitchToFullScreen();
    m.MinimizeButton_Click();
    EXPECT_FALSE(m.Visible());
    EXPECT_EQ(m.WindowState(), ui::Form::vbNormal);
    p.app->tray().notify(m.trayId(), ui::vbLeftButton);
    EXPECT_TRUE(m.Visible()) << "hidden, not minimized, and still brought back";
}

TEST_F(Input, WithoutATrayTheTrayOptionKeepsTheWindowOnTheTaskBar) {
    trayOption(false);
    m.MinimizeButton_Click();
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(m.WindowState(), ui::Form::vbMinimized);
}

TEST_F(Input, InMiniModeTheTrayBringsTheMiniWindowBackAndLeavesTheMainWindowHidden) {
    trayOption(true);
    m.Hide();
    MiniForm& mini = p.form<MiniForm>();
    mini.Show();
    d.MiniMode.setCaption("True");
    p.app->tray().notify(m.trayId(), ui::vbRightButton);
    EXPECT_EQ(dialogs.count("Menu"), 0) << "a window on screen ignores the tray";
    mini.MinimizeButton_Click();
    p.app->tray().notify(m.trayId(), ui::vbRightButton);
    EXPECT_EQ(lastMenu().text, "SysTrayMenu");
    p.app->tray().notify(m.trayId(), ui::vbLeftButton);
    EXPECT_EQ(mini.WindowState(), ui::Form::vbNormal);
    EXPECT_TRUE(mini.Visible());
    EXPECT_FALSE(m.Visible());
}

TEST_F(Input, ThePlaylistToggleTwiceReturnsToWhereItWas) {
    list.Show();
    m.PlaylistLabel_Click();
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(d.PlaylistON.Caption(), "0");
    EXPECT_EQ(m.ImgButton4.picture().image(), skinPicture("button4b.bmp"));
    m.ImgButton4_Click();
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(d.PlaylistON.Caption(), "1");
    EXPECT_EQ(m.ImgButton4.picture().image(), skinPicture("button4.bmp"));
    // A skin without the hidden picture keeps the one it had for that state.
    const QImage hidden = skinPicture("button4b.bmp");
    QFile::remove(p.skinFile("Default", "button4b.bmp"));
    p.pick("Default");
    m.Image4_Click();
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(m.ImgButton4.picture().image(), hidden);
}

TEST_F(Input, TheGripSizesWithTheLeftButtonAloneAndRecordsAVideosSize) {
    for (int buttons : {int(ui::vbRightButton), ui::vbLeftButton | ui::vbRightButton, 0}) {
        m.ResizeArea.MouseMove.raise(buttons, 0, 0, 0);
        EXPECT_EQ(p.app->screen().MousePointer(), 8);
    }
    EXPECT_EQ(moves(), 0);
    m.ResizeArea_MouseMove(ui::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(moves(), 1);
    EXPECT_EQ(d.VideoSizeWidth2.Caption(), "9000") << "no video: nothing recorded";

    openVideo();
    const QPoint grip = m.ResizeArea.widget()->mapToGlobal(QPoint(5, 5));
    p.app->pointer().script(grip);
    dialogs.pointerPaths.push_back({grip + QPoint(20, 10)});
    const float width = m.Width();
    m.ResizeArea_MouseMove(ui::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(m.Width(), width + 300);
    EXPECT_EQ(d.VideoSizeWidth2.Caption(), QString::number(m.Width()));
    EXPECT_EQ(d.VideoSizeHeight2.Caption(), QString::number(m.Height()));

    // Dragged to nothing and far past the screen: sizes the window keeps.
    for (QPoint travel : {QPoint(-5000, -5000), QPoint(20000, 20000)}) {
        p.app->pointer().script(m.ResizeArea.widget()->mapToGlobal(QPoint(5, 5)));
        dialogs.pointerPaths.push_back({grip + travel});
        m.ResizeArea_MouseMove(ui::vbLeftButton, 0, 0, 0);
        EXPECT_GT(m.Width(), 0.0f);
        EXPECT_GT(m.Height(), 0.0f);
        EXPECT_EQ(d.VideoSizeWidth2.Caption(), QString::number(m.Width()));
        EXPECT_EQ(d.VideoSizeHeight2.Caption(), QString::number(m.Height()));
    }
}

TEST_F(Input, KeysInTheKeySinkReachTheShortcutsOnce) {
    QStringList calls;
    KeyShortcut& keys = p.app->module<KeyShortcut>();
    keys.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
    o.AsciBox(1).setText("80");
    int code = 80;
    m.KeyFocus.deliverKeyDown(code, ui::vbShiftMask);
    EXPECT_EQ(calls, QStringList({"Play"}));
    code = 0xFF;
    m.KeyFocus.deliverKeyDown(code, 0);
    m.Form_KeyDown(code, 7);
    EXPECT_EQ(calls.size(), 1) << "an unknown key does nothing";
    EXPECT_EQ(m.KeyFocus.Top(), -1000.0f) << "out of sight after the load";

    m.Butoane1.SetFocus();
    m.Volum.SetFocus();
    EXPECT_EQ(p.app->focusedControl(), &m.KeyFocus) << "the strip hands the focus on";
}

}  // namespace

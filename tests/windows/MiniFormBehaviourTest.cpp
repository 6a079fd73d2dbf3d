// What the mini window does once built: drags, activation, the ways back,
// menus, hover pictures, minimize, close, layout and keys.
#include <gtest/gtest.h>

#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/Twips.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/NumberText.h"
#include "support/Controllers.h"
#include "windows/MiniFixture.h"

namespace {

using testsupport::MiniFixture;
using testsupport::shown;

class MiniBehaviour : public ::testing::Test {
  protected:
    MiniFixture f;
    DataForm& d = f.form<DataForm>();
    Main& m = f.form<Main>();
    Playlist& list = f.form<Playlist>();
    ui::RecordingDialogs& dialogs = *f.dialogs;
    QStringList calls;

    int shownCount(const QString& kind) const { return dialogs.count(kind); }
    void fullScreen(bool on) { d.FullScreenStat.setCaption(on ? "True" : "False"); }
};

TEST_F(MiniBehaviour, DragsOnlyInTheNormalStateOutsideFullScreen) {
    MiniForm& w = f.enterMini();
    w.TSec.MouseDown.raise(ui::vbLeftButton, 0, 10, 10);
    EXPECT_EQ(shownCount("MoveLoop"), 1);
    w.Form_MouseDown(ui::vbRightButton, 0, 0, 0);
    w.Visualisation.MouseDown.raise(ui::vbMiddleButton, 0, 1, 1);
    EXPECT_EQ(shownCount("MoveLoop"), 3);
    fullScreen(true);
    w.Image1.MouseDown.raise(ui::vbLeftButton, 0, 1, 1);
    w.FormMove(m);
    EXPECT_EQ(shownCount("MoveLoop"), 3);
    fullScreen(false);
    w.setWindowState(ui::Form::vbMinimized);
    w.StarePlayer.MouseDown.raise(ui::vbLeftButton, 0, 1, 1);
    EXPECT_EQ(shownCount("MoveLoop"), 3);
    // Whatever window is named, the mini window is the one dragged.
    w.setWindowState(ui::Form::vbNormal);
    w.FormMove(m);
    ASSERT_EQ(shownCount("MoveLoop"), 4);
    EXPECT_EQ(dialogs.shown.back().text, "MiniForm");
}

TEST_F(MiniBehaviour, ActivationKeepsTheMiniWindowWithoutAVideo) {
    MiniForm& w = f.enterMini();
    d.Magnet.setCaption("0");
    for (const char* width : {"-1", "1", "1.0", "abc"}) {
        SCOPED_TRACE(width);
        m.LbActualCx(0).setCaption(width);
        w.Form_Activate();
        EXPECT_TRUE(f.miniLoaded());
        EXPECT_EQ(d.MiniMode.Caption(), "True");
        EXPECT_EQ(d.Magnet.Caption(), "1");
        EXPECT_EQ(f.app->focusedControl(), &w.KeyFocus);
    }
    w.Form_Deactivate();
    EXPECT_EQ(d.Magnet.Caption(), "0");
}

TEST_F(MiniBehaviour, ActivationWithAVideoHandsOverToMainAtThisPlace) {
    m.LbActualCx(0).setCaption("640");
    MiniForm& w = f.enterMini();
    m.Move(100, 200, 7000, 5000);
    d.MainMode.setCaption("Small");
    w.Move(3000, 1500);
    w.Form_Activate();
    EXPECT_FALSE(f.miniLoaded());
    EXPECT_FALSE(f.snapped(w));
    EXPECT_EQ(m.Left(), 3000);
    EXPECT_EQ(m.Top(), 1500);
    EXPECT_EQ(m.Width(), 7000);
    EXPECT_EQ(m.Height(), 5000);
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(d.MiniMode.Caption(), "False");
    EXPECT_EQ(d.MainMode.Caption(), "Small");
}

TEST_F(MiniBehaviour, ActivationTakesTheDockingOffsetsAndHidesAPlaylistMeantHidden) {
    MiniForm& w = f.enterMini();
    w.Move(4500, 3000);
    list.Move(3000, 3200);
    f.form<MediaLibrary>().Move(4500.5f, 2000);
    list.Show();
    f.form<MediaLibrary>().Show();
    d.PlaylistON.setCaption("1");
    w.Form_Activate();
    EXPECT_EQ(d.Sn1.Caption(), "-1500");
    EXPECT_EQ(d.Sn2.Caption(), "200");
    EXPECT_EQ(d.Sn3.Caption(), shared::formatSingle(0.5f));
    EXPECT_EQ(d.Sn4.Caption(), "-1000");
    EXPECT_TRUE(list.Visible());
    d.PlaylistON.setCaption("0");
    w.Form_Activate();
    EXPECT_FALSE(list.Visible());
    EXPECT_TRUE(f.form<MediaLibrary>().Visible());
}

TEST_F(MiniBehaviour, DoubleClickGoesBackToTheFullMainWindowAtThisPlace) {
    for (bool onTopStrip : {false, true}) {
        SCOPED_TRACE(onTopStrip);
        MiniForm& w = f.enterMini();
        d.MainMode.setCaption("Small");
        m.Move(0, 0, 9000, 2000);
        m.Image3.setVisible(false);
        m.PlaylistLabel.setVisible(false);
        w.Move(2400, 1200);
        (onTopStrip ? w.ImgTopCenter : static_cast<ui::Control&>(w.LabelVideo)).DblClick.raise();
        EXPECT_FALSE(f.miniLoaded());
        EXPECT_EQ(d.MiniMode.Caption(), "False");
        EXPECT_EQ(d.MainMode.Caption(), "Full");
        EXPECT_EQ(m.Left(), 2400);
        EXPECT_EQ(m.Top(), 1200);
        EXPECT_EQ(m.Width(), 6100);
        EXPECT_EQ(m.Height(), 3530);
        EXPECT_TRUE(m.Image3.Visible() && m.PlaylistLabel.Visible());
        EXPECT_EQ(m.RightFrame.Height(), 2295);
        EXPECT_EQ(m.MainFrame(1).Height(), 2900);
        EXPECT_TRUE(m.Visible());
    }
}

TEST_F(MiniBehaviour, MenuHeadsPopTheirMenuBelowThemOutsideFullScreen) {
    MiniForm& w = f.enterMini();
    w.Move(1500, 1500);
    w.Label3.MouseUp.raise(ui::vbRightButton, 0, 5, 5);
    ASSERT_EQ(shownCount("Menu"), 1);
    EXPECT_EQ(dialogs.shown.back().text, "MainMenu2");
    EXPECT_EQ(dialogs.shown.back().at, w.widget()->mapToGlobal(QPoint(1100 / 15, 300 / 15)));
    w.Meniu2.MouseUp.raise(ui::vbLeftButton, 0, 5, 5);
    EXPECT_EQ(shownCount("Menu"), 2);
    fullScreen(true);
    w.Label3.MouseUp.raise(ui::vbLeftButton, 0, 5, 5);
    w.Meniu2.MouseUp.raise(ui::vbLeftButton, 0, 5, 5);
    EXPECT_EQ(shownCount("Menu"), 2);
}

TEST_F(MiniBehaviour, HoverLightsOneButtonAndTheWindowPutsAllBack) {
    MiniForm& w = f.enterMini();
    d.MeniuHover.setPicture(ui::LoadPicture(f.skinFile("Silver", "menu-hover.bmp")));
    const QImage normal = shown(d.MeniuNormal.picture()), lit = shown(d.MeniuHover.picture());
    const QImage minNormal = shown(d.MinimizeNormal.picture()),
                 minLit = shown(d.MinimizeFocus.picture()),
                 closeNormal = shown(d.CloseNormal.picture()),
                 closeLit = shown(d.CloseFocus.picture());
    w.Label3.MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(shown(w.Meniu1.picture()), normal);
    EXPECT_EQ(shown(w.Meniu2.picture()), lit);
    w.Meniu3.MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(shown(w.Meniu2.picture()), normal);
    EXPECT_EQ(shown(w.Meniu3.picture()), lit);
    w.MinimizeButton.MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(shown(w.MinimizeButton.picture()), minLit);
    EXPECT_EQ(shown(w.Meniu3.picture()), lit);
    w.CloseButton.MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(shown(w.MinimizeButton.picture()), minNormal);
    EXPECT_EQ(shown(w.CloseButton.picture()), closeLit);
    // The background resets the heads only; the window resets all five.
    w.ImgTopLeft.MouseMove.raise(0, 0, 1, 1);
    EXPECT_EQ(shown(w.Meniu3.picture()), normal);
    EXPECT_EQ(shown(w.CloseButton.picture()), closeLit);
    w.Meniu1.MouseMove.raise(0, 0, 1, 1);
    w.Form_MouseMove(0, 0, 1, 1);
    EXPECT_EQ(shown(w.Meniu1.picture()), normal);
    EXPECT_EQ(shown(w.CloseButton.picture()), closeNormal);
}

TEST_F(MiniBehaviour, MinimizeHidesTheDockedWindowsAndCaptionsTheTaskBar) {
    MiniForm& w = f.enterMini();
    const std::size_t trayIcons = f.app->tray().icons().size();
    list.Show();
    f.form<MediaLibrary>().Hide();
    w.Titlu.setCaption("Artist - Title");
    w.MinimizeButton.Click.raise();
    EXPECT_EQ(w.WindowState(), ui::Form::vbMinimized);
    EXPECT_EQ(d.PlaylistON.Caption(), "1");
    EXPECT_EQ(d.MediaOn.Caption(), "0");
    EXPECT_EQ(w.Caption(), "Plenk Player        ");
    EXPECT_FALSE(list.Visible());
    EXPECT_FALSE(f.form<MediaLibrary>().Visible());
    // The option shows the title instead; nothing of Main's minimize runs.
    w.setWindowState(ui::Form::vbNormal);
    f.form<::Options>().Check1.setValue(1);
    w.MinimizeButton_Click();
    EXPECT_EQ(w.Caption(), "Artist - Title");
    EXPECT_EQ(d.PlaylistON.Caption(), "0");
    EXPECT_FALSE(m.VersionCheck.Enabled());
    EXPECT_EQ(f.app->tray().icons().size(), trayIcons);
}

TEST_F(MiniBehaviour, MinimizeInFullScreenDoesNothing) {
    MiniForm& w = f.enterMini();
    list.Show();
    fullScreen(true);
    w.MinimizeButton_Click();
    EXPECT_EQ(w.WindowState(), ui::Form::vbNormal);
    EXPECT_TRUE(list.Visible());
}

TEST_F(MiniBehaviour, CloseMovesMainHereAndClosesOnlyOutsideFullScreen) {
    MiniForm& w = f.enterMini();
    w.Controller().set(std::make_unique<testsupport::RecordingMain>(*f.app, calls));
    w.Move(5000, 600);
    fullScreen(true);
    w.CloseButton.Click.raise();
    EXPECT_EQ(m.Left(), 5000);
    EXPECT_EQ(m.Top(), 600);
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_TRUE(f.miniLoaded());
    fullScreen(false);
    w.Move(700, 800);
    EXPECT_THROW(w.CloseButton_Click(), ui::ProcessExit);
    EXPECT_EQ(calls, QStringList({"ClosePlenk"}));
    EXPECT_EQ(m.Left(), 700);
    EXPECT_EQ(m.Top(), 800);
}

TEST_F(MiniBehaviour, ResizePlacesEdgesAndButtons) {
    MiniForm& w = f.enterMini();
    w.setWidth(9000);
    w.setHeight(2000);
    EXPECT_EQ(w.ImgLeft.Height(), 1700);
    EXPECT_EQ(w.ImgRight.Left(), 8820);
    EXPECT_EQ(w.ImgTopCenter.Width(), 6200);
    EXPECT_EQ(w.ImgBottomCenter.Top(), 1820);
    EXPECT_EQ(w.ImgBottomRight.Left(), 7500);
    EXPECT_EQ(w.MinimizeButton.Left(), 7850);
    EXPECT_EQ(w.CloseButton.Left(), 8250);
    // Narrower than the two corners: the centre widths are skipped, the rest applied.
    w.Move(0, 0, 2000, 600);
    EXPECT_EQ(w.ImgTopCenter.Width(), 6200);
    EXPECT_EQ(w.ImgBottomCenter.Width(), 6200);
    EXPECT_EQ(w.ImgLeft.Height(), 300);
    EXPECT_EQ(w.ImgBottomRight.Left(), 500);
    EXPECT_EQ(w.CloseButton.Left(), 1250);
    // Sizes no control can take (a minimized window's) skip only those statements.
    w.Move(0, 0, 100, 100);
    EXPECT_EQ(w.ImgLeft.Height(), 300);
    EXPECT_EQ(w.ImgBottomLeft.Top(), -80);
    EXPECT_EQ(w.CloseButton.Left(), -650);
}

TEST_F(MiniBehaviour, KeysReachTheShortcutsWithoutTheShiftState) {
    MiniForm& w = f.enterMini();
    KeyShortcut& keys = f.app->module<KeyShortcut>();
    keys.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*f.app, calls));
    f.form<::Options>().AsciBox(1).setText("80");
    for (int shift : {0, 1, 2, 7}) {
        int code = 80;
        w.KeyFocus.KeyDown.raise(code, shift);
        EXPECT_EQ(code, 80);
    }
    EXPECT_EQ(calls, QStringList({"Play", "Play", "Play", "Play"}));
    for (int code : {-1, 0, 255, 65535, 1 << 30}) {
        int k = code;
        w.KeyFocus_KeyDown(k, 0);
        EXPECT_EQ(k, code);
    }
    EXPECT_EQ(calls.size(), 4);
}

// Events still queued for the window when it has gone load nothing again.
TEST_F(MiniBehaviour, EventsAfterTheUnloadTouchNothing) {
    MiniForm& w = f.enterMini();
    w.Controller().set(std::make_unique<testsupport::RecordingMain>(*f.app, calls));
    m.Move(1234, 567);
    w.Unload();
    w.Form_Activate();
    w.LabelVideo_DblClick();
    w.MinimizeButton_Click();
    w.CloseButton_Click();
    w.MenuHead_MouseUp(2);
    w.ShowHover(MiniForm::HoverSource::Window);
    w.FormMove(w);
    w.Timer1_Timer();
    EXPECT_FALSE(f.miniLoaded());
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(m.Left(), 1234);
    EXPECT_EQ(shownCount("Menu") + shownCount("MoveLoop"), 0);
}

}  // namespace

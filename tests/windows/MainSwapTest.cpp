#include "windows/MainFixture.h"

using maintest::MainFixture;

namespace {

class VideoSwap : public MainFixture {
  protected:
    FormMeniuri& menus = p.form<FormMeniuri>();
    void expectMiniInUse(float left, float top) {
        ASSERT_TRUE(p.app->isLoaded<MiniForm>());
        MiniForm& mini = p.form<MiniForm>();
        EXPECT_TRUE(mini.Visible());
        EXPECT_FALSE(m.Visible());
        EXPECT_EQ(mini.Left(), left);
        EXPECT_EQ(mini.Top(), top);
        EXPECT_EQ(d.MiniMode.Caption(), "True");
        EXPECT_TRUE(menus.FullMiniMenu.Enabled());
    }
};

TEST_F(VideoSwap, AVideoInMiniModeTakesTheMainWindowAndItsStopGivesTheMiniWindowBack) {
    enterMiniMode(2000, 1000);
    playMedium("clip.mpg");
    EXPECT_TRUE(m.SwappedForVideo);
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(m.Left(), 2000.0f);
    EXPECT_EQ(m.Top(), 1000.0f);
    EXPECT_EQ(d.MiniMode.Caption(), "False");
    EXPECT_FALSE(menus.FullMiniMenu.Enabled());

    m.Move(3000, 1500);
    m.controller().SStop();
    expectMiniInUse(3000, 1500);
    EXPECT_FALSE(m.SwappedForVideo) << "back to normal";
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1");
}

// The swap lays the video out, which resizes its window; the recorded size
// stays the picture's own, so the original size shows the whole picture.
TEST_F(VideoSwap, AVideoOpenedInMiniModeKeepsThePicturesSize) {
    o.Option16.setValue(true);
    enterMiniMode();
    playMedium("clip.mpg");
    EXPECT_EQ(m.LbActualCx(0).Caption(), "320");
    EXPECT_EQ(m.LbActualCy(0).Caption(), "240");
    EXPECT_EQ(m.FrameVideo(0).Height(), 240 * 15.0f);
    m.controller().SStop();
    // A picture whose size the engine cannot tell is no video: the mini window stays.
    playMedium("unknown.mpg", std::nullopt);
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1");
    EXPECT_EQ(m.LbActualCy(0).Caption(), "-1");
    EXPECT_TRUE(p.app->isLoaded<MiniForm>());
}

TEST_F(VideoSwap, AMinimizedMiniWindowAndNoVideoChangeNothing) {
    MiniForm& mini = enterMiniMode();
    mini.setWindowState(ui::Form::vbMinimized);
    playMedium("clip.mpg");
    EXPECT_TRUE(p.app->isLoaded<MiniForm>());
    EXPECT_FALSE(m.SwappedForVideo);
    EXPECT_EQ(d.MiniMode.Caption(), "True");
    mini.setWindowState(ui::Form::vbNormal);
    for (const char* cx : {"1", "-0", "abc", "0.5"}) {
        m.LbActualCx(0).setCaption(cx);
        EXPECT_TRUE(p.app->isLoaded<MiniForm>()) << cx;
        EXPECT_FALSE(m.Visible()) << cx;
    }
}

TEST_F(VideoSwap, AnEmptyWidthBecomesMinusOneAndSwapsBackOnce) {
    enterMiniMode(2000, 1000);
    playMedium("clip.mpg");
    m.LbActualCx(0).setCaption("");
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1");
    expectMiniInUse(2000, 1000);
    EXPECT_FALSE(m.SwappedForVideo);
}

TEST_F(VideoSwap, AVideoInTheMainWindowClearsTheFlag) {
    m.SwappedForVideo = true;
    playMedium("clip.mpg");
    EXPECT_FALSE(m.SwappedForVideo);
    m.controller().SStop();
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
}

// After one swap and return, then the main window by the menu: stopping a
// medium without a picture keeps the main window.
TEST_F(VideoSwap, AfterOneSwapTheMainWindowByTheMenuStaysOnAnAudioStop) {
    enterMiniMode(2000, 1000);
    playMedium("clip.mpg");
    m.controller().SStop();
    ASSERT_TRUE(p.app->isLoaded<MiniForm>());
    p.form<MiniForm>().Unload();
    m.Show();
    d.MiniMode.setCaption("False");
    playMedium("tune.mid", std::nullopt);
    m.controller().SStop();
    EXPECT_TRUE(m.Visible());
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
    EXPECT_EQ(d.MiniMode.Caption(), "False");
}

TEST_F(VideoSwap, AfterAVideoTheWindowTakesItsModesSizeAgain) {
    for (const char* mode : {"Full", "Small"}) {
        d.MainMode.setCaption(mode);
        m.controller().ChangeMainMode();
        playMedium("clip.mpg");
        ASSERT_FALSE(m.MainFrame(1).Visible());
        ASSERT_GT(m.Width(), 6100.0f);
        m.controller().SStop();
        EXPECT_EQ(m.Width(), 6100.0f) << mode;
        EXPECT_EQ(m.Height(), QString(mode) == "Full" ? 3530.0f : 2000.0f) << mode;
        EXPECT_TRUE(m.MainFrame(1).Visible());
        EXPECT_FALSE(m.FrameVideo(0).Visible());
        EXPECT_EQ(m.LabelVideo.Caption(), "PLENK PLAYER");
    }
}

// The window cannot be sized while minimized: a video that ends then gives
// the window its mode's layout once it is restored.
TEST_F(VideoSwap, AVideoEndingWhileMinimizedGivesTheModesLayoutOnRestore) {
    playMedium("clip.mpg");
    ASSERT_GT(m.Width(), 6100.0f);
    m.setWindowState(ui::Form::vbMinimized);
    p.clock->advance(200);
    m.controller().SStop();
    EXPECT_FALSE(m.MainFrame(1).Visible()) << "nothing changes while minimized";
    m.setWindowState(ui::Form::vbNormal);
    p.clock->advance(200);
    EXPECT_EQ(m.Width(), 6100.0f);
    EXPECT_EQ(m.Height(), d.MainMode.Caption() == "Full" ? 3530.0f : 2000.0f);
    EXPECT_TRUE(m.MainFrame(1).Visible());
    EXPECT_FALSE(m.FrameVideo(0).Visible());
    const float height = m.Height();
    m.setHeight(height + 600);
    p.clock->advance(200);
    EXPECT_EQ(m.Height(), height + 600) << "only once after the restore";
}

}  // namespace

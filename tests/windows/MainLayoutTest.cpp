#include <cmath>

#include "shared/NumberText.h"
#include "windows/MainFixture.h"

using maintest::MainFixture;

namespace {

class Layout : public MainFixture {
  protected:
    // A video of the given size open in the window, laid out again.
    void video(const QString& cx, const QString& cy = "240") {
        m.LbActualCy(0).setCaption(cy);
        m.LbActualCx(0).setCaption(cx);
        m.AdjustVideo();
    }
    void expectSize(float w, float h) {
        EXPECT_EQ(m.Width(), w);
        EXPECT_EQ(m.Height(), h);
        EXPECT_TRUE(m.Enabled()) << "enabled again after each minimum";
    }
};

TEST_F(Layout, WithoutAVideoTheModeGivesTheMinimum) {
    d.MainMode.setCaption("Small");
    m.Move(100, 100, 5000, 1500);
    expectSize(6100, 2000);
    EXPECT_FALSE(m.FrameVideo(0).Visible());
    d.MainMode.setCaption("Full");
    m.AdjustVideo();
    expectSize(6100, 3530);
    m.Move(100, 100, 6100, 3530);
    expectSize(6100, 3530);
    for (const char* mode : {"other", ""}) {
        d.MainMode.setCaption(mode);
        m.Move(100, 100, 100, 100);
        expectSize(6100, 2000);
    }
}

TEST_F(Layout, AVideoInSmallModeNeedsTheTallerMinimum) {
    d.MainMode.setCaption("Small");
    o.Option14.setValue(true);
    video("320");
    m.Move(100, 100, 5000, 1500);
    expectSize(6100, 3530);
    EXPECT_TRUE(m.FrameVideo(0).Visible());
    video("1");
    EXPECT_FALSE(m.FrameVideo(0).Visible()) << "1 pixel is no video";
}

TEST_F(Layout, StretchFollowsTheWindow) {
    o.Option14.setValue(true);
    video("320");
    m.Move(100, 100, 8000, 6000);
    ui::Frame& frame = m.FrameVideo(0);
    EXPECT_EQ(frame.Width(), 6550.0f);
    EXPECT_EQ(frame.Height(), 5300.0f);
    EXPECT_EQ(frame.Top(), 370.0f);
    EXPECT_TRUE(m.ResizeArea.Visible());
    EXPECT_EQ(m.ResizeArea.Left(), 7805.0f);
    EXPECT_EQ(m.ResizeArea.Top(), 5805.0f);
    EXPECT_EQ(m.RightFrame.Left(), 6800.0f);
    EXPECT_EQ(m.CloseButton.Left(), 7250.0f);
    EXPECT_EQ(m.ImgTopCenter.Width(), 5200.0f);
    EXPECT_EQ(m.Volum.Top(), 5680.0f);
}

// No symbol font draws a grip glyph here: its letter would show as an "o".
TEST_F(Layout, TheVideoLayoutsGripShowsDotsAsThePlaylistsDoes) {
    o.Option14.setValue(true);
    video("320");
    ASSERT_TRUE(m.ResizeArea.Visible());
    EXPECT_EQ(m.ResizeArea.Caption(), list.ResizeArea.Caption());
    EXPECT_EQ(m.ResizeArea.ForeColor(), list.ResizeArea.ForeColor());
    EXPECT_EQ(m.ResizeArea.Font(), list.ResizeArea.Font());
}

TEST_F(Layout, OriginalSizesMakeTheWindowFollowTheVideo) {
    o.Option16.setValue(true);
    video("640", "480");
    EXPECT_EQ(m.FrameVideo(0).Width(), 9600.0f);
    EXPECT_EQ(m.FrameVideo(0).Height(), 7200.0f);
    expectSize(9600 + 1450, 7200 + 700);
    EXPECT_FALSE(m.ResizeArea.Visible());
    o.Option17.setValue(true);
    video("640", "480");
    EXPECT_EQ(m.FrameVideo(0).Width(), 19200.0f);
    expectSize(19200 + 1450, 14400 + 700);
}

TEST_F(Layout, ASmallVideoSettlesAtTheMinimum) {
    o.Option16.setValue(true);
    video("160", "120");
    expectSize(6100, 3530);
    EXPECT_EQ(m.FrameVideo(0).Width(), 2400.0f);
    EXPECT_EQ(m.FrameVideo(0).Height(), 1800.0f);
    m.AdjustVideo();
    expectSize(6100, 3530);
}

TEST_F(Layout, InFullScreenOnlyTheChromeFollows) {
    o.Option14.setValue(true);
    video("320");
    d.FullScreenStat.setCaption("True");
    m.FrameVideo(0).Move(0, 600, 5000, 4000);
    m.Move(0, 0, 20000, 15000);
    EXPECT_EQ(m.FrameVideo(0).Width(), 5000.0f);
    EXPECT_EQ(m.FrameVideo(0).Top(), 600.0f);
    EXPECT_EQ(m.CloseButton.Left(), 19250.0f);
    EXPECT_EQ(m.ImgBottomRight.Top(), 14820.0f);
}

TEST_F(Layout, BadSizesGiveNoVideoOrAFiniteWindow) {
    o.Option16.setValue(true);
    for (const char* cx : {"", "abc", "-0"}) {
        video(cx);
        EXPECT_FALSE(m.FrameVideo(0).Visible()) << cx;
    }
    video("1e9", "abc");
    EXPECT_TRUE(std::isfinite(m.Width()));
    EXPECT_TRUE(std::isfinite(m.Height()));
    d.VideoSizeWidth2.setCaption("abc");
    d.VideoSizeHeight2.setCaption("1e40");
    playMedium("clip.mpg");
    EXPECT_TRUE(std::isfinite(m.Width()));
    EXPECT_TRUE(std::isfinite(m.Height()));
    m.Move(-1e9f, 1e9f, 6100, 3530);
    m.Form_Activate();
    EXPECT_TRUE(shared::parseNumber(d.Sn1.Caption()).has_value());
}

}  // namespace

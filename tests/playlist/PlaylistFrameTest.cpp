#include "PlaylistFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

class PlaylistFrameTest : public playlisttest::PlaylistFixture {
  protected:
    Playlist& w = p.form<Playlist>();
};

TEST_F(PlaylistFrameTest, BelowTheMinimumComesBackWithTheControlsPlaced) {
    w.Move(w.Left(), w.Top(), 2000, 3000);
    EXPECT_EQ(w.Width(), 4000);
    EXPECT_EQ(w.Height(), 4530);
    EXPECT_EQ(w.PicList.Width(), 4000 - 180);
    EXPECT_EQ(w.PicList.Height(), 4530 - 850);
    EXPECT_EQ(w.CloseButton.Left(), 4000 - 820);
    EXPECT_EQ(w.ResizeArea.Top(), 4530 - 195);
    EXPECT_EQ(w.FrameScroll.Left(), 4000 - 350);
    w.Move(w.Left(), w.Top(), 7000, 6000);
    EXPECT_EQ(w.ImgTopRight.Left(), 7000 - 1500);
    EXPECT_EQ(w.ItemsLabel.Top(), 6000 - 350);
    EXPECT_EQ(w.ScrollBar.Height(), 6000 - 720);
}

TEST_F(PlaylistFrameTest, ScrollbarMirrorsTheList) {
    preload(100);
    w.Form_Activate();
    EXPECT_EQ(w.ScrollBar.max(), 70);
    w.ScrollBar.setValue(20.0);
    w.ScrollBar_Scroll();
    EXPECT_EQ(w.PicList.TopIndex(), 20);
    w.ScrollBar.setValue(70.0);
    w.ScrollBar_Scroll();
    const int lastPageTop = w.PicList.TopIndex();
    w.PicList.setTopIndex(0);
    w.PicList.setTopIndex(99);
    EXPECT_EQ(lastPageTop, w.PicList.TopIndex()) << "the thumb at its maximum shows the last page";

    w.ScrollBar.setValue(20.0);
    w.ScrollBar_Scroll();
    w.Move(w.Left(), w.Top(), 6500, 5000);
    EXPECT_EQ(w.ScrollBar.value(), 0.0) << "a resize puts the thumb at the top";
    EXPECT_EQ(w.PicList.TopIndex(), 20) << "the list itself does not scroll";
    w.ScrollTimer_Timer();
    EXPECT_EQ(w.ScrollBar.value(), 20.0);
    EXPECT_EQ(w.ItemsLabel.Caption(), "Total items: 100");
}

TEST_F(PlaylistFrameTest, EmptyPlaylistCountsNothing) {
    w.ScrollTimer_Timer();
    EXPECT_EQ(w.ItemsLabel.Caption(), "Total items: 0");
    w.Form_Activate();
    EXPECT_LE(w.ScrollBar.max(), 0);
}

TEST_F(PlaylistFrameTest, CloseButtonHidesAndRecordsIt) {
    w.Show();
    p.form<DataForm>().PlaylistON.setCaption("1");
    w.CloseButton_Click();
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(p.form<DataForm>().PlaylistON.Caption(), "0");
}

TEST_F(PlaylistFrameTest, ActivationWithoutAVideoRestoresTheAudioLayout) {
    p.form<Main>().LabelVideo.setCaption("something");
    p.form<Main>().LbActualCx(0).setCaption("-1");
    p.form<DataForm>().MiniMode.setCaption("False");
    w.Form_Activate();
    EXPECT_EQ(p.form<Main>().LabelVideo.Caption(), "PLENK PLAYER");
}

TEST_F(PlaylistFrameTest, ActivationWithAVideoInMiniModeHandsOverToMain) {
    p.form<Main>().LbActualCx(0).setCaption("640");
    MiniForm& mini = p.form<MiniForm>();
    mini.Move(1500, 900, mini.Width(), mini.Height());
    p.form<DataForm>().MiniMode.setCaption("True");
    w.Form_Activate();
    EXPECT_EQ(p.form<DataForm>().MiniMode.Caption(), "False");
    EXPECT_EQ(p.form<Main>().Left(), 1500);
    EXPECT_EQ(p.form<Main>().Top(), 900);
    EXPECT_TRUE(p.form<Main>().Visible());
    EXPECT_FALSE(mini.isLoaded());
}

TEST_F(PlaylistFrameTest, GripBlocksARowDragUntilReleased) {
    preload(3);
    w.ResizeArea.MouseDown.raise(1, 0, 10, 10);
    EXPECT_TRUE(w.Resizing);
    w.PicList_MouseMove(1, 0, 10, 10);
    EXPECT_EQ(w.DragRow, -1);
    w.ResizeArea.MouseUp.raise(1, 0, 10, 10);
    EXPECT_FALSE(w.Resizing);
}

}  // namespace

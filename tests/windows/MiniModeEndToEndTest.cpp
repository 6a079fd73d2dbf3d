// Mini mode through the program's own paths: the menu's switch, a seek on the
// mini window's slider in a stream BASS plays, and a video opened from the
// mini window's File menu.
#include <gtest/gtest.h>

#include "core/frmBass.h"
#include "platform/ui/Twips.h"
#include "support/AudioFiles.h"
#include "windows/FormMeniuri.h"
#include "windows/MiniFixture.h"

namespace {

using testsupport::MiniFixture;

class MiniModeEndToEnd : public ::testing::Test {
  protected:
    MiniFixture f;
    Main& m = f.form<Main>();
    DataForm& d = f.form<DataForm>();
    FormMeniuri& menus = f.form<FormMeniuri>();

    MiniForm& switchToMini() {
        m.Show();
        m.Move(2250, 1500);
        menus.FullMiniMenu.Click.raise();
        return f.mini();
    }
};

TEST_F(MiniModeEndToEnd, TheMenusSwitchShowsTheMiniWindowInMainsPlace) {
    MiniForm& w = switchToMini();
    EXPECT_TRUE(w.Visible());
    EXPECT_FALSE(m.Visible());
    EXPECT_EQ(d.MiniMode.Caption(), "True");
    EXPECT_EQ(w.Left(), 2250);
    EXPECT_EQ(w.Top(), 1500);
    EXPECT_TRUE(f.snapped(w));
    // And back by the same item.
    menus.FullMiniMenu.Click.raise();
    EXPECT_FALSE(f.miniLoaded());
    EXPECT_TRUE(m.Visible());
    EXPECT_EQ(d.MiniMode.Caption(), "False");
}

TEST_F(MiniModeEndToEnd, ADragOnTheMiniSeekSliderSeeksTheStream) {
    const QString song = testsupport::writeLongSilence(f.program.file("long.wav"), 3600);
    MiniForm& w = switchToMini();
    m.LbFileName(0).setCaption(song);
    d.FromPlaylist.setCaption("False");
    m.controller().Play();
    f.clock->advance(1500);
    ASSERT_EQ(f.form<frmBass>().BassON.Caption(), "True");
    ctlScrollbar& seek = w.SliderMoveMultimedia(0);
    ASSERT_EQ(seek.max(), m.SliderMoveMultimedia(0).max()) << "the mirror gave the stream's length";
    ASSERT_GT(seek.max(), 6000);

    // The thumb pressed (the slider takes the focus), dragged, let go.
    w.Show();
    seek.Picture2.SetFocus();
    seek.Picture2_MouseDown(ui::vbLeftButton, 0, 5, 5);
    seek.Picture2_MouseMove(ui::vbLeftButton, 0, 105, 5);
    const double value = seek.value();
    ASSERT_GT(value, 10);
    const auto channel = static_cast<audio::DWORD>(f.form<frmBass>().Chan.Caption().toUInt());
    EXPECT_EQ(f.app->bass().BASS_ChannelGetPosition(channel, audio::BASS_POS_BYTE),
              static_cast<audio::QWORD>(value * 100000));
    seek.Picture2_MouseUp(ui::vbLeftButton, 0, 105, 5);
    EXPECT_EQ(f.form<frmBass>().Scrolling.Caption(), "False");
    EXPECT_EQ(f.app->focusedControl(), &w.KeyFocus);
    f.clock->advance(1000);
    EXPECT_GE(seek.value(), value) << "the mirror follows the stream from there";
    EXPECT_EQ(seek.value(), m.SliderMoveMultimedia(0).value());
}

}  // namespace

// The mirror of Main's labels and sliders, and what the slider releases do
// with the mini window's sliders.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/frmBass.h"
#include "platform/ui/Twips.h"
#include "support/Controllers.h"
#include "windows/MiniFixture.h"

namespace {

using testsupport::MiniFixture;

class MiniSliders : public ::testing::Test {
  protected:
    MiniFixture f;
    Main& m = f.form<Main>();
    MiniForm& w = f.enterMini();
    ctlScrollbar& seek = w.SliderMoveMultimedia(0);
    ctlScrollbar& mainSeek = m.SliderMoveMultimedia(0);

    // BASS in use, so the volume shows in its global stream volume.
    audio::DWORD bassVolume() {
        return f.app->bass().BASS_GetConfig(audio::BASS_CONFIG_GVOL_STREAM);
    }
    void useBass() {
        f.form<frmBass>().BassON.setCaption("True");
        f.app->bass().BASS_SetConfig(audio::BASS_CONFIG_GVOL_STREAM, 1234);
    }
};

TEST_F(MiniSliders, TheMirrorCopiesLabelsThenMaximumBeforeValue) {
    m.ScrollTextTimer.setEnabled(false);  // the marquee would move the title
    m.TSec.setCaption("03:21");
    m.Titlu.setCaption("A title");
    m.TotalTime.setCaption("4:05");
    m.StarePlayer.setCaption("Playing");
    m.LabelVideo.setCaption("clip.mpg  640 x 480");
    mainSeek.setMax(500);
    mainSeek.setValue(400.0);
    m.Volum.setValue(35.0);
    f.clock->advance(499);
    EXPECT_EQ(w.TSec.Caption(), "00:00");
    f.clock->advance(1);
    EXPECT_EQ(w.TSec.Caption(), "03:21");
    EXPECT_EQ(w.Titlu.Caption(), "A title");
    EXPECT_EQ(w.TotalTime.Caption(), "4:05");
    EXPECT_EQ(w.StarePlayer.Caption(), "Playing");
    EXPECT_EQ(w.LabelVideo.Caption(), "clip.mpg  640 x 480");
    // A value beyond the old maximum of 100 arrives whole.
    EXPECT_EQ(seek.max(), 500);
    EXPECT_EQ(seek.value(), 400);
    EXPECT_EQ(w.Volum.value(), 35);
}

TEST_F(MiniSliders, TheMirrorRunsWhileMinimizedAndStopsAtTheUnload) {
    w.setWindowState(ui::Form::vbMinimized);
    m.TSec.setCaption("00:07");
    f.clock->advance(500);
    EXPECT_EQ(w.TSec.Caption(), "00:07");
    w.Unload();
    m.TSec.setCaption("00:08");
    f.clock->advance(2000);
    EXPECT_FALSE(f.miniLoaded());
}

TEST_F(MiniSliders, TheMirrorNeverRaisesARelay) {
    useBass();
    m.Volum.setValue(60.0);
    mainSeek.setValue(20.0);
    f.clock->advance(1500);
    EXPECT_EQ(w.Volum.value(), 60);
    EXPECT_EQ(seek.value(), 20);
    EXPECT_EQ(bassVolume(), 1234u) << "the volume was not applied again";
}

TEST_F(MiniSliders, OddValuesOnMainGiveTheMiniSlidersAValueThatIsANumber) {
    for (double max : {0.0, std::numeric_limits<double>::quiet_NaN(), 1e308, -5.0}) {
        SCOPED_TRACE(max);
        ui::step([&] { mainSeek.setMax(max); });
        ui::step([&] { mainSeek.setValue(1e308); });
        w.Timer1_Timer();
        EXPECT_TRUE(std::isfinite(seek.value()));
        // The mini slider holds what Main's holds, whatever that is.
        EXPECT_TRUE(seek.max() == mainSeek.max() ||
                    (std::isnan(seek.max()) && std::isnan(mainSeek.max())));
    }
}

// The mini window is shown: a track release anywhere applies its volume slider.
TEST_F(MiniSliders, ATrackReleaseCopiesTheMiniVolumeIntoMain) {
    useBass();
    w.Volum.setValue(30.0);
    m.Volum.setValue(80.0);
    ctlScrollbar& bar = seek;
    f.app->pointer().script(bar.Picture4.widget()->mapToGlobal(QPoint(100, 5)));
    bar.Picture4_MouseDown(ui::vbLeftButton, 0, 100, 5);
    bar.Picture4_MouseUp(ui::vbLeftButton, 0, 100, 5);
    EXPECT_EQ(m.Volum.value(), 30);
    EXPECT_EQ(bassVolume(), 3000u);
    // Hidden, the mini window gives nothing.
    w.Hide();
    m.Volum.setValue(80.0);
    bar.Picture4_MouseUp(ui::vbLeftButton, 0, 100, 5);
    EXPECT_EQ(m.Volum.value(), 80);
}

TEST_F(MiniSliders, AThumbReleaseInMiniModeFocusesTheMiniVolumeSlider) {
    f.form<DataForm>().MiniMode.setCaption("True");
    seek.Picture2_MouseDown(ui::vbLeftButton, 0, 5, 5);
    seek.Picture2_MouseUp(ui::vbLeftButton, 0, 5, 5);
    EXPECT_NE(f.app->focusedControl(), &m.Volum);
    EXPECT_TRUE(f.app->focusedControl() == &w.Volum || f.app->focusedControl() == &w.KeyFocus);
    // Mini mode with no mini window loaded: no focus moves, and nothing loads it.
    w.Unload();
    m.Show();
    f.app->moveFocus(m.KeyFocus);
    mainSeek.Picture2_MouseDown(ui::vbLeftButton, 0, 5, 5);
    mainSeek.Picture2_MouseUp(ui::vbLeftButton, 0, 5, 5);
    EXPECT_FALSE(f.miniLoaded());
    EXPECT_EQ(f.app->focusedControl(), &m.KeyFocus);
}

// Each relay copies first, so Main's member acts on the mini slider's value.
TEST_F(MiniSliders, VolumeRelaysCopyThenApply) {
    useBass();
    f.form<DataForm>().MiniMode.setCaption("True");
    m.Volum.setValue(80.0);
    w.Volum.setValue(42.0);
    w.Volum_Change();
    EXPECT_EQ(m.Volum.value(), 42);
    EXPECT_EQ(bassVolume(), 4200u);
    w.Volum.setValue(17.0);
    w.Volum_Scroll();
    EXPECT_EQ(m.Volum.value(), 17);
    EXPECT_EQ(bassVolume(), 1700u);
    // Taking the focus copies too, and the focus goes on to the key sink.
    w.Volum.setValue(23.0);
    w.Volum.SetFocus();
    EXPECT_EQ(m.Volum.value(), 23);
    EXPECT_EQ(f.app->focusedControl(), &w.KeyFocus);
}

TEST_F(MiniSliders, SeekRelaysMarkTheSeekAndEndItWithTheMiniVolume) {
    f.form<DataForm>().MiniMode.setCaption("True");
    seek.setValue(37.0);
    seek.SetFocus();
    EXPECT_EQ(mainSeek.value(), 37);
    EXPECT_EQ(m.StartMoveSlider.Caption(), "True");
    // Losing the focus ends the seek and applies the mini volume, untouched
    // as it is, through the volume's relay.
    useBass();
    w.Volum.setValue(65.0);
    m.Volum.setValue(20.0);
    seek.setValue(12.0);
    w.Visualisation.SetFocus();
    EXPECT_EQ(mainSeek.value(), 12);
    EXPECT_EQ(m.StartMoveSlider.Caption(), "False");
    EXPECT_EQ(f.form<frmBass>().Scrolling.Caption(), "False");
    EXPECT_EQ(m.Volum.value(), 65);
    EXPECT_EQ(bassVolume(), 6500u);
    EXPECT_EQ(f.app->focusedControl(), &w.KeyFocus);
}

// A click beside the thumb seeks a medium of the media engine to where it
// put the thumb, not to where the mirror last left Main's slider.
TEST_F(MiniSliders, ATrackClickSeeksTheMediaEnginesMediumThere) {
    const QString song = f.program.write("media/song.flac", "x");
    f.media().addMedium(song.toStdString(), {600000, 25, std::nullopt});
    m.LbFileName(0).setCaption(song);
    f.form<DataForm>().FromPlaylist.setCaption("False");
    m.controller().Play();
    f.clock->advance(500);
    ASSERT_EQ(seek.max(), 300) << "two seconds a unit";
    f.media().clearCommands();
    f.app->pointer().script(seek.Picture4.widget()->mapToGlobal(QPoint(100, 5)));
    seek.Picture4.MouseDown.raise(ui::vbLeftButton, 0, 100, 5);
    seek.Picture4.MouseUp.raise(ui::vbLeftButton, 0, 100, 5);
    const double value = seek.value();
    ASSERT_GT(value, 1);
    const auto frame = static_cast<long long>(std::nearbyint(2 * 25 * value));
    std::vector<std::string> seeks;
    for (const std::string& c : f.media().commands())
        if (c.starts_with("seek")) seeks.push_back(c);
    EXPECT_EQ(seeks, std::vector<std::string>{"seek movie to " + std::to_string(frame)});
}

TEST_F(MiniSliders, AScrollRelaySeeksMainsSliderValueWithBass) {
    useBass();
    frmBass& host = f.form<frmBass>();
    host.Chan.setCaption("abc");
    seek.setValue(9.0);
    w.SliderMoveMultimedia_Scroll();
    EXPECT_EQ(mainSeek.value(), 9);
    EXPECT_EQ(host.Scrolling.Caption(), "False") << "a channel that is no number skips the seek";
}

TEST_F(MiniSliders, RelaysOfAnUnloadedWindowLoadNothing) {
    useBass();
    w.Unload();
    m.Volum.setValue(80.0);
    w.Volum_Change();
    w.SliderMoveMultimedia_LostFocus();
    EXPECT_FALSE(f.miniLoaded());
    EXPECT_EQ(m.Volum.value(), 80);
    EXPECT_EQ(bassVolume(), 1234u);
}

}  // namespace

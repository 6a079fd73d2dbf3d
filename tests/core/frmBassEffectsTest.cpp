#include "BassHostFixture.h"
#include "controls/ctlScrollbar.h"
#include "options/Options.h"
#include "platform/ui/Twips.h"
#include "shared/NumberText.h"

using namespace audio;

namespace bashost {
namespace {

class HostEffectsTest : public BassHostTest {
  protected:
    float gain(int band) {
        BASS_DX8_PARAMEQ record{};
        EXPECT_TRUE(bass().BASS_FXGetParameters(host().FxHandles[band], &record)) << band;
        return record.fGain;
    }
    BASS_DX8_REVERB reverb() {
        BASS_DX8_REVERB record{};
        EXPECT_TRUE(bass().BASS_FXGetParameters(host().FxHandles[10], &record));
        return record;
    }
    ctlScrollbar& slider(int i) { return main().sldEQR(i); }
    void move(int i, double value) {
        slider(i).setValue(value);
        host().MoveScollEq(i);
    }
};

TEST_F(HostEffectsTest, SliderPositionGivesGainMixAndLevelText) {
    play(tone("a.wav", {.seconds = 3}));
    struct Row {
        double value;
        float gain, mix;
        const char *bandText, *reverbText;
    };
    for (const Row& row :
         {Row{0, 10, 0, "50", "100"}, Row{25, 5, -1.5f, "25", "75"}, Row{50, 0, -12, "0", "50"},
          Row{75, -5, -40.5f, "-25", "25"}, Row{100, -10, -96, "-50", "0"},
          Row{52, 0, -12, "-2", "48"}, Row{58, -2, -20.736f, "-8", "42"}}) {
        move(4, row.value);
        move(10, row.value);
        EXPECT_FLOAT_EQ(gain(4), row.gain) << row.value;
        EXPECT_FLOAT_EQ(reverb().fReverbMix, row.mix) << row.value;
        EXPECT_EQ(slider(4).ToolTipText(), shared::formatDouble(QString(row.bandText).toDouble()));
        EXPECT_EQ(slider(10).ToolTipText(),
                  shared::formatDouble(QString(row.reverbText).toDouble()));
    }
    BASS_DX8_REVERB r = reverb();
    EXPECT_FLOAT_EQ(r.fReverbTime, 1000) << "only the mix is written";
    EXPECT_FLOAT_EQ(r.fInGain, 0);
}

TEST_F(HostEffectsTest, EachSliderMovesOnlyItsOwnBand) {
    play(tone("a.wav", {.seconds = 3}));
    for (int i = 0; i < 10; ++i)
        move(i, 50);
    slider(7).Picture2_MouseDown(ui::vbLeftButton, 0, 5, 0);
    slider(7).Picture2_MouseMove(ui::vbLeftButton, 0, 5, -14);
    ASSERT_EQ(slider(7).value(), 23);
    EXPECT_FLOAT_EQ(gain(7), 5) << "the drag's own position";
    for (int click = 0; click < 3; ++click) {
        slider(7).Picture1_MouseDown(ui::vbLeftButton, 0, 1, 1);
        slider(7).Picture1_MouseUp(ui::vbLeftButton, 0, 1, 1);
    }
    EXPECT_EQ(slider(7).value(), 20);
    EXPECT_FLOAT_EQ(gain(7), 6);
    for (int i = 0; i < 10; ++i) {
        if (i == 7) continue;
        EXPECT_FLOAT_EQ(gain(i), 0) << i;
    }
    BASS_DX8_PARAMEQ band{};
    bass().BASS_FXGetParameters(host().FxHandles[9], &band);
    EXPECT_FLOAT_EQ(band.fCenter, 15000) << "a gain change keeps centre and bandwidth";
    EXPECT_FLOAT_EQ(band.fBandwidth, 18);
}

TEST_F(HostEffectsTest, EqualizerOffFlattensAndOnRestoresTheSliders) {
    play(tone("a.wav", {.seconds = 3}));
    move(2, 0);
    move(10, 100);
    p.form<Options>().Option13.setValue(true);
    EXPECT_FLOAT_EQ(gain(2), 0);
    EXPECT_FLOAT_EQ(reverb().fReverbMix, -12) << "the middle, not the weakest";
    EXPECT_EQ(slider(2).ToolTipText(), "0");
    EXPECT_EQ(slider(10).ToolTipText(), "50");
    EXPECT_DOUBLE_EQ(slider(2).value(), 0) << "the positions are kept";
    p.form<Options>().Option12.setValue(true);
    EXPECT_FLOAT_EQ(gain(2), 10);
    EXPECT_FLOAT_EQ(reverb().fReverbMix, -96);
    EXPECT_EQ(slider(2).ToolTipText(), "50");
}

TEST_F(HostEffectsTest, NewChannelWithTheEqualizerOffStartsFlat) {
    p.form<Options>().Option13.setValue(true);
    for (int i = 0; i <= 10; ++i)
        slider(i).setValue(0);
    play(tone("a.wav", {.seconds = 3}));
    for (int i = 0; i < 10; ++i)
        EXPECT_FLOAT_EQ(gain(i), 0) << i;
    EXPECT_FLOAT_EQ(reverb().fReverbMix, -12);
}

TEST_F(HostEffectsTest, SlidersMovedWithoutAChannelApplyToTheNextOne) {
    move(0, 0);
    move(10, 0);
    EXPECT_EQ(slider(0).ToolTipText(), "50");
    play(tone("a.wav", {.seconds = 3}));
    EXPECT_FLOAT_EQ(gain(0), 10);
    EXPECT_FLOAT_EQ(reverb().fReverbMix, 0);
}

TEST_F(HostEffectsTest, IndexOutsideTheElevenFailsToTheCaller) {
    play(tone("a.wav", {.seconds = 3}));
    EXPECT_THROW(host().UpdateFX(11), ui::RuntimeError);
    EXPECT_THROW(host().UpdateFX(-1), ui::RuntimeError);
    EXPECT_THROW(host().MoveScollEq(11), ui::RuntimeError);
}

}  // namespace
}  // namespace bashost

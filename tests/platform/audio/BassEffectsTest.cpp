#include <cmath>
#include <limits>
#include <numbers>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

double decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

// How much faster than a smooth sine of this frequency the left channel moves,
// at worst over 10 ms windows: 1 for a sine, far more where it clicks.
double jerkiness(const std::vector<float>& stereo, std::size_t from, double hz) {
    constexpr std::size_t kWindow = 2 * 441;
    double worst = 0.0;
    for (std::size_t w = from; w + kWindow <= stereo.size(); w += kWindow) {
        double peak = 0.0;
        double step = 0.0;
        for (std::size_t i = w + 2; i < w + kWindow; i += 2) {
            peak = std::max(peak, double(std::fabs(stereo[i])));
            step = std::max(step, double(std::fabs(stereo[i] - stereo[i - 2])));
        }
        worst = std::max(worst, step / (2 * std::numbers::pi * hz / 44100 * peak));
    }
    return worst;
}

// The record a fresh effect of this type reports.
template <typename Record>
Record freshRecord(Bass& bass, HSTREAM stream, DWORD type) {
    Record record{};
    EXPECT_TRUE(bass.BASS_FXGetParameters(bass.BASS_ChannelSetFX(stream, type, 0), &record));
    return record;
}

TEST_F(BassTest, EffectsStartWithTheirDefaults) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    const auto band = freshRecord<BASS_DX8_PARAMEQ>(bass, stream, BASS_FX_DX8_PARAMEQ);
    EXPECT_EQ(band.fCenter, 8000.0f);
    EXPECT_EQ(band.fBandwidth, 12.0f);
    EXPECT_EQ(band.fGain, 0.0f);
    auto reverb = freshRecord<BASS_DX8_REVERB>(bass, stream, BASS_FX_DX8_REVERB);
    EXPECT_EQ(reverb.fInGain, 0.0f);
    EXPECT_EQ(reverb.fReverbMix, 0.0f);
    EXPECT_EQ(reverb.fReverbTime, 1000.0f);
    EXPECT_EQ(reverb.fHighFreqRTRatio, 0.001f);
    EXPECT_EQ(bass.BASS_ChannelSetFX(stream, 99, 0), 0u);
    EXPECT_FALSE(bass.BASS_FXSetParameters(0, &reverb));
}

TEST_F(BassTest, EqualizerTakesItsRangeAndRefusesValuesOutside) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    const HFX fx = bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const BASS_DX8_PARAMEQ good :
         {BASS_DX8_PARAMEQ{80, 1, -15}, BASS_DX8_PARAMEQ{16000, 36, 15}}) {
        EXPECT_TRUE(bass.BASS_FXSetParameters(fx, &good));
    }
    const BASS_DX8_PARAMEQ kept{15000, 18, 3};
    ASSERT_TRUE(bass.BASS_FXSetParameters(fx, &kept));
    for (const BASS_DX8_PARAMEQ bad :
         {BASS_DX8_PARAMEQ{79.9f, 18, 0}, BASS_DX8_PARAMEQ{16001, 18, 0},
          BASS_DX8_PARAMEQ{1000, 0.9f, 0}, BASS_DX8_PARAMEQ{1000, 36.1f, 0},
          BASS_DX8_PARAMEQ{1000, 18, -15.1f}, BASS_DX8_PARAMEQ{1000, 18, 15.1f},
          BASS_DX8_PARAMEQ{nan, 18, 0}}) {
        EXPECT_FALSE(bass.BASS_FXSetParameters(fx, &bad));
        EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    }
    BASS_DX8_PARAMEQ now{};
    ASSERT_TRUE(bass.BASS_FXGetParameters(fx, &now));
    EXPECT_EQ(now.fCenter, 15000.0f);
    EXPECT_EQ(now.fBandwidth, 18.0f);
    EXPECT_EQ(now.fGain, 3.0f);
}

TEST_F(BassTest, ReverbTakesItsRangeAndRefusesValuesOutside) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    const HFX fx = bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_REVERB, 0);
    for (const BASS_DX8_REVERB good :
         {BASS_DX8_REVERB{-96, -96, 0.001f, 0.001f}, BASS_DX8_REVERB{0, 0, 3000, 0.999f}}) {
        EXPECT_TRUE(bass.BASS_FXSetParameters(fx, &good));
    }
    const BASS_DX8_REVERB kept{-3, -12, 1500, 0.5f};
    ASSERT_TRUE(bass.BASS_FXSetParameters(fx, &kept));
    for (const BASS_DX8_REVERB bad :
         {BASS_DX8_REVERB{0.1f, 0, 1000, 0.5f}, BASS_DX8_REVERB{-96.1f, 0, 1000, 0.5f},
          BASS_DX8_REVERB{0, 0.1f, 1000, 0.5f}, BASS_DX8_REVERB{0, -96.1f, 1000, 0.5f},
          BASS_DX8_REVERB{0, 0, 0.0009f, 0.5f}, BASS_DX8_REVERB{0, 0, 3000.1f, 0.5f},
          BASS_DX8_REVERB{0, 0, 1000, 0.0009f}, BASS_DX8_REVERB{0, 0, 1000, 1.0f}}) {
        EXPECT_FALSE(bass.BASS_FXSetParameters(fx, &bad));
    }
    BASS_DX8_REVERB now{};
    ASSERT_TRUE(bass.BASS_FXGetParameters(fx, &now));
    EXPECT_EQ(now.fReverbMix, -12.0f);
    EXPECT_EQ(now.fReverbTime, 1500.0f);
}

TEST_F(BassTest, BandGainIsMetAtItsCentre) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {.amplitude = 0.1}));
    const BASS_DX8_PARAMEQ band{1000, 12, 10};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0), &band));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(500);
    const std::vector<float> samples = played(stream, 4096);
    EXPECT_NEAR(decibels(rms(samples.data(), samples.size()) / (0.1 / std::sqrt(2.0))), 10.0, 0.5);
}

// Channels are filtered two by two; an odd one out gets the same treatment.
TEST_F(BassTest, BandGainReachesEveryChannelOfAManyChannelFile) {
    const HSTREAM stream =
        openStream(writeTone(dir.file("a.wav"), kWav, {.channels = 3, .amplitude = 0.1}));
    const BASS_DX8_PARAMEQ band{1000, 12, 10};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0), &band));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(500);
    const std::vector<float> samples = played(stream, 4096, 3);
    for (int c = 0; c < 3; ++c) {
        std::vector<float> channel;
        for (std::size_t i = c; i < samples.size(); i += 3)
            channel.push_back(samples[i]);
        EXPECT_NEAR(decibels(rms(channel.data(), channel.size()) / (0.1 / std::sqrt(2.0))), 10.0,
                    0.5)
            << c;
    }
    EXPECT_FALSE(heard.empty());
}

TEST_F(BassTest, PlayersBandsAtZeroLeaveTheSoundUntouched) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {.hz = 440.0});
    const std::vector<float> reference = decodeAll(path);
    const HSTREAM stream = openStream(path);
    for (const float centre : {80, 150, 300, 500, 750, 1000, 3000, 8000, 12000, 15000}) {
        const BASS_DX8_PARAMEQ band{centre, 18, 0};
        ASSERT_TRUE(bass.BASS_FXSetParameters(
            bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0), &band));
    }
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);
    const std::vector<float> samples = played(stream, 1000);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), reference.begin() + 2 * (4410 - 1000)));
}

TEST_F(BassTest, BandAboveWhatTheRateCarriesIsLeftOut) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {.rate = 22050, .hz = 440.0});
    const std::vector<float> reference = decodeAll(path);
    const HSTREAM stream = openStream(path);
    const BASS_DX8_PARAMEQ band{15000, 18, 15};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0), &band));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);
    const QWORD at = bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE) / 4;
    const std::vector<float> samples = played(stream, 1000);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), reference.begin() + 2 * (at - 1000)));
}

class ReverbMixTest : public BassTest, public ::testing::WithParamInterface<float> {};

TEST_P(ReverbMixTest, TailFollowsTheMix) {
    const HSTREAM stream =
        openStream(writeTone(dir.file("a.wav"), kWav, {.seconds = 0.3, .silenceAfter = 1.7}));
    const BASS_DX8_REVERB reverb{0, GetParam(), 1000, 0.5f};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_REVERB, 0), &reverb));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(700);  // 0.4 s after the tone
    const std::vector<float> tail = played(stream, 4096);
    const double level = rms(tail.data(), tail.size());
    if (GetParam() == 0.0f) {
        EXPECT_GT(level, 0.01);
    } else {
        EXPECT_EQ(level, 0.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Mixes, ReverbMixTest, ::testing::Values(0.0f, -96.0f));

TEST_F(BassTest, ReverbTailFadesOverTheReverbTime) {
    const HSTREAM stream =
        openStream(writeTone(dir.file("a.wav"), kWav, {.seconds = 0.3, .silenceAfter = 2.7}));
    const BASS_DX8_REVERB reverb{0, 0, 500, 0.5f};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_REVERB, 0), &reverb));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(500);
    const std::vector<float> early = played(stream, 2048);
    advance(500);  // one reverb time later: about 60 dB down
    const std::vector<float> late = played(stream, 2048);
    const double fall = decibels(rms(early.data(), early.size()) / rms(late.data(), late.size()));
    EXPECT_GT(fall, 45.0);
    EXPECT_LT(fall, 75.0);
}

// Moving a band, or bringing the reverb in, glides instead of jumping.
TEST_F(BassTest, ChangingEffectsWhilePlayingDoesNotClick) {
    const HSTREAM stream = openStream(
        writeTone(dir.file("a.wav"), kWav, {.seconds = 2.0, .hz = 200.0, .amplitude = 0.02}));
    const HFX eq = bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0);
    const HFX reverb = bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_REVERB, 0);
    BASS_DX8_REVERB mix{0, -96, 1000, 0.5f};
    ASSERT_TRUE(bass.BASS_FXSetParameters(reverb, &mix));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    const std::size_t from = heard.size();
    const BASS_DX8_PARAMEQ boost{200, 12, 15};
    ASSERT_TRUE(bass.BASS_FXSetParameters(eq, &boost));
    mix.fReverbMix = 0;
    ASSERT_TRUE(bass.BASS_FXSetParameters(reverb, &mix));
    mix.fReverbMix = -20;
    ASSERT_TRUE(bass.BASS_FXSetParameters(reverb, &mix));
    EXPECT_LT(jerkiness(heard, from, 200.0), 1.3);
}

}  // namespace
}  // namespace audiotest

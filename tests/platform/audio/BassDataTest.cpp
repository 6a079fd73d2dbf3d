#include <algorithm>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

std::size_t peakBin(const std::vector<float>& bins) {
    return static_cast<std::size_t>(std::max_element(bins.begin() + 1, bins.end()) - bins.begin());
}

TEST_F(BassTest, SpectrumPeaksAtTheToneBin) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {.amplitude = 0.5}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(300);
    const std::vector<float> bins = spectrum(stream);
    EXPECT_EQ(peakBin(bins), 46u);  // 1000 Hz * 2048 / 44100 = 46.4
    EXPECT_GT(bins[46], 0.4f);
    EXPECT_LT(bins[46], 0.5f);
    EXPECT_LT(bins[200], 1e-3f);
}

TEST_F(BassTest, FullScaleSineOnABinPeaksNearOne) {
    const double hz = 64.0 * 44100.0 / 2048.0;
    const HSTREAM stream =
        openStream(writeTone(dir.file("a.wav"), kWav, {.hz = hz, .amplitude = 0.999}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(300);
    const std::vector<float> bins = spectrum(stream);
    EXPECT_EQ(peakBin(bins), 64u);
    EXPECT_NEAR(bins[64], 1.0f, 0.01f);
}

TEST_F(BassTest, MonoSpectrumAndStereoSpectrumAgree) {
    const HSTREAM mono =
        openStream(writeTone(dir.file("m.wav"), kWav, {.channels = 1, .amplitude = 0.5}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(mono, false));
    advance(300);
    const std::vector<float> bins = spectrum(mono);
    EXPECT_EQ(peakBin(bins), 46u);
    EXPECT_GT(bins[46], 0.4f);
}

TEST_F(BassTest, SpectrumIsSilentBeforeAnythingPlays) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    const std::vector<float> bins = spectrum(stream);
    EXPECT_EQ(*std::max_element(bins.begin(), bins.end()), 0.0f);
}

TEST_F(BassTest, FloatDataIsTheLatestPlayedFrames) {
    const QString path =
        writeTone(dir.file("a.wav"), kWav, {.seconds = 2.0, .hz = 321.0, .amplitude = 0.7});
    const std::vector<float> reference = decodeAll(path);
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(250);
    const std::vector<float> samples = played(stream, 1000);
    ASSERT_EQ(samples.size(), 2000u);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), reference.begin() + 2 * (11025 - 1000)));
    // Paused, the data stays what was played last.
    ASSERT_TRUE(bass.BASS_ChannelPause(stream));
    advance(250);
    EXPECT_EQ(played(stream, 1000), samples);
}

// The history is a ring: reads that straddle its end must come out whole.
TEST_F(BassTest, DataStaysRightAsTheHistoryWrapsRound) {
    const QString path =
        writeTone(dir.file("a.wav"), kWav, {.seconds = 4.0, .hz = 1000.0, .amplitude = 0.5});
    const std::vector<float> reference = decodeAll(path);
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(25);
    for (int ms = 50; ms <= 3500; ms += 25) {
        advance(25);
        const std::vector<float> bins = spectrum(stream);
        ASSERT_EQ(peakBin(bins), 46u) << ms;
        ASSERT_GT(bins[46], 0.4f) << ms;
        const std::size_t end = static_cast<std::size_t>(ms) * 441 / 10;
        const std::vector<float> samples = played(stream, 2048);
        ASSERT_TRUE(std::equal(samples.end() - 2 * std::min<std::size_t>(end, 2048), samples.end(),
                               reference.begin() + 2 * (end - std::min<std::size_t>(end, 2048))))
            << ms;
    }
}

// Fewer frames played than the transform takes: the rest counts as silence.
TEST_F(BassTest, SpectrumOfTheFirstFramesCountsTheRestAsSilence) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {.amplitude = 0.5}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(10);
    const std::vector<float> bins = spectrum(stream);
    EXPECT_GT(bins[46], 0.0f);
    EXPECT_LT(bins[46], 0.1f);
}

TEST_F(BassTest, FloatDataOfAMonoFileAtItsOwnRate) {
    const QString path = writeTone(dir.file("m.wav"), kWav,
                                   {.rate = 22050, .channels = 1, .hz = 500.0, .amplitude = 0.3});
    const std::vector<float> reference = decodeAll(path);
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(200);
    const QWORD at = bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE) / 2;
    const std::vector<float> samples = played(stream, 500, 1);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), reference.begin() + (at - 500)));
}

TEST_F(BassTest, DataRequestsOutsideFftAndFloatFail) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    float buffer[1024];
    EXPECT_EQ(bass.BASS_ChannelGetData(stream, buffer, 4096), ~DWORD{0});
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_EQ(bass.BASS_ChannelGetData(stream, buffer, 0x80000002), ~DWORD{0});
    EXPECT_EQ(bass.BASS_ChannelGetData(stream, nullptr, BASS_DATA_FFT2048), ~DWORD{0});
    // A byte count that is not whole frames gives the whole frames it holds.
    EXPECT_EQ(bass.BASS_ChannelGetData(stream, buffer, 20 | BASS_DATA_FLOAT), 16u);
    EXPECT_EQ(bass.BASS_ChannelGetInfo(stream, nullptr), false);
}

TEST_F(BassTest, LargeFloatRequestsAreCappedToTheHistory) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    std::vector<float> buffer(2 * 20000);
    EXPECT_EQ(bass.BASS_ChannelGetData(stream, buffer.data(),
                                       static_cast<DWORD>(buffer.size() * 4) | BASS_DATA_FLOAT),
              8192u * 8);
}

}  // namespace
}  // namespace audiotest

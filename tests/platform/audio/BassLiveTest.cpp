#include <chrono>
#include <thread>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

// With a live clock the null output plays on its own threads in real time; these
// tests wait for it (briefly) instead of moving a clock.
class BassLiveTest : public ::testing::Test {
  protected:
    BassLiveTest() : bass(clock, BassOptions{OutputChoice::Null, {}}) {
        EXPECT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    }

    template <typename Done>
    bool waitUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::yield();
        }
        return true;
    }

    testsupport::TempDir dir;
    ui::LiveClock clock;
    Bass bass;
};

TEST_F(BassLiveTest, PlaysToTheEndInRealTime) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {.seconds = 0.2});
    const HSTREAM stream =
        bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_SAMPLE_FX | BASS_UNICODE);
    const BASS_DX8_PARAMEQ band{1000, 12, 3};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0), &band));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    std::vector<float> bins(1024);
    ASSERT_TRUE(waitUntil([&] { return bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE) > 0; }));
    ASSERT_TRUE(
        waitUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(190));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
              bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
    bass.BASS_ChannelGetData(stream, bins.data(), BASS_DATA_FFT2048);
    EXPECT_GT(bins[46], 0.1f);
}

TEST_F(BassLiveTest, FreeingAndSeekingWhilePlayingIsSafe) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {.seconds = 5.0});
    for (int round = 0; round < 3; ++round) {
        const HSTREAM stream =
            bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_SAMPLE_FX | BASS_UNICODE);
        bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_REVERB, 0);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        ASSERT_TRUE(
            waitUntil([&] { return bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE) > 0; }));
        ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, 4 * 100000, BASS_POS_BYTE));
        ASSERT_TRUE(waitUntil(
            [&] { return bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE) > 4 * 100000; }));
        ASSERT_TRUE(bass.BASS_StreamFree(stream));
    }
    EXPECT_TRUE(bass.BASS_Free());
}

}  // namespace
}  // namespace audiotest

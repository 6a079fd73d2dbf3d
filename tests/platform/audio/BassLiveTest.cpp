#include <atomic>
#include <chrono>
#include <thread>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

// Live playback takes real time: waits (briefly, with a deadline) until done().
template <typename Done>
bool waitUntil(Done done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

// How the live engine plays without a sound device: a null output asked for is fed
// by the calls that ask what has played; in place of a device that does not open,
// the feeder thread feeds a paced null output.
enum class LiveOutput { NullAskedFor, DeviceMissing };

BassOptions optionsFor(LiveOutput output) {
    if (output == LiveOutput::NullAskedFor) return {OutputChoice::Null, {}};
    return {
        OutputChoice::Automatic, {}, [](int, const Source&) { return std::unique_ptr<Output>(); }};
}

// With a live clock the output plays in real time; these tests wait for it
// (briefly) instead of moving a clock.
class BassLiveTest : public ::testing::TestWithParam<LiveOutput> {
  protected:
    BassLiveTest() : bass(clock, optionsFor(GetParam())) {
        EXPECT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    }

    testsupport::TempDir dir;
    ui::LiveClock clock;
    Bass bass;
};

TEST_P(BassLiveTest, PlaysToTheEndInRealTime) {
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

TEST_P(BassLiveTest, FreeingAndSeekingWhilePlayingIsSafe) {
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

// Real time passing with no call in between still plays as it was: what a later
// play, pause or seek changes starts from then.
TEST_P(BassLiveTest, TimeWithoutCallsPlaysAsItWas) {
    const QString shortTone = writeTone(dir.file("short.wav"), kWav, {.seconds = 0.1});
    const QString longTone = writeTone(dir.file("long.wav"), kWav, {.seconds = 5.0});
    const HSTREAM first = bass.BASS_StreamCreateFile(false, shortTone.utf16(), 0, 0, BASS_UNICODE);
    const HSTREAM second = bass.BASS_StreamCreateFile(false, longTone.utf16(), 0, 0, BASS_UNICODE);
    const auto quietFor = [](int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        return waitUntil([until] { return std::chrono::steady_clock::now() >= until; });
    };
    const auto seconds = [&](HSTREAM stream) {
        return bass.BASS_ChannelBytes2Seconds(stream,
                                              bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE));
    };
    ASSERT_TRUE(bass.BASS_ChannelPlay(first, false));
    ASSERT_TRUE(quietFor(250));
    const auto played = std::chrono::steady_clock::now();
    ASSERT_TRUE(bass.BASS_ChannelPlay(second, false));
    // At most what has played since, none of the quiet before it.
    EXPECT_LT(
        seconds(second),
        std::chrono::duration<double>(std::chrono::steady_clock::now() - played).count() + 0.1);
    ASSERT_TRUE(quietFor(250));
    ASSERT_TRUE(bass.BASS_ChannelPause(second));
    const double paused = seconds(second);
    EXPECT_GT(paused, 0.15);
    ASSERT_TRUE(quietFor(100));
    EXPECT_EQ(seconds(second), paused);
}

// Only a real device choice asks for the device, once, at the library's rate.
TEST(BassDeviceTest, OnlyTheDeviceChoiceOpensTheDevice) {
    testsupport::TempDir dir;
    const QString path = writeTone(dir.file("a.wav"), kWav, {.seconds = 0.1});
    ui::LiveClock clock;
    const auto playOnce = [&](OutputChoice choice, int device) {
        std::atomic<int> asked{0};
        std::atomic<int> rate{0};
        Bass bass(clock, {choice, {}, [&](int at, const Source&) {
                              rate = at;
                              ++asked;
                              return std::unique_ptr<Output>();
                          }});
        EXPECT_TRUE(bass.BASS_Init(device, 48000, 0, 0, nullptr));
        const HSTREAM stream = bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_UNICODE);
        EXPECT_TRUE(bass.BASS_ChannelPlay(stream, false));
        EXPECT_TRUE(
            waitUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
        EXPECT_TRUE(bass.BASS_Free());
        return std::pair{asked.load(), rate.load()};
    };
    EXPECT_EQ(playOnce(OutputChoice::Null, -1).first, 0);
    EXPECT_EQ(playOnce(OutputChoice::Automatic, 0).first, 0);
    EXPECT_EQ(playOnce(OutputChoice::Automatic, -1), std::pair(1, 48000));
}

INSTANTIATE_TEST_SUITE_P(Outputs, BassLiveTest,
                         ::testing::Values(LiveOutput::NullAskedFor, LiveOutput::DeviceMissing));

}  // namespace
}  // namespace audiotest

#include <atomic>
#include <chrono>
#include <thread>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

// A live clock that stands still, so calls fall in one millisecond until it is moved.
class StillClock : public ui::Clock {
  public:
    std::int64_t nowMs() const override { return now; }
    bool isManual() const override { return false; }
    int startTimer(int, Tick) override { return 1; }
    void stopTimer(int) override {}
    std::atomic<std::int64_t> now = 0;
};

// A device that counts how often the user interface's questions reach it.
class CountingOutput : public Output {
  public:
    explicit CountingOutput(std::atomic<int>& catchUps) : catchUps_(catchUps) {}
    void catchUp() override { ++catchUps_; }

  private:
    std::atomic<int>& catchUps_;
};

TEST(EngineCatchUp, OneCatchUpAMillisecondUntilWhatPlaysChanges) {
    testsupport::TempDir dir;
    StillClock clock;
    std::atomic<int> catchUps = 0;
    Bass bass(clock, {OutputChoice::Automatic, {}, [&](int, const Source&) {
                          return std::make_unique<CountingOutput>(catchUps);
                      }});
    ASSERT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    const QString path = writeTone(dir.file("a.wav"), kWav, {.seconds = 0.5});
    const HSTREAM stream =
        bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_SAMPLE_FX | BASS_UNICODE);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    // The feeder opens the device on its own thread.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (catchUps == 0 && std::chrono::steady_clock::now() < deadline) {
        ++clock.now;
        bass.BASS_ChannelIsActive(stream);
        std::this_thread::yield();
    }
    ASSERT_GT(catchUps, 0);

    ++clock.now;
    const auto ask = [&] {
        const int before = catchUps;
        bass.BASS_ChannelIsActive(stream);
        bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE);
        bass.BASS_ChannelIsActive(stream);
        return catchUps - before;
    };
    EXPECT_EQ(ask(), 1) << "three questions in one millisecond";
    EXPECT_EQ(ask(), 0);
    ++clock.now;
    EXPECT_EQ(ask(), 1) << "the next millisecond asks again";
    ASSERT_TRUE(bass.BASS_ChannelPause(stream));
    EXPECT_EQ(ask(), 1) << "a pause is caught up at once";
    EXPECT_TRUE(bass.BASS_Free());
}

}  // namespace
}  // namespace audiotest

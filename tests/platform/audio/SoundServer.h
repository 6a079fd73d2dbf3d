#pragma once

#include <sys/types.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "support/StandardError.h"
#include "support/TempDir.h"

namespace audiotest {

using testsupport::CapturedStandardError;

// A sound server of the test's own: a child process with its own folders and
// socket and one null sink, which this process is pointed at while it lives.
// Nothing of the user's own server is touched.
class SoundServer {
  public:
    static constexpr const char* kSink = "plenk_test";

    // Whether the server's program is installed (tests skip when not).
    static bool installed();
    // withSink false: a server with no sink at all, which refuses every stream.
    explicit SoundServer(bool withSink = true);
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    // Whether it answered within a few seconds.
    bool answering() const { return answering_; }
    // Ends the server at once, as a crash would.
    void kill();
    // Stops it where it stands (SIGSTOP), so that it answers nothing, and lets it
    // go on again.
    void stop();
    void resume();

  private:
    testsupport::TempDir dir_;
    pid_t pid_ = -1;
    bool answering_ = false;
};

// Records the null sink's monitor on a thread of its own: what the sink was sent.
class MonitorRecorder {
  public:
    using Clock = std::chrono::steady_clock;

    MonitorRecorder();
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // A gap in the sound: 5 ms of quiet (a tone crosses zero far quicker).
    static constexpr std::size_t kGapFrames = 220;

    bool recording() const { return recording_; }
    // The first and one past the last stereo frame louder than `floor`, and the
    // times they arrived; found false while there is none.
    struct Sound {
        bool found = false;
        std::size_t first = 0;
        std::size_t end = 0;
        Clock::time_point firstArrived;
        Clock::time_point lastArrived;
        double rms = 0.0;  // of the loud frames, gaps left out
    };
    Sound sound(std::size_t from = 0, double floor = 0.01) const;
    // The quiet stretches between two loud frames, from `from` to `to`, each at
    // least `shortest` frames long, in frames: the gaps in what was heard.
    std::vector<std::size_t> gaps(std::size_t from, std::size_t to,
                                  std::size_t shortest = kGapFrames, double floor = 0.01) const;
    std::size_t frames() const;

  private:
    void run();
    // With the lock held.
    bool quietAt(std::size_t frame, double floor) const;

    void* simple_ = nullptr;
    std::atomic<bool> stopping_{false};
    bool recording_ = false;
    mutable std::mutex mutex_;
    std::vector<float> samples_;
    std::vector<Clock::time_point> arrived_;  // per chunk
    std::thread thread_;
};

// Voluntary and involuntary context switches of this process's threads of that
// name, so far: how often they woke; 0 when there is no such thread.
long wakeUps(const char* threadName);

// Polls done() until it holds or the deadline passes.
template <typename Done>
bool pollUntil(Done done, std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace audiotest

// How soon what the player does is heard through the desktop's sound server:
// a sound server of the benchmark's own with a null sink whose monitor is
// recorded, the live library playing a tone to it.
// - SilenceAtASeek: the longest quiet the sink was sent from the old place to
//   the new one.
// - QuietAfterAPause / SoundAfterAPlay: from the call to the last sound of the
//   old place / the first sound of the new one reaching the monitor's reader.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "SoundServer.h"
#include "platform/audio/Bass.h"
#include "platform/clock/Clock.h"
#include "support/AudioFiles.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;
using audiotest::MonitorRecorder;
using audiotest::pollUntil;
using audiotest::SoundServer;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kRate = 44100;

// A long tone playing to the benchmark's own server.
class Playing {
  public:
    Playing() {
        if (!server_.answering() || !monitor_.recording()) return;
        bass_.BASS_Init(-1, kRate, 0, 0, nullptr);
        const QString path =
            testsupport::writeTone(dir_.file("tone.wav"), testsupport::kWav, {.seconds = 60.0});
        stream_ = bass_.BASS_StreamCreateFile(false, path.utf16(), 0, 0, audio::BASS_UNICODE);
        if (stream_ && bass_.BASS_ChannelPlay(stream_, false)) playing_ = heard(0.3);
    }
    ~Playing() { bass_.BASS_Free(); }
    Playing(const Playing&) = delete;
    Playing& operator=(const Playing&) = delete;

    bool playing() const { return playing_; }
    audio::Bass& bass() { return bass_; }
    audio::DWORD stream() const { return stream_; }
    const MonitorRecorder& monitor() const { return monitor_; }
    // Waits until the sink has had this much more sound.
    bool heard(double seconds) const {
        const std::size_t from = monitor_.frames();
        return pollUntil([&] {
            const auto sound = monitor_.sound(from);
            return sound.found && sound.end - sound.first > seconds * kRate;
        });
    }

  private:
    testsupport::TempDir dir_;
    SoundServer server_;
    MonitorRecorder monitor_;
    ui::LiveClock clock_;
    audio::Bass bass_{clock_};
    audio::DWORD stream_ = 0;
    bool playing_ = false;
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void SilenceAtASeek(benchmark::State& state) {
    Playing p;
    if (!p.playing()) return state.SkipWithError("no sound server");
    for (auto _ : state) {
        const std::size_t sought = p.monitor().frames();
        if (!p.bass().BASS_ChannelSetPosition(p.stream(), 4 * kRate, audio::BASS_POS_BYTE)) {
            state.SkipWithError("the seek was refused");
            return;
        }
        if (!pollUntil([&] { return p.monitor().frames() > sought + kRate; })) {
            state.SkipWithError("the monitor stopped recording after the seek");
            return;
        }
        const auto gaps = p.monitor().gaps(sought - kRate / 4, sought + kRate, 2);
        const std::size_t longest = gaps.empty() ? 0 : *std::max_element(gaps.begin(), gaps.end());
        state.SetIterationTime(static_cast<double>(longest) / kRate);
        state.counters["gaps"] = static_cast<double>(gaps.size());
    }
}

void PauseAndPlay(benchmark::State& state, bool timePlay) {
    Playing p;
    if (!p.playing()) return state.SkipWithError("no sound server");
    for (auto _ : state) {
        const auto paused = Clock::now();
        p.bass().BASS_ChannelPause(p.stream());
        const std::size_t quietFrom = p.monitor().frames();
        if (!pollUntil([&] { return p.monitor().frames() > quietFrom + kRate / 2; })) {
            state.SkipWithError("the monitor stopped recording after the pause");
            return;
        }
        const auto last = p.monitor().sound().lastArrived;
        const std::size_t resumeFrom = p.monitor().frames();
        const auto resumed = Clock::now();
        p.bass().BASS_ChannelPlay(p.stream(), false);
        if (!pollUntil([&] { return p.monitor().sound(resumeFrom).found; })) {
            state.SkipWithError("no sound after the play");
            return;
        }
        const auto first = p.monitor().sound(resumeFrom).firstArrived;
        state.SetIterationTime(timePlay ? seconds(first - resumed) : seconds(last - paused));
        if (!p.heard(0.3)) {
            state.SkipWithError("the sound did not go on after the play");
            return;
        }
    }
}

void QuietAfterAPause(benchmark::State& state) {
    PauseAndPlay(state, false);
}
void SoundAfterAPlay(benchmark::State& state) {
    PauseAndPlay(state, true);
}

BENCHMARK(SilenceAtASeek)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(QuietAfterAPause)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SoundAfterAPlay)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

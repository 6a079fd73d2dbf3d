// Processor time of live playback on the null output (paced by real time on the
// engine's own threads), with the spectrum read every 25 ms as the visualisation
// does: cpu_percent is the whole process's user and system time over the measured
// wall time, as a share of one core.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "AudioBenchSupport.h"
#include "platform/clock/Clock.h"

namespace {

using Clock = std::chrono::steady_clock;

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Reads the spectrum every 25 ms until `until`.
void pollSpectrum(audio::Bass& bass, audio::DWORD channel, Clock::time_point until) {
    std::vector<float> bins(1024);
    for (auto next = Clock::now(); next < until; next += std::chrono::milliseconds(25)) {
        std::this_thread::sleep_until(next);
        bass.BASS_ChannelGetData(channel, bins.data(), audio::BASS_DATA_FFT2048);
    }
}

enum class Load { PollingOnly, PlayerDefaults, AllEffectsActive };

void LivePlayback(benchmark::State& state, Load load) {
    const std::string path = audiobench::benchMusic(30.0);
    for (auto _ : state) {
        ui::LiveClock clock;
        audio::Bass bass(clock, {audio::OutputChoice::Null, {}});
        const audio::HSTREAM stream =
            audiobench::openWithEffects(bass, path, load == Load::AllEffectsActive);
        if (load != Load::PollingOnly) bass.BASS_ChannelPlay(stream, false);
        pollSpectrum(bass, stream, Clock::now() + std::chrono::seconds(1));
        const double cpuBefore = processorSeconds();
        const auto wallBefore = Clock::now();
        pollSpectrum(bass, stream, wallBefore + std::chrono::seconds(10));
        const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
        state.counters["cpu_percent"] = 100.0 * (processorSeconds() - cpuBefore) / wall;
    }
}

// One measured run each; five of them, since a wake-up's cost varies a lot on a
// shared machine (read the median).
void asLiveRun(benchmark::internal::Benchmark* run) {
    run->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime()->Unit(
        benchmark::kSecond);
}

// The spectrum polled with nothing playing: what the polling itself costs.
BENCHMARK_CAPTURE(LivePlayback, polling_only, Load::PollingOnly)->Apply(asLiveRun);
BENCHMARK_CAPTURE(LivePlayback, player_defaults, Load::PlayerDefaults)->Apply(asLiveRun);
BENCHMARK_CAPTURE(LivePlayback, all_effects_active, Load::AllEffectsActive)->Apply(asLiveRun);

}  // namespace

BENCHMARK_MAIN();

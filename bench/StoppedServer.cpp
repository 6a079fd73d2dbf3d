// How long the window's thread is held by the library's calls while the desktop's
// sound server answers nothing: the longest pause, play, seek and track change,
// in ms.
// - StoppedServer: with the server stopped (SIGSTOP) mid-track, a pause, a play,
//   a seek and a track change (stop, free, init, open, play, as the player's Next
//   does), over and over.
// - StopResumeDieReturn: the server stops, goes on, dies and a new one comes,
//   between pauses, plays, seeks and track changes.
// The server is one of the benchmark's own (a null sink), stopped only by its PID.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "AudioBenchSupport.h"
#include "SoundServer.h"
#include "platform/clock/Clock.h"

namespace {

using Clock = std::chrono::steady_clock;
using audiotest::SoundServer;

// The library as the player drives it, with the longest call timed.
class Player {
  public:
    Player() : path_(audiobench::benchMusic(30.0)) { start(); }
    ~Player() { bass_.BASS_Free(); }
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // The longest of each kind of call, in ms.
    struct Longest {
        double pause = 0.0;
        double play = 0.0;
        double seek = 0.0;
        double change = 0.0;
    };

    void pause() {
        timed(longest_.pause, [&] { bass_.BASS_ChannelPause(stream_); });
    }
    void play() {
        timed(longest_.play, [&] { bass_.BASS_ChannelPlay(stream_, false); });
    }
    void seek() {
        timed(longest_.seek,
              [&] { bass_.BASS_ChannelSetPosition(stream_, 4 * 44100, audio::BASS_POS_BYTE); });
    }
    void next() {
        timed(longest_.change, [&] {
            bass_.BASS_ChannelStop(stream_);
            bass_.BASS_Free();
            start();
        });
    }
    void report(benchmark::State& state) const {
        state.counters["pause_ms"] = longest_.pause;
        state.counters["play_ms"] = longest_.play;
        state.counters["seek_ms"] = longest_.seek;
        state.counters["change_ms"] = longest_.change;
    }

  private:
    void start() {
        bass_.BASS_Init(-1, 44100, 0, 0, nullptr);
        const QString path = QString::fromStdString(path_);
        stream_ = bass_.BASS_StreamCreateFile(false, path.utf16(), 0, 0, audio::BASS_UNICODE);
        bass_.BASS_ChannelPlay(stream_, false);
    }
    template <typename Call>
    static void timed(double& longest, Call call) {
        const auto before = Clock::now();
        call();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - before).count();
        longest = std::max(longest, ms);
    }

    std::string path_;
    ui::LiveClock clock_;
    audio::Bass bass_{clock_};
    audio::DWORD stream_ = 0;
    Longest longest_;
};

void settle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void StoppedServer(benchmark::State& state) {
    for (auto _ : state) {
        SoundServer server;
        if (!server.answering()) return state.SkipWithError("no sound server");
        Player player;
        settle();
        server.stop();
        for (int i = 0; i < 5; ++i) {
            player.pause();
            player.play();
            player.seek();
            player.next();
            settle();
        }
        server.resume();
        player.report(state);
    }
}

void StopResumeDieReturn(benchmark::State& state) {
    for (auto _ : state) {
        auto server = std::make_unique<SoundServer>();
        if (!server->answering()) return state.SkipWithError("no sound server");
        Player player;
        const auto round = [&] {
            settle();
            player.pause();
            settle();
            player.play();
            settle();
            player.seek();
            settle();
            player.next();
        };
        round();
        server->stop();
        round();
        server->resume();
        round();
        server->stop();
        round();
        server->kill();
        round();
        server = std::make_unique<SoundServer>();
        round();
        server->stop();
        round();
        server->resume();
        round();
        player.report(state);
    }
}

BENCHMARK(StoppedServer)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(StopResumeDieReturn)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();

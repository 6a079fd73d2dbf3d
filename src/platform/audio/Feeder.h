#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audio/Channel.h"
#include "platform/audio/Output.h"

namespace audio {

// The live engine's background thread: it opens the output (so a slow device
// never holds up the user interface), then keeps every playing channel decoded
// a little ahead of the output, pumping the output after each round, until it is
// destroyed, which closes the output. While nothing plays it sleeps until woken.
// An output that is lost (a sound server that went away) is opened again, which
// falls back to the next output there is.
class Feeder {
  public:
    using OpenOutput = std::function<std::unique_ptr<Output>()>;

    explicit Feeder(OpenOutput openOutput);
    ~Feeder();
    Feeder(const Feeder&) = delete;
    Feeder& operator=(const Feeder&) = delete;

    void setChannels(std::vector<std::shared_ptr<Channel>> channels);
    // Fills at once rather than at the next round (after a play or a seek).
    void wake();
    // What plays changed: the output drops what it holds ahead, then a round runs.
    void changed();
    // Brings the output's account of what has played up to now, from the calling
    // thread, so what it reports moves on between rounds.
    void catchUp();

  private:
    void run(const OpenOutput& openOutput);
    struct Pace {
        std::chrono::milliseconds round{100};
        std::size_t held = 0;
    };
    bool waitForWork(std::chrono::milliseconds round);
    Pace pace();
    void setOutput(std::unique_ptr<Output> output);
    // Pumps the output; false when it is lost.
    bool pump();

    std::mutex outputMutex_;  // held only while the output is pumped or swapped
    std::unique_ptr<Output> output_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
    bool stopping_ = false;
    std::vector<std::shared_ptr<Channel>> channels_;
    std::thread thread_;
};

}  // namespace audio

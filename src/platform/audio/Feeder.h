#pragma once

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
// destroyed, which closes the output.
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
    // Brings a paced null output up to now, from the calling thread, so what it
    // reports moves on between rounds.
    void catchUp();

  private:
    void run(const OpenOutput& openOutput);
    bool waitForWork();
    void setOutput(std::unique_ptr<Output> output);

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

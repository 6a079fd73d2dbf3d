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

  private:
    void run(const OpenOutput& openOutput);
    bool waitForWork();

    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
    bool stopping_ = false;
    std::vector<std::shared_ptr<Channel>> channels_;
    std::thread thread_;
};

}  // namespace audio

#pragma once

#include <functional>
#include <memory>
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
    // Asks for a round at once; any thread, as long as the output lives.
    using Wake = std::function<void()>;
    using OpenOutput = std::function<std::unique_ptr<Output>(const Wake& wake)>;

    explicit Feeder(OpenOutput openOutput);
    // A thread that does not stop within a frame (an output still being opened, a
    // device slow to close) is left to finish on its own: it owns what it uses.
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
    struct Shared;
    static void run(Shared& shared, const OpenOutput& openOutput);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace audio

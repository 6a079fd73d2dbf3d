#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace ui {
class Clock;
}

namespace audio {

// Fills stereo frames at the output rate; false when nothing is playing, so the
// frames need not be passed on.
using Render = std::function<bool(float* stereo, std::size_t frames)>;
// Sees what a null output consumes (tests listen here).
using Tap = std::function<void(const float* stereo, std::size_t frames)>;

// Where mixed audio goes. It pulls frames from its render function until destroyed.
class Output {
  public:
    virtual ~Output() = default;
    // Called after each round of decoding, and before the user interface asks what
    // has been played; never on two threads at once.
    virtual void pump() {}
};

// A null output that consumes exactly the audio of the time a manual clock moves
// on, inside the clock's own call: deterministic, with no thread of its own.
std::unique_ptr<Output> openClockedOutput(ui::Clock& clock, int rate, Render render, Tap tap);

// A null output that consumes audio in step with real time, each time it is pumped
// (by the feeder after each round, or by the calls that ask what has played).
std::unique_ptr<Output> openPacedOutput(int rate, Render render, Tap tap);

// The default sound device through PortAudio; null when none opens.
std::unique_ptr<Output> openDeviceOutput(int rate, Render render);
using OpenDevice = std::function<std::unique_ptr<Output>(int rate, Render render)>;

}  // namespace audio

#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/audio/Timeline.h"

namespace ui {
class Clock;
}

namespace audio {

// Fills stereo frames at the output rate; false when nothing is playing: then
// nothing was rendered, and the frames need not be passed on.
using Render = std::function<bool(float* stereo, std::size_t frames)>;
// Sees what a null output consumes (tests listen here).
using Tap = std::function<void(const float* stereo, std::size_t frames)>;

// What an output plays: the mixer. An output that holds what it renders a while
// before it is heard (a sound server's buffer) also says how far, counting the
// frames rendered, the listener has got, and where rendering starts again after it
// has dropped what it held.
// A playhead of kHeardAsMixed goes back to counting what is rendered as heard.
// An output that cannot take more until the server answers asks for a pump
// through wake once it has.
struct Source {
    Render render;
    std::function<void(std::uint64_t frame)> setPlayhead;
    std::function<void(std::uint64_t frame)> rewindTo;
    std::function<void()> wake;
};

// Where mixed audio goes. It pulls frames from its source until destroyed.
class Output {
  public:
    virtual ~Output() = default;
    // Called after each round of decoding. No two of pump, catchUp and changed
    // run at once.
    virtual void pump() {}
    // Before the user interface asks what has been played.
    virtual void catchUp() { pump(); }
    // What plays has changed (a play, pause, stop, seek or free): whatever the
    // output holds ahead is dropped, so the change is heard at once. It waits for
    // no server.
    virtual void changed() {}
    // Output frames it holds ahead of what is heard, which are decoded ahead too.
    virtual std::size_t heldFrames() const { return 0; }
    // How often it is pumped while something plays.
    virtual std::chrono::milliseconds pumpEvery() const { return std::chrono::milliseconds(100); }
    // The device or server has gone; the output plays nothing more.
    virtual bool lost() const { return false; }
};

// A null output that consumes exactly the audio of the time a manual clock moves
// on, inside the clock's own call: deterministic, with no thread of its own.
std::unique_ptr<Output> openClockedOutput(ui::Clock& clock, int rate, Render render, Tap tap);

// A null output that consumes audio in step with real time, each time it is pumped
// (by the feeder after each round, or by the calls that ask what has played).
std::unique_ptr<Output> openPacedOutput(int rate, Render render, Tap tap);

// The default sound device through PortAudio, tried only where ALSA offers a
// device; null when none opens.
std::unique_ptr<Output> openDeviceOutput(int rate, const Source& source);
// The desktop's sound server, as a stream named after the program, else the
// sound device, else null.
std::unique_ptr<Output> openDesktopOutput(int rate, const Source& source);
using OpenDevice = std::function<std::unique_ptr<Output>(int rate, const Source& source)>;

}  // namespace audio

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/Channel.h"
#include "platform/audio/Feeder.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/Output.h"

namespace ui {
class Clock;
}

namespace audio {

// One initialised library session: the mixer and, from the first play on, the
// output. With a manual clock the output is a clocked null output fed on the
// clock's thread; a null output asked for with a live clock is paced by real time
// and fed on the threads that ask what has played; otherwise a feeder thread opens
// the device (or a paced null output when none opens) and keeps it fed; a feeder
// left to finish on its own renders nothing more of the engine's channels.
class Engine {
  public:
    Engine(ui::Clock& clock, int rate, bool nullOutput, Tap tap, OpenDevice openDevice,
           float volume);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    int rate() const { return rate_; }
    void setVolume(float volume) { mixer_->setVolume(volume); }

    // Gives a channel to the output (starting the output the first time); false
    // when too many channels are attached.
    bool attach(const std::shared_ptr<Channel>& channel);
    void detach(const Channel& channel);
    // What plays changed (play, pause, stop, seek, free): heard at once, and
    // decoding starts now.
    void changed();
    // Before answering what has been played: a paced null output catches up to now.
    void catchUp();

  private:
    void startOutput();
    bool renderNow(float* out, std::size_t frames, std::size_t aheadBlocks);
    bool isAttached(const Channel& channel) const;

    ui::Clock& clock_;
    const int rate_;
    const bool nullOutput_;
    const Tap tap_;
    const OpenDevice openDevice_;
    // Shared with the feeder's thread, which may outlive the engine.
    std::shared_ptr<Mixer> mixer_;
    std::vector<std::shared_ptr<Channel>> channels_;
    std::unique_ptr<Output> inline_;  // a null output fed on the calling thread
    std::unique_ptr<Feeder> feeder_;
    std::int64_t caughtUpAtMs_ = -1;  // the clock's time of the last catch-up of the feeder
};

}  // namespace audio

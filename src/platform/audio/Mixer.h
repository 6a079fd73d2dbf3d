#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/Voice.h"

namespace audio {

// Sums the playing voices into the output's stereo frames at the global volume.
// render() runs on the output thread without locks or allocation; voices are
// added and removed on the user-interface thread, and a removed voice is kept
// alive until any render that might still see it has finished. It counts the
// frames it renders; an output that holds them a while before they are heard
// moves the playhead along that count, and after it drops what it held, sends the
// count (and every voice) back to where it starts again.
class Mixer {
  public:
    static constexpr std::size_t kSlots = 64;

    explicit Mixer(float volume);
    ~Mixer();

    // False when every slot is taken.
    bool attach(std::shared_ptr<Voice> voice);
    void detach(const Voice* voice);
    void setVolume(float volume) { volume_.store(volume, std::memory_order_relaxed); }
    bool anyPlaying() const;

    // False, with nothing rendered or counted, when no voice plays.
    bool render(float* out, std::size_t frames);

    // The output frame the listener has reached (any thread); kHeardAsMixed, the
    // default, from the output thread only: what is rendered is heard at once.
    void setPlayhead(std::uint64_t serial);
    void rewindTo(std::uint64_t serial);

  private:
    void collect();
    template <typename Each>
    void forEachVoice(Each each);
    void applyVolume(float* out, std::size_t frames);

    std::array<std::atomic<Voice*>, kSlots> slots_{};
    std::vector<std::shared_ptr<Voice>> attached_;
    std::vector<std::pair<std::shared_ptr<Voice>, std::uint64_t>> retired_;
    std::atomic<std::uint64_t> renders_{0};  // odd while a render runs
    std::atomic<float> volume_;
    std::atomic<std::uint64_t> playhead_{kHeardAsMixed};
    std::uint64_t serial_ = 0;  // output thread: frames rendered
    float applied_;             // output thread's volume, ramped towards volume_
};

}  // namespace audio

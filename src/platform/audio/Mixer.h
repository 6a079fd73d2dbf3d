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
// alive until any render that might still see it has finished.
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

    void render(float* out, std::size_t frames);

  private:
    void collect();
    void applyVolume(float* out, std::size_t frames);

    std::array<std::atomic<Voice*>, kSlots> slots_{};
    std::vector<std::shared_ptr<Voice>> attached_;
    std::vector<std::pair<std::shared_ptr<Voice>, std::uint64_t>> retired_;
    std::atomic<std::uint64_t> renders_{0};  // odd while a render runs
    std::atomic<float> volume_;
    float applied_;  // output thread's volume, ramped towards volume_
};

}  // namespace audio

#pragma once

#include <cstddef>
#include <memory>

#include "platform/audio/BassTypes.h"

namespace audio {

// An effect on a channel's decoded frames (interleaved, the channel's own rate and
// channel count). Parameter changes glide over a few milliseconds, so moving a
// control while playing does not click.
class Effect {
  public:
    virtual ~Effect() = default;
    virtual void process(float* frames, std::size_t count) = 0;
    // Takes the effect's parameter record; false (record kept) when a value is out of range.
    virtual bool setParameters(const void* record) = 0;
    // Copies the current parameter record.
    virtual void parameters(void* record) const = 0;
};

// BASS_FX_DX8_PARAMEQ or BASS_FX_DX8_REVERB; null for any other type.
std::unique_ptr<Effect> makeEffect(DWORD type, int rate, int channels);

// Whether value lies in [low, high] (false for NaN).
inline bool inRange(float value, float low, float high) {
    return value >= low && value <= high;
}

}  // namespace audio

#pragma once

#include <cstddef>

typedef struct SRC_STATE_tag SRC_STATE;

namespace audio {

// Converts interleaved audio from one rate to another; equal rates pass
// straight through.
class Resampler {
  public:
    Resampler(int inRate, int outRate, int channels = 2);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // out / in frames.
    double ratio() const { return ratio_; }

    // Converts every input frame; out must hold ratio() * frames + kSlack frames.
    std::size_t process(const float* in, std::size_t frames, float* out, std::size_t outCapacity);
    // After the last input: the frames still held back. 0 once drained.
    std::size_t drain(float* out, std::size_t outCapacity);
    // Forgets held-back frames (after a seek).
    void reset();

    static constexpr std::size_t kSlack = 64;

  private:
    std::size_t run(const float* in, std::size_t frames, float* out, std::size_t outCapacity,
                    bool last);

    double ratio_;
    int channels_;
    SRC_STATE* state_ = nullptr;
};

}  // namespace audio

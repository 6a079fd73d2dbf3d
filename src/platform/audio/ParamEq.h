#pragma once

#include <array>

#include "platform/audio/Decoder.h"
#include "platform/audio/Effect.h"
#include "platform/audio/Glide.h"

namespace audio {

// One peaking band (a biquad), its bandwidth given in semitones.
class ParamEq : public Effect {
  public:
    // Two channels side by side, filtered together.
    using Lanes = double __attribute__((vector_size(16)));

    ParamEq(int rate, int channels);

    void process(float* frames, std::size_t count) override;
    bool setParameters(const void* record) override;
    void parameters(void* record) const override;

    // Runs bands that follow each other on one channel as a single cascade, so
    // their work overlaps instead of each band waiting on its own previous frame.
    static void processCascade(ParamEq* const* bands, std::size_t count, float* frames,
                               std::size_t frameCount);

  private:
    void start();
    bool moving() const;
    void glide();
    void design();
    static void filter(ParamEq* const* active, std::size_t count, float* frames,
                       std::size_t frameCount, int channels);

    BASS_DX8_PARAMEQ record_{8000.0f, 12.0f, 0.0f};
    double rate_;
    int channels_;
    double fraction_;
    Glide octave_;     // log2 of the centre frequency
    Glide bandwidth_;  // semitones
    Glide gain_;       // dB
    bool started_ = false;
    bool bypass_ = true;
    Lanes b0_{}, b1_{}, b2_{}, a1_{}, a2_{};
    std::array<std::array<Lanes, 2>, kMaxChannels / 2> state_{};
};

}  // namespace audio

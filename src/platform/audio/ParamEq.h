#pragma once

#include <array>

#include "platform/audio/Decoder.h"
#include "platform/audio/Effect.h"
#include "platform/audio/Glide.h"

namespace audio {

// One peaking band (a biquad), its bandwidth given in semitones.
class ParamEq : public Effect {
  public:
    ParamEq(int rate, int channels);

    void process(float* frames, std::size_t count) override;
    bool setParameters(const void* record) override;
    void parameters(void* record) const override;

  private:
    void glide();
    void design();
    void filter(float* frames, std::size_t count);

    BASS_DX8_PARAMEQ record_{8000.0f, 12.0f, 0.0f};
    double rate_;
    int channels_;
    double fraction_;
    Glide octave_;     // log2 of the centre frequency
    Glide bandwidth_;  // semitones
    Glide gain_;       // dB
    bool started_ = false;
    bool bypass_ = true;
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    std::array<std::array<double, 2>, kMaxChannels> state_{};
};

}  // namespace audio

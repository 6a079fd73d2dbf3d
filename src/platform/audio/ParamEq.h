#pragma once

#include <array>

#include "platform/audio/Decoder.h"
#include "platform/audio/Effect.h"
#include "platform/audio/Glide.h"

namespace audio {

// One peaking band (a biquad in single precision), its bandwidth given in semitones.
class ParamEq : public Effect {
  public:
    ParamEq(int rate, int channels);

    void process(float* frames, std::size_t count) override;
    bool setParameters(const void* record) override;
    void parameters(void* record) const override;

    // Runs bands that follow each other on one channel as a single cascade, so
    // their work overlaps instead of each band waiting on the one before it.
    static void processCascade(ParamEq* const* bands, std::size_t count, float* frames,
                               std::size_t frameCount);

  private:
    void start();
    bool moving() const;
    void glide();
    void design();
    static void filter(ParamEq* const* active, std::size_t count, float* frames,
                       std::size_t frameCount, int channels);
    template <class Kernel>
    static void filterIn(ParamEq* const* active, std::size_t count, float* frames,
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
    // Transposed direct form II: y = b0 x + s1, s1 = b1 x - a1 y + s2, s2 = b2 x - a2 y.
    // The defaults pass the input unchanged.
    struct Coefficients {
        float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    };

    Coefficients k_;
    std::array<std::array<float, 2>, kMaxChannels> state_{};  // s1, s2 per channel
};

}  // namespace audio

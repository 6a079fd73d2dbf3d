#pragma once

#include <array>
#include <vector>

#include "platform/audio/Effect.h"
#include "platform/audio/Glide.h"

namespace audio {

// A stereo algorithmic reverb: the input, summed to mono, passes four diffusing
// all-pass filters into an eight-line feedback delay network mixed by a Hadamard
// matrix. Each line's loop gain gives the reverb time; a high-shelf in each loop
// shortens it above a few kHz by the high-frequency ratio. The dry signal passes
// unchanged; the network's output is added at the reverb mix level.
class Reverb : public Effect {
  public:
    Reverb(int rate, int channels);

    void process(float* frames, std::size_t count) override;
    bool setParameters(const void* record) override;
    void parameters(void* record) const override;

  private:
    static constexpr int kLines = 8;
    static constexpr int kDiffusers = 4;

    struct Delay {
        std::vector<float> buffer;  // a power of two long
        std::size_t length = 1;
    };
    struct LoopFilter {
        float b0 = 0, b1 = 0, a1 = 0, z = 0;
    };

    void glide();
    void design();
    void clear();
    void run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
             float wetTo);
    float diffuse(float x);
    void addWet(float* frame, float left, float right) const;

    BASS_DX8_REVERB record_{0.0f, 0.0f, 1000.0f, 0.001f};
    double rate_;
    int channels_;
    double fraction_;
    double feedFraction_;
    Glide inGain_;     // linear
    Glide wet_;        // linear
    Glide logTime_;    // log of the reverb time in ms
    Glide logRatio_;   // log of the high-frequency ratio
    Glide feed_{1.0};  // share of the input entering the network
    bool started_ = false;
    bool silent_ = false;
    std::size_t now_ = 0;
    std::array<Delay, kLines> lines_;
    std::array<LoopFilter, kLines> filters_;
    std::array<Delay, kDiffusers> diffusers_;
};

}  // namespace audio

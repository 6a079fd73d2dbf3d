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
    // Four delay lines side by side.
    using Quad = float __attribute__((vector_size(16)));

    static constexpr int kDiffusers = 4;

    struct Diffuser {
        std::vector<float> buffer;  // a power of two long
        std::size_t length = 1;
    };

    void glide();
    void design();
    void clear();
    // A gain moving by a step each frame.
    struct Ramp {
        float value;
        float step;
        float next() { return value += step; }
    };

    void run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
             float wetTo);
    void diffuse(float* x, std::size_t count);
    void network(float* frames, const float* input, std::size_t count, Ramp& wet);
    Quad readLines(int first) const;
    void writeLines(Quad low, Quad high);
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
    std::size_t chunkFrames_ = 1;
    // The eight lines interleaved, frame i of line l at lines_[8 * (i & lineMask_) + l],
    // so one frame of all lines is written at once.
    std::vector<float> lines_;
    std::size_t lineMask_ = 0;
    std::array<std::size_t, 8> lineLength_{};
    // Each line's loop filter, lines 0-3 in [0] and 4-7 in [1].
    std::array<Quad, 2> b0_{}, b1_{}, a1_{}, z_{};
    std::array<Diffuser, kDiffusers> diffusers_;
};

}  // namespace audio

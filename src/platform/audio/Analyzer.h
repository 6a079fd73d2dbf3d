#pragma once

#include <cstddef>
#include <vector>

#include "platform/audio/Voice.h"

struct fftwf_plan_s;

namespace audio {

// Answers data requests from a channel's history of played frames.
class Analyzer {
  public:
    static constexpr std::size_t kFftFrames = 2048;
    static constexpr std::size_t kBins = kFftFrames / 2;

    Analyzer();
    ~Analyzer();
    Analyzer(const Analyzer&) = delete;
    Analyzer& operator=(const Analyzer&) = delete;

    // kBins magnitudes of the last kFftFrames played frames, mixed to mono and
    // Hann-windowed; a full-scale sine peaks near 1.
    void spectrum(const Voice& voice, int channels, float* out);

  private:
    void mixToMono(int channels);

    std::vector<float> window_;
    std::vector<float> frames_;
    float* in_;
    float (*out_)[2];
    fftwf_plan_s* plan_;
};

}  // namespace audio

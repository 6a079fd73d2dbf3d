#pragma once

#include <cstddef>
#include <cstdint>
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
    // Hann-windowed; a full-scale sine peaks near 1. Asked again before anything
    // more has played, it answers from the last transform.
    void spectrum(const Voice& voice, int channels, float* out);
    // Before a voice goes (another may come at its address).
    void forget() { last_ = {}; }

  private:
    // What the last transform was of.
    struct Source {
        const Voice* voice = nullptr;
        std::uint64_t end = 0;
        bool held = false;
        bool operator==(const Source&) const = default;
    };

    void transform(const Voice& voice, std::uint64_t end, int channels);
    void mixToMono(const float* frames, std::size_t at, std::size_t count, int channels);

    std::vector<float> window_;
    std::vector<float> bins_;
    Source last_;
    float* in_;
    float (*out_)[2];
    fftwf_plan_s* plan_;
};

}  // namespace audio

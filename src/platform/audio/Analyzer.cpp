#include "platform/audio/Analyzer.h"

#include <fftw3.h>

#include <cmath>
#include <mutex>
#include <numbers>

#include "platform/audio/Decoder.h"

namespace audio {

namespace {
// FFTW's planner is not thread-safe.
std::mutex& plannerMutex() {
    static std::mutex mutex;
    return mutex;
}
}  // namespace

Analyzer::Analyzer()
    : window_(kFftFrames),
      frames_(kFftFrames * kMaxChannels),
      in_(fftwf_alloc_real(kFftFrames)),
      out_(fftwf_alloc_complex(kBins + 1)) {
    {
        std::lock_guard lock(plannerMutex());
        plan_ = fftwf_plan_dft_r2c_1d(kFftFrames, in_, out_, FFTW_ESTIMATE);
    }
    for (std::size_t i = 0; i < kFftFrames; ++i)
        window_[i] =
            static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFftFrames));
}

Analyzer::~Analyzer() {
    {
        std::lock_guard lock(plannerMutex());
        fftwf_destroy_plan(plan_);
    }
    fftwf_free(out_);
    fftwf_free(in_);
}

// Windowed mono into the transform's input; the common channel counts get loops of
// their own, which the compiler can vectorise.
void Analyzer::mixToMono(int channels) {
    if (channels == 2) {
        for (std::size_t i = 0; i < kFftFrames; ++i)
            in_[i] = (frames_[2 * i] + frames_[2 * i + 1]) * 0.5f * window_[i];
        return;
    }
    const float share = 1.0f / static_cast<float>(channels);
    for (std::size_t i = 0; i < kFftFrames; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c)
            sum += frames_[i * channels + c];
        in_[i] = sum * share * window_[i];
    }
}

void Analyzer::spectrum(const Voice& voice, int channels, float* out) {
    voice.copyHistory(voice.heard().historyEnd, frames_.data(), kFftFrames);
    mixToMono(channels);
    fftwf_execute(plan_);
    // The window halves a sine's amplitude and the transform spreads it over
    // both halves of the spectrum: 4 / N undoes both.
    const float scale = 4.0f / kFftFrames;
    for (std::size_t k = 0; k < kBins; ++k)
        out[k] = std::sqrt(out_[k][0] * out_[k][0] + out_[k][1] * out_[k][1]) * scale;
}

}  // namespace audio

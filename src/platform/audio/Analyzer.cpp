#include "platform/audio/Analyzer.h"

#include <fftw3.h>

#include <cmath>
#include <mutex>
#include <numbers>

#include "platform/audio/Quad.h"

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
      bins_(kBins),
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

// Windowed mono of count frames into the transform's input from frame `at` on;
// stereo, the usual case, four frames at a time.
void Analyzer::mixToMono(const float* frames, std::size_t at, std::size_t count, int channels) {
    const float share = 1.0f / static_cast<float>(channels);
    std::size_t i = 0;
    if (channels == 2) {
        for (; i + 4 <= count; i += 4) {
            const Quad a = loadQuad(&frames[2 * i]);
            const Quad b = loadQuad(&frames[2 * i + 4]);
            storeQuad(in_ + at + i,
                      (evens(a, b) + odds(a, b)) * share * loadQuad(&window_[at + i]));
        }
    }
    for (; i < count; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c)
            sum += frames[i * channels + c];
        in_[at + i] = sum * share * window_[at + i];
    }
}

void Analyzer::spectrum(const Voice& voice, int channels, float* out) {
    const std::uint64_t end = voice.heard().historyEnd;
    const Source source{&voice, end, voice.holds(end, kFftFrames)};
    if (source != last_) {
        transform(voice, end, channels);
        last_ = source;
    }
    std::copy(bins_.begin(), bins_.end(), out);
}

// The window halves a sine's amplitude and the transform spreads it over both
// halves of the spectrum: 4 / N undoes both.
void Analyzer::transform(const Voice& voice, std::uint64_t end, int channels) {
    const Voice::HistoryRuns found = voice.historyRuns(end, kFftFrames);
    std::fill_n(in_, found.missing, 0.0f);
    std::size_t at = found.missing;
    for (const auto& run : found.runs) {
        const std::size_t count = run.size() / static_cast<std::size_t>(channels);
        mixToMono(run.data(), at, count, channels);
        at += count;
    }
    fftwf_execute(plan_);
    const float scale = 4.0f / kFftFrames;
    const float* complex = out_[0];
    for (std::size_t k = 0; k < kBins; k += 4) {
        const Quad a = loadQuad(complex + 2 * k);
        const Quad b = loadQuad(complex + 2 * k + 4);
        const Quad re = evens(a, b);
        const Quad im = odds(a, b);
        storeQuad(&bins_[k], sqrtQuad(re * re + im * im) * scale);
    }
}

}  // namespace audio

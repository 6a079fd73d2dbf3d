#include "platform/audio/ParamEq.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "platform/audio/Quad.h"

namespace audio {

namespace {
// Short steps: each coefficient change is a small jolt to the filter.
constexpr std::size_t kStepFrames = 8;
constexpr double kGlideMs = 20.0;
// Bands run together at most (the player has ten).
constexpr std::size_t kMaxCascade = 16;
}  // namespace

ParamEq::ParamEq(int rate, int channels)
    : rate_(rate),
      channels_(channels),
      fraction_(glideFraction(rate, kStepFrames, kGlideMs)),
      octave_(std::log2(record_.fCenter)),
      bandwidth_(record_.fBandwidth),
      gain_(record_.fGain) {}

bool ParamEq::setParameters(const void* record) {
    const auto& next = *static_cast<const BASS_DX8_PARAMEQ*>(record);
    if (!inRange(next.fCenter, 80.0f, 16000.0f) || !inRange(next.fBandwidth, 1.0f, 36.0f) ||
        !inRange(next.fGain, -15.0f, 15.0f))
        return false;
    record_ = next;
    octave_.setTarget(std::log2(next.fCenter));
    bandwidth_.setTarget(next.fBandwidth);
    gain_.setTarget(next.fGain);
    return true;
}

void ParamEq::parameters(void* record) const {
    *static_cast<BASS_DX8_PARAMEQ*>(record) = record_;
}

void ParamEq::process(float* frames, std::size_t count) {
    ParamEq* const self = this;
    processCascade(&self, 1, frames, count);
}

void ParamEq::processCascade(ParamEq* const* bands, std::size_t count, float* frames,
                             std::size_t frameCount) {
    if (count > kMaxCascade) {
        processCascade(bands, kMaxCascade, frames, frameCount);
        processCascade(bands + kMaxCascade, count - kMaxCascade, frames, frameCount);
        return;
    }
    if (count == 0) return;
    const int channels = bands[0]->channels_;
    for (std::size_t b = 0; b < count; ++b)
        bands[b]->start();
    std::array<ParamEq*, kMaxCascade> active;
    std::size_t done = 0;
    while (done < frameCount) {
        const bool moving =
            std::any_of(bands, bands + count, [](ParamEq* b) { return b->moving(); });
        const std::size_t n = moving ? std::min(kStepFrames, frameCount - done) : frameCount - done;
        std::size_t used = 0;
        for (std::size_t b = 0; b < count; ++b) {
            if (bands[b]->moving()) bands[b]->glide();
            if (!bands[b]->bypass_) active[used++] = bands[b];
        }
        if (used > 0) filter(active.data(), used, frames + done * channels, n, channels);
        done += n;
    }
}

void ParamEq::start() {
    if (started_) return;
    octave_.jump();
    bandwidth_.jump();
    gain_.jump();
    design();
    started_ = true;
}

bool ParamEq::moving() const {
    return octave_.moving() || bandwidth_.moving() || gain_.moving();
}

void ParamEq::glide() {
    octave_.step(fraction_, 1e-4);
    bandwidth_.step(fraction_, 1e-3);
    gain_.step(fraction_, 1e-3);
    design();
}

// A peaking biquad; a band at 0 dB, or above what the rate can carry, is left out.
void ParamEq::design() {
    const double centre = std::exp2(octave_.value());
    const bool wasBypassed = bypass_;
    bypass_ = gain_.value() == 0.0 || centre >= rate_ / 2;
    if (bypass_) {
        state_ = {};
        return;
    }
    if (wasBypassed) state_ = {};
    const double w0 = 2 * std::numbers::pi * std::min(centre, 0.45 * rate_) / rate_;
    const double octaves = bandwidth_.value() / 12.0;
    const double alpha =
        std::sin(w0) * std::sinh(std::numbers::ln2 / 2 * octaves * w0 / std::sin(w0));
    const double a = std::pow(10.0, gain_.value() / 40.0);
    const double a0 = 1 + alpha / a;
    k_.b0 = static_cast<float>((1 + alpha * a) / a0);
    k_.b1 = static_cast<float>(-2 * std::cos(w0) / a0);
    k_.b2 = static_cast<float>((1 - alpha * a) / a0);
    k_.a1 = k_.b1;
    k_.a2 = static_cast<float>((1 - alpha / a) / a0);
}

namespace {

// Two bands for two channels: lanes (band 2v, first), (2v, second), (2v + 1,
// first), (2v + 1, second).
struct Stage {
    Quad b0, b1, b2, a1, a2;
    Quad s1, s2;
    Quad y;      // what the lanes made at the last step
    Quad order;  // each lane's band number
};

// The bands form a wavefront: at step n band b filters frame n - b, taking what
// band b - 1 made at the step before, so every band works at every step instead
// of each waiting for the one before it. V stages hold 2 V bands; the last band's
// frame leaves 2 V - 1 steps after it came in. While the wave fills and drains,
// only the lanes with a frame of this run keep their new state (Masked).
template <int V>
class Wavefront {
  public:
    static constexpr std::size_t kDelay = 2 * V - 1;

    explicit Wavefront(const Stage* stages) { std::copy_n(stages, V, stages_); }
    void save(Stage* stages) const { std::copy_n(stages_, V, stages); }

    // Channels first and (when two) the next, of count frames.
    void run(float* frames, std::size_t count, int channels, int first, bool two) {
        const auto in = [&](std::size_t n) {
            const float* frame = frames + n * channels + first;
            return Quad{frame[0], two ? frame[1] : 0.0f, 0.0f, 0.0f};
        };
        const auto out = [&](std::size_t n) {
            if (n < kDelay) return;
            float* frame = frames + (n - kDelay) * channels + first;
            frame[0] = stages_[V - 1].y[2];
            if (two) frame[1] = stages_[V - 1].y[3];
        };
        const auto last = static_cast<float>(count);
        std::size_t n = 0;
        for (; n < std::min(kDelay, count); ++n)
            step<true>(in(n), static_cast<float>(n), last);
        for (; n < count; ++n) {
            step<false>(in(n), 0, 0);
            out(n);
        }
        for (; n < count + kDelay; ++n) {
            step<true>(Quad{}, static_cast<float>(n), last);
            out(n);
        }
    }

  private:
    template <bool Masked>
    void step(Quad input, float n, float count) {
        Quad x[V];
        x[0] = __builtin_shuffle(input, stages_[0].y, QuadLanes{0, 1, 4, 5});
#pragma GCC unroll 8
        for (int v = 1; v < V; ++v)
            x[v] = __builtin_shuffle(stages_[v - 1].y, stages_[v].y, QuadLanes{2, 3, 4, 5});
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v) {
            Stage& s = stages_[v];
            const Quad y = s.b0 * x[v] + s.s1;
            const Quad s1 = s.b1 * x[v] + s.s2 - s.a1 * y;
            const Quad s2 = s.b2 * x[v] - s.a2 * y;
            if constexpr (Masked) {
                const QuadLanes live = (s.order <= n) & (s.order > n - count);
                s.s1 = live ? s1 : s.s1;
                s.s2 = live ? s2 : s.s2;
            } else {
                s.s1 = s1;
                s.s2 = s2;
            }
            s.y = y;
        }
    }

    Stage stages_[V];
};

template <int V>
void runWavefront(Stage* stages, float* frames, std::size_t count, int channels, int first,
                  bool two) {
    Wavefront<V> wave(stages);
    wave.run(frames, count, channels, first, two);
    wave.save(stages);
}

using RunWavefront = void (*)(Stage*, float*, std::size_t, int, int, bool);

template <std::size_t... V>
constexpr std::array<RunWavefront, sizeof...(V)> wavefronts(std::index_sequence<V...>) {
    return {&runWavefront<static_cast<int>(V) + 1>...};
}

}  // namespace

// Bands are paired into stages; an odd one out is paired with a band that passes
// its input unchanged.
void ParamEq::filter(ParamEq* const* active, std::size_t count, float* frames,
                     std::size_t frameCount, int channels) {
    static constexpr auto kRun = wavefronts(std::make_index_sequence<kMaxCascade / 2>());
    std::array<Stage, kMaxCascade / 2> stages;
    const std::size_t used = (count + 1) / 2;
    for (int first = 0; first < channels; first += 2) {
        const int present = std::min(2, channels - first);
        for (std::size_t b = 0; b < 2 * used; ++b) {
            Stage& s = stages[b / 2];
            const Coefficients k = b < count ? active[b]->k_ : Coefficients{};
            for (int c = 0; c < 2; ++c) {
                const std::size_t lane = 2 * (b % 2) + c;
                s.b0[lane] = k.b0;
                s.b1[lane] = k.b1;
                s.b2[lane] = k.b2;
                s.a1[lane] = k.a1;
                s.a2[lane] = k.a2;
                const bool held = b < count && c < present;
                s.s1[lane] = held ? active[b]->state_[first + c][0] : 0.0f;
                s.s2[lane] = held ? active[b]->state_[first + c][1] : 0.0f;
                s.order[lane] = static_cast<float>(b);
            }
        }
        kRun[used - 1](stages.data(), frames, frameCount, channels, first, present == 2);
        for (std::size_t b = 0; b < count; ++b) {
            for (int c = 0; c < present; ++c) {
                const std::size_t lane = 2 * (b % 2) + c;
                active[b]->state_[first + c] = {stages[b / 2].s1[lane], stages[b / 2].s2[lane]};
            }
        }
    }
}

}  // namespace audio

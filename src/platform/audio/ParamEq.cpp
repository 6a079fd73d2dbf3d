#include "platform/audio/ParamEq.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// A vector of doubles as wide as Vec.
template <class Vec>
struct Doubles {
    // An alias declaration would drop the dependent size.
    typedef double type __attribute__((vector_size(sizeof(Vec))));
};

// Lanes/2 bands for two channels: lanes (band kBands v, first), (kBands v,
// second), (kBands v + 1, first), ...
template <class Vec>
struct Stage {
    static constexpr int kBands = kLanes<Vec> / 2;
    Vec b0, b1, b2;
    Vec minusA1, minusA2;  // so each product of y adds to what was ready before y
    Vec s1, s2;
    Vec y;       // what the lanes made at the last step
    Vec before;  // and at the step before
    Vec start;   // the step at which each lane takes its first frame
};

// For __builtin_shuffle: lanes From and From + 1 of one vector, then all but
// the last two lanes of another.
template <class Vec, int From, class = std::make_integer_sequence<int, kLanes<Vec>>>
constexpr LanesOf<Vec> kShifted{};
template <class Vec, int From, int... I>
constexpr LanesOf<Vec> kShifted<Vec, From, std::integer_sequence<int, I...>>{
    (I < 2 ? From + I : kLanes<Vec> + I - 2)...};

// The bands form a wavefront: at step n band b filters frame n - Lag b, taking
// what band b - 1 made Lag steps before, so every band works at every step
// instead of each waiting for the one before it. With a Lag of two, moving a
// band's output to the next band's lanes has a whole step to finish, for vectors
// whose lanes are slow to move. V stages hold kBands V bands; the last band's
// frame leaves Lag (kBands V - 1) steps after it came in. While the wave fills
// and drains, only the lanes with a frame of this run keep their new state
// (Masked). All of it is inlined into the caller, which picks the instruction set.
template <class Vec, int Lag, int V>
class Wavefront {
  public:
    static constexpr int kLast = kLanes<Vec> - 2;
    static constexpr std::size_t kDelay = Lag * (Stage<Vec>::kBands * V - 1);
    static constexpr Vec Stage<Vec>::*kPassed = Lag == 1 ? &Stage<Vec>::y : &Stage<Vec>::before;

    [[gnu::always_inline]] explicit Wavefront(const Stage<Vec>* stages) {
        std::copy_n(stages, V, stages_);
    }
    [[gnu::always_inline]] void save(Stage<Vec>* stages) const { std::copy_n(stages_, V, stages); }

    // Channels first and (when two) the next, of count frames.
    [[gnu::always_inline]] void run(float* frames, std::size_t count, int channels, int first,
                                    bool two) {
        if (two)
            sweep<2>(frames + first, count, channels);
        else
            sweep<1>(frames + first, count, channels);
    }

  private:
    // Width channels of each frame, from the first.
    template <std::size_t Width>
    [[gnu::always_inline]] void sweep(float* frames, std::size_t count, int channels) {
        const auto last = static_cast<float>(count);
        Vec input{};
        std::size_t n = 0;
        for (; n < std::min(kDelay, count); ++n) {
            in<Width>(input, frames + n * channels);
            step<true>(input, static_cast<float>(n), last);
        }
        for (; n < count; ++n) {
            in<Width>(input, frames + n * channels);
            step<false>(input, 0, 0);
            out<Width>(frames + (n - kDelay) * channels);
        }
        input = Vec{};
        for (; n < count + kDelay; ++n) {
            step<true>(input, static_cast<float>(n), last);
            if (n >= kDelay) out<Width>(frames + (n - kDelay) * channels);
        }
    }

    // Width channels of a frame into the first lanes, the rest zero.
    template <std::size_t Width>
    [[gnu::always_inline]] static void in(Vec& input, const float* frame) {
        if constexpr (Width == 2) {
            double pair;  // both channels in one load
            std::memcpy(&pair, frame, sizeof pair);
            input = reinterpret_cast<Vec>(typename Doubles<Vec>::type{pair});
        } else {
            input = Vec{frame[0]};
        }
    }

    // What the last band finished.
    template <std::size_t Width>
    [[gnu::always_inline]] void out(float* frame) const {
        const auto* y = reinterpret_cast<const char*>(&stages_[V - 1].y);
        std::memcpy(frame, y + kLast * sizeof(float), Width * sizeof(float));
    }

    template <bool Masked>
    [[gnu::always_inline]] void step(const Vec& input, float n, float count) {
        Vec x[V];
        x[0] = __builtin_shuffle(input, stages_[0].*kPassed, kShifted<Vec, 0>);
#pragma GCC unroll 8
        for (int v = 1; v < V; ++v)
            x[v] = __builtin_shuffle(stages_[v - 1].*kPassed, stages_[v].*kPassed,
                                     kShifted<Vec, kLast>);
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v) {
            Stage<Vec>& s = stages_[v];
            const Vec y = s.b0 * x[v] + s.s1;
            const Vec s1 = s.minusA1 * y + (s.b1 * x[v] + s.s2);
            const Vec s2 = s.minusA2 * y + s.b2 * x[v];
            if constexpr (Masked) {
                const LanesOf<Vec> live = (s.start <= n) & (s.start > n - count);
                s.s1 = live ? s1 : s.s1;
                s.s2 = live ? s2 : s.s2;
            } else {
                s.s1 = s1;
                s.s2 = s2;
            }
            if constexpr (Lag == 2) s.before = s.y;
            s.y = y;
        }
    }

    Stage<Vec> stages_[V];
};

template <class Vec, int Lag, int V>
[[gnu::always_inline]] inline void runWavefront(Stage<Vec>* stages, float* frames,
                                                std::size_t count, int channels, int first,
                                                bool two) {
    Wavefront<Vec, Lag, V> wave(stages);
    wave.run(frames, count, channels, first, two);
    wave.save(stages);
}

// Four lanes, on any processor.
struct Narrow {
    using Vec = Quad;
    static constexpr int kLag = 1;
    template <int V>
    static void run(Stage<Vec>* stages, float* frames, std::size_t count, int channels, int first,
                    bool two) {
        runWavefront<Vec, kLag, V>(stages, frames, count, channels, first, two);
    }
};

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx2,fma")
// Fused multiply-adds: the filter's feedback is what bounds its speed.
#pragma GCC optimize("fp-contract=fast")

// Eight lanes, where the processor has them.
struct Wide {
    using Vec = Oct;
    static constexpr int kLag = 2;
    template <int V>
    static void run(Stage<Vec>* stages, float* frames, std::size_t count, int channels, int first,
                    bool two) {
        runWavefront<Vec, kLag, V>(stages, frames, count, channels, first, two);
    }
};

#pragma GCC pop_options

#endif

template <class Kernel>
using RunWavefront = void (*)(Stage<typename Kernel::Vec>*, float*, std::size_t, int, int, bool);

template <class Kernel, std::size_t... V>
constexpr std::array<RunWavefront<Kernel>, sizeof...(V)> wavefronts(std::index_sequence<V...>) {
    return {&Kernel::template run<static_cast<int>(V) + 1>...};
}

}  // namespace

void ParamEq::filter(ParamEq* const* active, std::size_t count, float* frames,
                     std::size_t frameCount, int channels) {
#if defined(__x86_64__)
    if (wideChosen()) return filterIn<Wide>(active, count, frames, frameCount, channels);
#endif
    filterIn<Narrow>(active, count, frames, frameCount, channels);
}

// Bands are packed into stages; where they do not fill the last one, the rest
// of its lanes pass their input unchanged.
template <class Kernel>
void ParamEq::filterIn(ParamEq* const* active, std::size_t count, float* frames,
                       std::size_t frameCount, int channels) {
    using StageOf = Stage<typename Kernel::Vec>;
    constexpr std::size_t kBands = StageOf::kBands;
    static constexpr auto kRun =
        wavefronts<Kernel>(std::make_index_sequence<kMaxCascade / kBands>());
    std::array<StageOf, kMaxCascade / kBands> stages;
    const std::size_t used = (count + kBands - 1) / kBands;
    for (int first = 0; first < channels; first += 2) {
        const int present = std::min(2, channels - first);
        for (std::size_t b = 0; b < kBands * used; ++b) {
            StageOf& s = stages[b / kBands];
            const Coefficients k = b < count ? active[b]->k_ : Coefficients{};
            for (int c = 0; c < 2; ++c) {
                const std::size_t lane = 2 * (b % kBands) + c;
                s.b0[lane] = k.b0;
                s.b1[lane] = k.b1;
                s.b2[lane] = k.b2;
                s.minusA1[lane] = -k.a1;
                s.minusA2[lane] = -k.a2;
                const bool held = b < count && c < present;
                s.s1[lane] = held ? active[b]->state_[first + c][0] : 0.0f;
                s.s2[lane] = held ? active[b]->state_[first + c][1] : 0.0f;
                s.y[lane] = 0.0f;
                s.before[lane] = 0.0f;
                s.start[lane] = static_cast<float>(Kernel::kLag * b);
            }
        }
        kRun[used - 1](stages.data(), frames, frameCount, channels, first, present == 2);
        for (std::size_t b = 0; b < count; ++b) {
            const StageOf& s = stages[b / kBands];
            for (int c = 0; c < present; ++c) {
                const std::size_t lane = 2 * (b % kBands) + c;
                active[b]->state_[first + c] = {s.s1[lane], s.s2[lane]};
            }
        }
    }
}

}  // namespace audio

#include "platform/audio/ParamEq.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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
    const auto both = [](double v) { return Lanes{v, v}; };
    b0_ = both((1 + alpha * a) / a0);
    b1_ = both(-2 * std::cos(w0) / a0);
    b2_ = both((1 - alpha * a) / a0);
    a1_ = b1_;
    a2_ = both((1 - alpha / a) / a0);
}

namespace {

using Lanes = ParamEq::Lanes;

// One band's coefficients and its state for two channels, side by side in
// memory for the frame loop.
struct Section {
    Lanes b0, b1, b2, a1, a2, s1, s2;
};

// Channels `first` and (when there is one) the next, through every section in turn.
template <bool Two>
void runSections(Section* sections, std::size_t count, float* frames, std::size_t frameCount,
                 int channels, int first) {
    for (std::size_t i = 0; i < frameCount; ++i) {
        float* frame = frames + i * channels + first;
        Lanes x = {frame[0], Two ? frame[1] : 0.0f};
        for (std::size_t b = 0; b < count; ++b) {
            Section& s = sections[b];
            const Lanes y = s.b0 * x + s.s1;
            s.s1 = s.b1 * x - s.a1 * y + s.s2;
            s.s2 = s.b2 * x - s.a2 * y;
            x = y;
        }
        frame[0] = static_cast<float>(x[0]);
        if (Two) frame[1] = static_cast<float>(x[1]);
    }
}

}  // namespace

void ParamEq::filter(ParamEq* const* active, std::size_t count, float* frames,
                     std::size_t frameCount, int channels) {
    std::array<Section, kMaxCascade> sections;
    for (int first = 0; first < channels; first += 2) {
        const int pair = first / 2;
        for (std::size_t b = 0; b < count; ++b) {
            const ParamEq& band = *active[b];
            sections[b] = {band.b0_,
                           band.b1_,
                           band.b2_,
                           band.a1_,
                           band.a2_,
                           band.state_[pair][0],
                           band.state_[pair][1]};
        }
        if (first + 1 < channels)
            runSections<true>(sections.data(), count, frames, frameCount, channels, first);
        else
            runSections<false>(sections.data(), count, frames, frameCount, channels, first);
        for (std::size_t b = 0; b < count; ++b)
            active[b]->state_[pair] = {sections[b].s1, sections[b].s2};
    }
}

}  // namespace audio

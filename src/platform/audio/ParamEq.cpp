#include "platform/audio/ParamEq.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace audio {

namespace {
// Short steps: each coefficient change is a small jolt to the filter.
constexpr std::size_t kStepFrames = 8;
constexpr double kGlideMs = 20.0;
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
    if (!started_) {
        octave_.jump();
        bandwidth_.jump();
        gain_.jump();
        design();
        started_ = true;
    }
    std::size_t done = 0;
    while (done < count) {
        const bool moving = octave_.moving() || bandwidth_.moving() || gain_.moving();
        const std::size_t n = moving ? std::min(kStepFrames, count - done) : count - done;
        if (moving) glide();
        if (!bypass_) filter(frames + done * channels_, n);
        done += n;
    }
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
    b0_ = (1 + alpha * a) / a0;
    b1_ = -2 * std::cos(w0) / a0;
    b2_ = (1 - alpha * a) / a0;
    a1_ = b1_;
    a2_ = (1 - alpha / a) / a0;
}

void ParamEq::filter(float* frames, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        float* frame = frames + i * channels_;
        for (int c = 0; c < channels_; ++c) {
            auto& s = state_[c];
            const double x = frame[c];
            const double y = b0_ * x + s[0];
            s[0] = b1_ * x - a1_ * y + s[1];
            s[1] = b2_ * x - a2_ * y;
            frame[c] = static_cast<float>(y);
        }
    }
}

}  // namespace audio

#include "platform/audio/Reverb.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

namespace audio {

namespace {

constexpr std::size_t kStepFrames = 32;
constexpr double kGlideMs = 20.0;
constexpr double kFeedMs = 50.0;
constexpr double kReferenceRate = 44100.0;
// Mutually prime line lengths (25 to 50 ms at 44.1 kHz) keep the echoes from lining up.
constexpr std::array<double, 8> kLineFrames = {1117, 1277, 1423, 1559, 1709, 1867, 2017, 2179};
constexpr std::array<double, 4> kDiffuserFrames = {142, 107, 379, 277};
constexpr float kDiffusion = 0.6f;
// Where "high frequencies" begin for the high-frequency ratio.
constexpr double kShelfHz = 4000.0;
// Brings the network's output to about the level of its input on a long tail.
constexpr float kOutputScale = 0.35f;
// Frames worked on at once, at most.
constexpr std::size_t kChunkFrames = 128;

double decibelsToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

// Quietest mix is no reverb at all.
double wetGain(float mixDb) {
    return mixDb <= -96.0f ? 0.0 : decibelsToGain(mixDb);
}

std::size_t framesAt(double frames44k, double rate) {
    return std::max<std::size_t>(
        1, static_cast<std::size_t>(std::lround(frames44k * rate / kReferenceRate)));
}

using Quad = float __attribute__((vector_size(16)));
using Lanes = int __attribute__((vector_size(16)));

// Pairs each lane with the one `span` lanes away: sums below, differences above.
template <int Span>
Quad butterfly(Quad v) {
    if constexpr (Span == 2) {
        return __builtin_shuffle(v, Lanes{0, 1, 0, 1}) +
               __builtin_shuffle(v, Lanes{2, 3, 2, 3}) * Quad{1, 1, -1, -1};
    } else {
        return __builtin_shuffle(v, Lanes{0, 0, 2, 2}) +
               __builtin_shuffle(v, Lanes{1, 1, 3, 3}) * Quad{1, -1, 1, -1};
    }
}

// The eight lines (0-3 low, 4-7 high) through a normalised 8-point Hadamard matrix,
// which mixes every line into every other without gain.
void mix(Quad& low, Quad& high) {
    const float scale = 1.0f / std::sqrt(8.0f);
    const Quad sums = low + high;
    const Quad differences = low - high;
    low = butterfly<1>(butterfly<2>(sums)) * scale;
    high = butterfly<1>(butterfly<2>(differences)) * scale;
}

}  // namespace

Reverb::Reverb(int rate, int channels)
    : rate_(rate),
      channels_(channels),
      fraction_(glideFraction(rate, kStepFrames, kGlideMs)),
      feedFraction_(glideFraction(rate, kStepFrames, kFeedMs)),
      inGain_(decibelsToGain(record_.fInGain)),
      wet_(wetGain(record_.fReverbMix)),
      logTime_(std::log(record_.fReverbTime)),
      logRatio_(std::log(record_.fHighFreqRTRatio)) {
    for (int l = 0; l < 8; ++l)
        lineLength_[l] = framesAt(kLineFrames[l], rate);
    lineMask_ = std::bit_ceil(lineLength_.back() + 1) - 1;
    lines_.assign(8 * (lineMask_ + 1), 0.0f);
    chunkFrames_ = kChunkFrames;
    for (int i = 0; i < kDiffusers; ++i) {
        diffusers_[i].length = framesAt(kDiffuserFrames[i], rate);
        diffusers_[i].buffer.assign(std::bit_ceil(diffusers_[i].length + 1), 0.0f);
        chunkFrames_ = std::min(chunkFrames_, diffusers_[i].length);
    }
}

bool Reverb::setParameters(const void* record) {
    const auto& next = *static_cast<const BASS_DX8_REVERB*>(record);
    if (!inRange(next.fInGain, -96.0f, 0.0f) || !inRange(next.fReverbMix, -96.0f, 0.0f) ||
        !inRange(next.fReverbTime, 0.001f, 3000.0f) ||
        !inRange(next.fHighFreqRTRatio, 0.001f, 0.999f))
        return false;
    record_ = next;
    inGain_.setTarget(decibelsToGain(next.fInGain));
    wet_.setTarget(wetGain(next.fReverbMix));
    logTime_.setTarget(std::log(next.fReverbTime));
    logRatio_.setTarget(std::log(next.fHighFreqRTRatio));
    return true;
}

void Reverb::parameters(void* record) const {
    *static_cast<BASS_DX8_REVERB*>(record) = record_;
}

void Reverb::process(float* frames, std::size_t count) {
    if (!started_) {
        inGain_.jump();
        wet_.jump();
        logTime_.jump();
        logRatio_.jump();
        design();
        started_ = true;
    }
    std::size_t done = 0;
    while (done < count) {
        // At rest the feed waits at 0 for the next wake-up, and glides nowhere.
        const bool moving = inGain_.moving() || wet_.moving() || logTime_.moving() ||
                            logRatio_.moving() || (!silent_ && feed_.moving());
        const std::size_t n = moving ? std::min(kStepFrames, count - done) : count - done;
        const auto inFrom = static_cast<float>(inGain_.value() * feed_.value());
        const auto wetFrom = static_cast<float>(wet_.value());
        if (moving) glide();
        const auto wetTo = static_cast<float>(wet_.value());
        // Without any reverb in the output the network rests, and starts again empty.
        if (wetFrom == 0.0f && wetTo == 0.0f) {
            clear();
        } else {
            silent_ = false;
            run(frames + done * channels_, n, inFrom,
                static_cast<float>(inGain_.value() * feed_.value()), wetFrom, wetTo);
        }
        done += n;
    }
}

void Reverb::glide() {
    const bool reshape = logTime_.moving() || logRatio_.moving();
    inGain_.step(fraction_, 1e-5);
    feed_.step(feedFraction_, 1e-5);
    wet_.step(fraction_, 1e-6);
    logTime_.step(fraction_, 1e-4);
    logRatio_.step(fraction_, 1e-4);
    if (reshape) design();
}

// Per line: a loop gain that falls by 60 dB over the reverb time, and a first-order
// high shelf whose gain above kShelfHz makes high frequencies fall as fast over
// the reverb time times the ratio.
void Reverb::design() {
    const double seconds = std::exp(logTime_.value()) / 1000.0;
    const double ratio = std::exp(logRatio_.value());
    const double k = std::tan(std::numbers::pi * std::min(kShelfHz, 0.45 * rate_) / rate_);
    for (int l = 0; l < 8; ++l) {
        const double perPass = -3.0 * static_cast<double>(lineLength_[l]) / (rate_ * seconds);
        const double gain = std::pow(10.0, perPass);
        const double high = std::pow(10.0, perPass * (1.0 / ratio - 1.0));
        b0_[l / 4][l % 4] = static_cast<float>(gain * (high + k) / (1 + k));
        b1_[l / 4][l % 4] = static_cast<float>(gain * (k - high) / (1 + k));
        a1_[l / 4][l % 4] = static_cast<float>((k - 1) / (1 + k));
    }
}

void Reverb::clear() {
    // Waking up, the network takes its input in slowly: a sound cut in mid-wave
    // would ring in it.
    feed_.startFrom(0.0);
    if (silent_) return;
    std::fill(lines_.begin(), lines_.end(), 0.0f);
    for (auto& diffuser : diffusers_)
        std::fill(diffuser.buffer.begin(), diffuser.buffer.end(), 0.0f);
    z_ = {};
    silent_ = true;
}

// Each diffuser takes the whole chunk at once: the chunk is shorter than its delay.
void Reverb::diffuse(float* x, std::size_t count) {
    for (auto& d : diffusers_) {
        const std::size_t mask = d.buffer.size() - 1;
        float* buffer = d.buffer.data();
        for (std::size_t i = 0; i < count; ++i) {
            const float out = buffer[(now_ + i - d.length) & mask] - kDiffusion * x[i];
            buffer[(now_ + i) & mask] = x[i] + kDiffusion * out;
            x[i] = out;
        }
    }
}

inline Reverb::Quad Reverb::readLines(int first) const {
    const auto at = [this](int l) { return lines_[8 * ((now_ - lineLength_[l]) & lineMask_) + l]; };
    return Quad{at(first), at(first + 1), at(first + 2), at(first + 3)};
}

inline void Reverb::writeLines(Quad low, Quad high) {
    float* frame = &lines_[8 * (now_ & lineMask_)];
    std::memcpy(frame, &low, sizeof low);
    std::memcpy(frame + 4, &high, sizeof high);
}

void Reverb::addWet(float* frame, float left, float right) const {
    if (channels_ == 1) {
        frame[0] += 0.5f * (left + right);
        return;
    }
    if (channels_ == 2) {
        frame[0] += left;
        frame[1] += right;
        return;
    }
    for (int c = 0; c < channels_; ++c)
        frame[c] += (c % 2 == 0) ? left : right;
}

// Gains move evenly from their `from` to their `to` values across the frames. The
// work goes in chunks no longer than the shortest diffuser.
void Reverb::run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
                 float wetTo) {
    const auto steps = static_cast<float>(count);
    const auto channels = static_cast<float>(channels_);
    Ramp in{inFrom / channels, (inTo - inFrom) / channels / steps};
    Ramp wet{wetFrom * kOutputScale, (wetTo - wetFrom) * kOutputScale / steps};
    std::array<float, kChunkFrames> input;
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(chunkFrames_, count - done);
        float* chunk = frames + done * channels_;
        for (std::size_t i = 0; i < n; ++i) {
            float sum = 0.0f;
            for (int c = 0; c < channels_; ++c)
                sum += chunk[i * channels_ + c];
            input[i] = sum * in.next();
        }
        diffuse(input.data(), n);
        network(chunk, input.data(), n, wet);
        done += n;
    }
}

void Reverb::network(float* frames, const float* input, std::size_t count, Ramp& wet) {
    // Kept in registers for the loop.
    const auto [b0Low, b0High] = b0_;
    const auto [b1Low, b1High] = b1_;
    const auto [a1Low, a1High] = a1_;
    auto [zLow, zHigh] = z_;
    for (std::size_t i = 0; i < count; ++i, ++now_) {
        const Quad low = readLines(0);
        const Quad high = readLines(4);
        Quad backLow = b0Low * low + zLow;
        Quad backHigh = b0High * high + zHigh;
        zLow = b1Low * low - a1Low * backLow;
        zHigh = b1High * high - a1High * backHigh;
        mix(backLow, backHigh);
        const float x = input[i];
        const Quad feed = Quad{x, -x, x, -x};
        writeLines(backLow + feed, backHigh + feed);
        const Quad taps = (low + high) * Quad{1, 1, -1, -1};
        const float gain = wet.next();
        addWet(frames + i * channels_, gain * (taps[0] + taps[2]), gain * (taps[1] + taps[3]));
    }
    z_ = {zLow, zHigh};
}

}  // namespace audio

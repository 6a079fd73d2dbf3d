#include "platform/audio/Reverb.h"

#include <algorithm>
#include <bit>
#include <cmath>
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

void resize(std::vector<float>& buffer, std::size_t length) {
    buffer.assign(std::bit_ceil(length + 1), 0.0f);
}

float readDelay(const std::vector<float>& buffer, std::size_t length, std::size_t now) {
    return buffer[(now - length) & (buffer.size() - 1)];
}

void writeDelay(std::vector<float>& buffer, std::size_t now, float value) {
    buffer[now & (buffer.size() - 1)] = value;
}

// Unnormalised 8-point Walsh-Hadamard transform.
void hadamard(std::array<float, 8>& v) {
    for (int span = 1; span < 8; span *= 2) {
        for (int i = 0; i < 8; i += 2 * span) {
            for (int j = i; j < i + span; ++j) {
                const float a = v[j];
                const float b = v[j + span];
                v[j] = a + b;
                v[j + span] = a - b;
            }
        }
    }
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
    for (int i = 0; i < kLines; ++i) {
        lines_[i].length = framesAt(kLineFrames[i], rate);
        resize(lines_[i].buffer, lines_[i].length);
    }
    for (int i = 0; i < kDiffusers; ++i) {
        diffusers_[i].length = framesAt(kDiffuserFrames[i], rate);
        resize(diffusers_[i].buffer, diffusers_[i].length);
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
        const bool moving = inGain_.moving() || wet_.moving() || logTime_.moving() ||
                            logRatio_.moving() || feed_.moving();
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
    inGain_.step(fraction_, 1e-5);
    feed_.step(feedFraction_, 1e-5);
    wet_.step(fraction_, 1e-6);
    logTime_.step(fraction_, 1e-4);
    logRatio_.step(fraction_, 1e-4);
    design();
}

// Per line: a loop gain that falls by 60 dB over the reverb time, and a first-order
// high shelf whose gain above kShelfHz makes high frequencies fall as fast over
// the reverb time times the ratio.
void Reverb::design() {
    const double seconds = std::exp(logTime_.value()) / 1000.0;
    const double ratio = std::exp(logRatio_.value());
    const double k = std::tan(std::numbers::pi * std::min(kShelfHz, 0.45 * rate_) / rate_);
    for (int i = 0; i < kLines; ++i) {
        const double perPass = -3.0 * static_cast<double>(lines_[i].length) / (rate_ * seconds);
        const double gain = std::pow(10.0, perPass);
        const double high = std::pow(10.0, perPass * (1.0 / ratio - 1.0));
        filters_[i].b0 = static_cast<float>(gain * (high + k) / (1 + k));
        filters_[i].b1 = static_cast<float>(gain * (k - high) / (1 + k));
        filters_[i].a1 = static_cast<float>((k - 1) / (1 + k));
    }
}

void Reverb::clear() {
    // Waking up, the network takes its input in slowly: a sound cut in mid-wave
    // would ring in it.
    feed_.startFrom(0.0);
    if (silent_) return;
    for (auto& line : lines_)
        std::fill(line.buffer.begin(), line.buffer.end(), 0.0f);
    for (auto& diffuser : diffusers_)
        std::fill(diffuser.buffer.begin(), diffuser.buffer.end(), 0.0f);
    for (auto& filter : filters_)
        filter.z = 0.0f;
    silent_ = true;
}

float Reverb::diffuse(float x) {
    for (auto& d : diffusers_) {
        const float delayed = readDelay(d.buffer, d.length, now_);
        const float out = delayed - kDiffusion * x;
        writeDelay(d.buffer, now_, x + kDiffusion * out);
        x = out;
    }
    return x;
}

void Reverb::addWet(float* frame, float left, float right) const {
    if (channels_ == 1) {
        frame[0] += 0.5f * (left + right);
        return;
    }
    for (int c = 0; c < channels_; ++c)
        frame[c] += (c % 2 == 0) ? left : right;
}

void Reverb::run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
                 float wetTo) {
    const float scale = 1.0f / std::sqrt(8.0f);
    for (std::size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i + 1) / static_cast<float>(count);
        float* frame = frames + i * channels_;
        float mono = 0.0f;
        for (int c = 0; c < channels_; ++c)
            mono += frame[c];
        const float x = diffuse(mono / channels_ * (inFrom + (inTo - inFrom) * t));
        std::array<float, 8> out;
        std::array<float, 8> back;
        for (int l = 0; l < kLines; ++l) {
            out[l] = readDelay(lines_[l].buffer, lines_[l].length, now_);
            LoopFilter& f = filters_[l];
            back[l] = f.b0 * out[l] + f.z;
            f.z = f.b1 * out[l] - f.a1 * back[l];
        }
        hadamard(back);
        for (int l = 0; l < kLines; ++l)
            writeDelay(lines_[l].buffer, now_, back[l] * scale + ((l % 2) ? -x : x));
        const float wet = (wetFrom + (wetTo - wetFrom) * t) * kOutputScale;
        addWet(frame, wet * (out[0] - out[2] + out[4] - out[6]),
               wet * (out[1] - out[3] + out[5] - out[7]));
        ++now_;
    }
}

}  // namespace audio

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

// Frames rounded up to whole quads.
std::size_t quadsFor(std::size_t frames) {
    return (frames + 3) & ~std::size_t{3};
}

// Calls copy(offset, slot, run) over count slots of a ring of `size` from `slot`
// on: at most two runs, up to the ring's end and then from its start.
template <typename Copy>
void inRuns(std::size_t size, std::size_t slot, std::size_t count, Copy copy) {
    for (std::size_t i = 0; i < count;) {
        const std::size_t run = std::min(count - i, size - slot);
        copy(i, slot, run);
        i += run;
        slot = 0;
    }
}

// The eight lines, a quad of frames each, through a normalised 8-point Hadamard
// matrix, which mixes every line into every other without gain.
void mix(Quad* line) {
    const float scale = 1.0f / std::sqrt(8.0f);
    const auto four = [scale](const Quad* v, Quad* out) {
        const Quad p0 = v[0] + v[2];
        const Quad p1 = v[1] + v[3];
        const Quad p2 = v[0] - v[2];
        const Quad p3 = v[1] - v[3];
        out[0] = (p0 + p1) * scale;
        out[1] = (p0 - p1) * scale;
        out[2] = (p2 + p3) * scale;
        out[3] = (p2 - p3) * scale;
    };
    Quad sums[4];
    Quad differences[4];
#pragma GCC unroll 4
    for (int l = 0; l < 4; ++l) {
        sums[l] = line[l] + line[l + 4];
        differences[l] = line[l] - line[l + 4];
    }
    four(sums, line);
    four(differences, line + 4);
}

}  // namespace

void Reverb::Ring::setDelay(std::size_t frames) {
    delay = frames;
    buffer.assign(std::bit_ceil(frames + kChunkFrames + 1), 0.0f);
}

// A chunk's last quad may reach past its end: what it reads there goes nowhere,
// and what it writes there has already been read, the buffer being a chunk longer
// than the delay.
const float* Reverb::Ring::out(std::size_t now, std::size_t count) {
    const std::size_t slot = (now - delay) & (buffer.size() - 1);
    if (slot + quadsFor(count) <= buffer.size()) return &buffer[slot];
    inRuns(buffer.size(), slot, quadsFor(count),
           [this](std::size_t i, std::size_t at, std::size_t run) {
               std::copy_n(&buffer[at], run, &outSpare[i]);
           });
    return outSpare.data();
}

float* Reverb::Ring::in(std::size_t now, std::size_t count) {
    const std::size_t slot = now & (buffer.size() - 1);
    return slot + quadsFor(count) <= buffer.size() ? &buffer[slot] : inSpare.data();
}

void Reverb::Ring::keep(std::size_t now, std::size_t count) {
    const std::size_t slot = now & (buffer.size() - 1);
    if (slot + quadsFor(count) <= buffer.size()) return;
    inRuns(buffer.size(), slot, count, [this](std::size_t i, std::size_t at, std::size_t run) {
        std::copy_n(&inSpare[i], run, &buffer[at]);
    });
}

Reverb::Reverb(int rate, int channels)
    : rate_(rate),
      channels_(channels),
      fraction_(glideFraction(rate, kStepFrames, kGlideMs)),
      feedFraction_(glideFraction(rate, kStepFrames, kFeedMs)),
      inGain_(decibelsToGain(record_.fInGain)),
      wet_(wetGain(record_.fReverbMix)),
      logTime_(std::log(record_.fReverbTime)),
      logRatio_(std::log(record_.fHighFreqRTRatio)) {
    for (int l = 0; l < kLines; ++l)
        lines_[l].setDelay(framesAt(kLineFrames[l], rate));
    chunkFrames_ = kChunkFrames;
    for (int i = 0; i < kDiffusers; ++i) {
        diffusers_[i].setDelay(framesAt(kDiffuserFrames[i], rate));
        chunkFrames_ = std::min(chunkFrames_, diffusers_[i].delay);
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
    for (int l = 0; l < kLines; ++l) {
        const double perPass = -3.0 * static_cast<double>(lines_[l].delay) / (rate_ * seconds);
        const double gain = std::pow(10.0, perPass);
        const double high = std::pow(10.0, perPass * (1.0 / ratio - 1.0));
        const double b0 = gain * (high + k) / (1 + k);
        const double b1 = gain * (k - high) / (1 + k);
        const double pole = (1 - k) / (1 + k);
        Shelf& shelf = shelves_[l / 4];
        shelf.b0[l % 4] = static_cast<float>(b0);
        shelf.c[l % 4] = static_cast<float>(b1 + pole * b0);
        shelf.pole[l % 4] = static_cast<float>(pole);
        shelf.pole4[l % 4] = static_cast<float>(std::pow(pole, 4));
    }
}

void Reverb::clear() {
    // Waking up, the network takes its input in slowly: a sound cut in mid-wave
    // would ring in it.
    feed_.startFrom(0.0);
    if (silent_) return;
    for (Ring& ring : lines_)
        std::fill(ring.buffer.begin(), ring.buffer.end(), 0.0f);
    for (Ring& ring : diffusers_)
        std::fill(ring.buffer.begin(), ring.buffer.end(), 0.0f);
    for (Shelf& shelf : shelves_)
        shelf.z = Quad{};
    silent_ = true;
}

// Gains move evenly from their `from` to their `to` values across the frames. The
// work goes in chunks no longer than the shortest diffuser, so that no delay gives
// back within a chunk what the chunk put in.
void Reverb::run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
                 float wetTo) {
    const auto steps = static_cast<float>(count);
    const auto channels = static_cast<float>(channels_);
    const Ramp in{inFrom / channels, (inTo - inFrom) / channels / steps};
    const Ramp wet{wetFrom * kOutputScale, (wetTo - wetFrom) * kOutputScale / steps};
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(chunkFrames_, count - done);
        float* chunk = frames + done * channels_;
        takeInput(chunk, n, done, in);
        diffuse(n);
        network(n);
        addWet(chunk, n, done, wet);
        now_ += n;
        done += n;
    }
}

// The channels summed to mono at the input gain; stereo four frames at a time.
void Reverb::takeInput(const float* frames, std::size_t count, std::size_t first, const Ramp& in) {
    float* input = scratch_.input.data();
    std::size_t i = 0;
    if (channels_ == 2) {
        for (; i + 4 <= count; i += 4) {
            const Quad a = loadQuad(frames + 2 * i);
            const Quad b = loadQuad(frames + 2 * i + 4);
            storeQuad(input + i, (evens(a, b) + odds(a, b)) * in.quadAt(first + i));
        }
    }
    for (; i < count; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels_; ++c)
            sum += frames[i * channels_ + c];
        input[i] = sum * in.at(first + i);
    }
}

// Each all-pass takes the whole chunk at once: the chunk is no longer than its delay.
void Reverb::diffuse(std::size_t count) {
    float* x = scratch_.input.data();
    for (Ring& diffuser : diffusers_) {
        const float* delayed = diffuser.out(now_, count);
        float* kept = diffuser.in(now_, count);
        for (std::size_t i = 0; i < quadsFor(count); i += 4) {
            const Quad in = loadQuad(x + i);
            const Quad out = loadQuad(delayed + i) - kDiffusion * in;
            storeQuad(kept + i, in + kDiffusion * out);
            storeQuad(x + i, out);
        }
        diffuser.keep(now_, count);
    }
}

// A quad of frames through four lines' shelves, four lines of a frame to a
// quad; only the first `frames` frames move the state on. The state after four
// frames comes straight from the state before them, so the next quad need not
// wait for the frames in between.
void Reverb::shelve(Shelf& shelf, Quad* frame, std::size_t frames) {
    const Quad in[4] = {frame[0], frame[1], frame[2], frame[3]};
    Quad z[4] = {shelf.z};
#pragma GCC unroll 4
    for (std::size_t f = 0; f < 4; ++f) {
        frame[f] = shelf.b0 * in[f] + z[f];
        if (f < 3) z[f + 1] = shelf.c * in[f] + shelf.pole * z[f];
    }
    if (frames >= 4) {
        const Quad p = shelf.pole;
        shelf.z = shelf.pole4 * z[0] + shelf.c * (in[3] + p * (in[2] + p * (in[1] + p * in[0])));
    } else {
        shelf.z = frames == 3 ? z[3] : frames == 2 ? z[2] : z[1];
    }
}

// The lines are read and written a quad of frames at a time, each line in a quad
// of its own, as the mix and the taps want them; the shelves go frame by frame,
// so for them each quad of frames is turned to hold four lines of a frame.
void Reverb::network(std::size_t count) {
    std::array<const float*, kLines> from;
    std::array<float*, kLines> to;
    for (int l = 0; l < kLines; ++l) {
        from[l] = lines_[l].out(now_, count);
        to[l] = lines_[l].in(now_, count);
    }
    auto [low, high] = shelves_;
    Scratch& s = scratch_;
    for (std::size_t i = 0; i < quadsFor(count); i += 4) {
        Quad line[kLines];
#pragma GCC unroll 8
        for (int l = 0; l < kLines; ++l)
            line[l] = loadQuad(from[l] + i);
        storeQuad(&s.left[i], (line[0] + line[4]) - (line[2] + line[6]));
        storeQuad(&s.right[i], (line[1] + line[5]) - (line[3] + line[7]));
        transpose(line[0], line[1], line[2], line[3]);
        transpose(line[4], line[5], line[6], line[7]);
        shelve(low, line, count - i);
        shelve(high, line + 4, count - i);
        transpose(line[0], line[1], line[2], line[3]);
        transpose(line[4], line[5], line[6], line[7]);
        mix(line);
        const Quad x = loadQuad(&s.input[i]);
#pragma GCC unroll 8
        for (int l = 0; l < kLines; ++l)
            storeQuad(to[l] + i, line[l] + (l % 2 == 0 ? x : -x));
    }
    shelves_ = {low, high};
    for (Ring& line : lines_)
        line.keep(now_, count);
}

// Stereo four frames at a time; mono takes both sides, more channels take them in turn.
void Reverb::addWet(float* frames, std::size_t count, std::size_t first, const Ramp& wet) const {
    const float* left = scratch_.left.data();
    const float* right = scratch_.right.data();
    std::size_t i = 0;
    if (channels_ == 2) {
        for (; i + 4 <= count; i += 4) {
            const Quad gain = wet.quadAt(first + i);
            const Quad l = gain * loadQuad(left + i);
            const Quad r = gain * loadQuad(right + i);
            float* frame = frames + 2 * i;
            storeQuad(frame, loadQuad(frame) + __builtin_shuffle(l, r, QuadLanes{0, 4, 1, 5}));
            storeQuad(frame + 4,
                      loadQuad(frame + 4) + __builtin_shuffle(l, r, QuadLanes{2, 6, 3, 7}));
        }
    }
    for (; i < count; ++i) {
        const float gain = wet.at(first + i);
        const float l = gain * left[i];
        const float r = gain * right[i];
        float* frame = frames + i * channels_;
        if (channels_ == 1) {
            frame[0] += 0.5f * (l + r);
            continue;
        }
        for (int c = 0; c < channels_; ++c)
            frame[c] += (c % 2 == 0) ? l : r;
    }
}

}  // namespace audio

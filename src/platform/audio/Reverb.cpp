#include "platform/audio/Reverb.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/audio/RingRuns.h"

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

constexpr std::size_t kWidest = kLanes<Oct>;

// Frames rounded up to whole vectors of Lanes.
template <std::size_t Lanes = kWidest>
std::size_t padded(std::size_t frames) {
    return (frames + Lanes - 1) & ~(Lanes - 1);
}

template <class Vec>
[[gnu::always_inline]] inline void hadamard4(const Vec* v, Vec* out, float scale) {
    const Vec p0 = v[0] + v[2];
    const Vec p1 = v[1] + v[3];
    const Vec p2 = v[0] - v[2];
    const Vec p3 = v[1] - v[3];
    out[0] = (p0 + p1) * scale;
    out[1] = (p0 - p1) * scale;
    out[2] = (p2 + p3) * scale;
    out[3] = (p2 - p3) * scale;
}

// The eight lines, a vector of frames each, through a normalised 8-point Hadamard
// matrix, which mixes every line into every other without gain.
template <class Vec>
[[gnu::always_inline]] inline void mix(Vec* line) {
    const float scale = 1.0f / std::sqrt(8.0f);
    Vec sums[4];
    Vec differences[4];
#pragma GCC unroll 4
    for (int l = 0; l < 4; ++l) {
        sums[l] = line[l] + line[l + 4];
        differences[l] = line[l] - line[l + 4];
    }
    hadamard4(sums, line, scale);
    hadamard4(differences, line + 4, scale);
}

// Four lines' shelves (Reverb::Shelf) in every group of four lanes; z holds the
// state before the next frame.
template <class Vec>
struct ShelfLanes {
    Vec b0, c, pole, pole4, z;
};

template <class Vec>
[[gnu::always_inline]] inline void spread(Vec& to, const Quad& from) {
    for (std::size_t at = 0; at < sizeof to; at += sizeof from)
        std::memcpy(reinterpret_cast<char*>(&to) + at, &from, sizeof from);
}

// Group `Group` of four lanes into every group.
template <int Group>
struct GroupPick {
    constexpr int operator()(int k) const { return 4 * Group + k % 4; }
};

template <int Group, class Vec>
[[gnu::always_inline]] inline void spreadGroup(Vec& to, const Vec& from) {
    to = __builtin_shuffle(from, kPicked<Vec, GroupPick<Group>>);
}

// Of two eight-lane vectors, the first's first four lanes, then the second's.
constexpr auto kFirstGroupsPick = [](int k) { return k < 4 ? k : 8 + k % 4; };

// 1, 2, 3, ...
template <class Vec, class = std::make_integer_sequence<int, kLanes<Vec>>>
constexpr Vec kCounting{};
template <class Vec, int... K>
constexpr Vec kCounting<Vec, std::integer_sequence<int, K...>>{static_cast<float>(K + 1)...};

// A vector of frames through four lines' shelves, four lines of a frame to each
// group of four lanes: group g of frame[f] holds frame 4 g + f. Only the first
// `frames` frames move the state on. The state four frames on comes straight
// from the state before them, so neither the next group nor the next vector need
// wait for the frames in between.
template <class Vec>
[[gnu::always_inline]] inline void shelve(ShelfLanes<Vec>& shelf, Vec* frame, std::size_t frames) {
    constexpr int kGroups = kLanes<Vec> / 4;
    const Vec in[4] = {frame[0], frame[1], frame[2], frame[3]};
    const Vec p = shelf.pole;
    const Vec fed = shelf.c * (in[3] + p * (in[2] + p * (in[1] + p * in[0])));
    Vec z[5] = {shelf.z};
    if constexpr (kGroups == 2) {
        const Vec fourOn = shelf.pole4 * shelf.z + fed;
        z[0] = __builtin_shuffle(shelf.z, fourOn, kPicked<Vec, decltype(kFirstGroupsPick)>);
    }
#pragma GCC unroll 4
    for (std::size_t f = 0; f < 4; ++f) {
        frame[f] = shelf.b0 * in[f] + z[f];
        if (f < 3) z[f + 1] = shelf.c * in[f] + shelf.pole * z[f];
    }
    z[4] = shelf.pole4 * z[0] + fed;
    if (frames >= 4 * kGroups) return spreadGroup<kGroups - 1>(shelf.z, z[4]);
    if constexpr (kGroups == 2) {
        if (frames >= 4) return spreadGroup<1>(shelf.z, z[frames - 4]);
    }
    spreadGroup<0>(shelf.z, z[frames]);
}

}  // namespace

void Reverb::Ring::setDelay(std::size_t frames) {
    delay = frames;
    buffer.assign(std::bit_ceil(frames + kChunkFrames + 1), 0.0f);
}

// A chunk's last vector may reach past its end: what it reads there goes nowhere,
// and what it writes there has already been read, the buffer being a chunk longer
// than the delay.
const float* Reverb::Ring::out(std::size_t now, std::size_t count) {
    const std::size_t slot = (now - delay) & (buffer.size() - 1);
    if (slot + padded(count) <= buffer.size()) return &buffer[slot];
    inRuns(buffer.size(), slot, padded(count),
           [this](std::size_t i, std::size_t at, std::size_t run) {
               std::copy_n(&buffer[at], run, &outSpare[i]);
           });
    return outSpare.data();
}

float* Reverb::Ring::in(std::size_t now, std::size_t count) {
    const std::size_t slot = now & (buffer.size() - 1);
    return slot + padded(count) <= buffer.size() ? &buffer[slot] : inSpare.data();
}

void Reverb::Ring::keep(std::size_t now, std::size_t count) {
    const std::size_t slot = now & (buffer.size() - 1);
    if (slot + padded(count) <= buffer.size()) return;
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
    std::size_t shortest = kChunkFrames;
    for (int i = 0; i < kDiffusers; ++i) {
        diffusers_[i].setDelay(framesAt(kDiffuserFrames[i], rate));
        shortest = std::min(shortest, diffusers_[i].delay);
    }
    // Whole vectors, but for the last chunk of a run.
    chunkFrames_ = shortest < kWidest ? shortest : shortest & ~(kWidest - 1);
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

template <class Vec>
void Reverb::Ramp::lanesAt(Vec& gains, std::size_t frame) const {
    gains = from + step * (static_cast<float>(frame) + kCounting<Vec>);
}

template <>
void Reverb::runLanes<Quad>(float* frames, std::size_t count, const Ramp& in, const Ramp& wet) {
    runChunks<Quad>(frames, count, in, wet);
}

#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx2,fma")
// Fused multiply-adds: the shelves' feedback is what bounds the network's speed.
#pragma GCC optimize("fp-contract=fast")

template <>
void Reverb::runLanes<Oct>(float* frames, std::size_t count, const Ramp& in, const Ramp& wet) {
    runChunks<Oct>(frames, count, in, wet);
}

#pragma GCC pop_options
#endif

// Gains move evenly from their `from` to their `to` values across the frames.
void Reverb::run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
                 float wetTo) {
    const auto steps = static_cast<float>(count);
    const auto channels = static_cast<float>(channels_);
    const Ramp in{inFrom / channels, (inTo - inFrom) / channels / steps};
    const Ramp wet{wetFrom * kOutputScale, (wetTo - wetFrom) * kOutputScale / steps};
#if defined(__x86_64__)
    if (wideChosen()) return runLanes<Oct>(frames, count, in, wet);
#endif
    runLanes<Quad>(frames, count, in, wet);
}

// The work goes in chunks no longer than the shortest diffuser, so that no delay
// gives back within a chunk what the chunk put in.
template <class Vec>
void Reverb::runChunks(float* frames, std::size_t count, const Ramp& in, const Ramp& wet) {
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(chunkFrames_, count - done);
        float* chunk = frames + done * channels_;
        takeInput<Vec>(chunk, n, done, in);
        diffuse<Vec>(n);
        network<Vec>(n);
        addWet<Vec>(chunk, n, done, wet);
        now_ += n;
        done += n;
    }
}

// The channels summed to mono at the input gain; stereo a vector of frames at a time.
template <class Vec>
void Reverb::takeInput(const float* frames, std::size_t count, std::size_t first, const Ramp& in) {
    constexpr std::size_t kFrames = kLanes<Vec>;
    float* input = scratch_.input.data();
    std::size_t i = 0;
    if (channels_ == 2) {
        for (; i + kFrames <= count; i += kFrames) {
            Vec a, b, gain;
            load(a, frames + 2 * i);
            load(b, frames + 2 * i + kFrames);
            in.lanesAt(gain, first + i);
            store(input + i,
                  (__builtin_shuffle(a, b, kEvens<Vec>) + __builtin_shuffle(a, b, kOdds<Vec>)) *
                      gain);
        }
    }
    for (; i < count; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < channels_; ++c)
            sum += frames[i * channels_ + c];
        input[i] = sum * in.at(first + i);
    }
}

// The all-passes one after another on each vector of the chunk: each takes what
// went in a whole delay ago, and the chunk is no longer than the delay.
template <class Vec>
void Reverb::diffuse(std::size_t count) {
    std::array<const float*, kDiffusers> delayed;
    std::array<float*, kDiffusers> kept;
    for (int d = 0; d < kDiffusers; ++d) {
        delayed[d] = diffusers_[d].out(now_, count);
        kept[d] = diffusers_[d].in(now_, count);
    }
    float* x = scratch_.input.data();
    for (std::size_t i = 0; i < padded<kLanes<Vec>>(count); i += kLanes<Vec>) {
        Vec in;
        load(in, x + i);
#pragma GCC unroll 4
        for (int d = 0; d < kDiffusers; ++d) {
            Vec out;
            load(out, delayed[d] + i);
            out -= kDiffusion * in;
            store(kept[d] + i, in + kDiffusion * out);
            in = out;
        }
        store(x + i, in);
    }
    for (Ring& diffuser : diffusers_)
        diffuser.keep(now_, count);
}

// The lines are read and written a vector of frames at a time, each line in a
// vector of its own, as the mix and the taps want them; the shelves go frame by
// frame, so for them each group of four frames is turned to hold four lines of a
// frame.
template <class Vec>
void Reverb::network(std::size_t count) {
    constexpr std::size_t kFrames = kLanes<Vec>;
    std::array<const float*, kLines> from;
    std::array<float*, kLines> to;
    for (int l = 0; l < kLines; ++l) {
        from[l] = lines_[l].out(now_, count);
        to[l] = lines_[l].in(now_, count);
    }
    ShelfLanes<Vec> shelves[2];
    for (int h = 0; h < 2; ++h) {
        spread(shelves[h].b0, shelves_[h].b0);
        spread(shelves[h].c, shelves_[h].c);
        spread(shelves[h].pole, shelves_[h].pole);
        spread(shelves[h].pole4, shelves_[h].pole4);
        spread(shelves[h].z, shelves_[h].z);
    }
    Scratch& s = scratch_;
    for (std::size_t i = 0; i < padded<kFrames>(count); i += kFrames) {
        Vec line[kLines];
#pragma GCC unroll 8
        for (int l = 0; l < kLines; ++l)
            load(line[l], from[l] + i);
        store(&s.left[i], (line[0] + line[4]) - (line[2] + line[6]));
        store(&s.right[i], (line[1] + line[5]) - (line[3] + line[7]));
        transposeFours(line[0], line[1], line[2], line[3]);
        transposeFours(line[4], line[5], line[6], line[7]);
        shelve(shelves[0], line, count - i);
        shelve(shelves[1], line + 4, count - i);
        transposeFours(line[0], line[1], line[2], line[3]);
        transposeFours(line[4], line[5], line[6], line[7]);
        mix(line);
        Vec x;
        load(x, &s.input[i]);
#pragma GCC unroll 8
        for (int l = 0; l < kLines; ++l)
            store(to[l] + i, line[l] + (l % 2 == 0 ? x : -x));
    }
    for (int h = 0; h < 2; ++h)
        std::memcpy(&shelves_[h].z, &shelves[h].z, sizeof shelves_[h].z);
    for (Ring& line : lines_)
        line.keep(now_, count);
}

// Stereo a vector of frames at a time; mono takes both sides, more channels take
// them in turn.
template <class Vec>
void Reverb::addWet(float* frames, std::size_t count, std::size_t first, const Ramp& wet) const {
    constexpr std::size_t kFrames = kLanes<Vec>;
    const float* left = scratch_.left.data();
    const float* right = scratch_.right.data();
    std::size_t i = 0;
    if (channels_ == 2) {
        for (; i + kFrames <= count; i += kFrames) {
            Vec gain, l, r, frame0, frame1;
            wet.lanesAt(gain, first + i);
            load(l, left + i);
            load(r, right + i);
            l *= gain;
            r *= gain;
            float* frame = frames + 2 * i;
            load(frame0, frame);
            load(frame1, frame + kFrames);
            store(frame, frame0 + __builtin_shuffle(l, r, kFirstPairs<Vec>));
            store(frame + kFrames, frame1 + __builtin_shuffle(l, r, kSecondPairs<Vec>));
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

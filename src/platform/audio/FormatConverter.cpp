#include "platform/audio/FormatConverter.h"

#include <samplerate.h>

#include <algorithm>

#include "platform/audio/Decoder.h"

namespace audio {

namespace {

// Output frames per call beyond what the rates promise.
constexpr std::size_t kSlack = 64;

}  // namespace

FormatConverter::FormatConverter(AudioFormat target) : target_(target), fromRate_(target.rate) {}

FormatConverter::~FormatConverter() {
    if (state_) src_delete(state_);
}

void FormatConverter::push(const float* in, std::size_t frames, AudioFormat format,
                           std::vector<float>& out) {
    if (format.rate != fromRate_) {
        finish(out);
        fromRate_ = format.rate;
    }
    const float* mixed = remix(in, frames, format.channels);
    if (fromRate_ == target_.rate) {
        out.insert(out.end(), mixed, mixed + frames * target_.channels);
        return;
    }
    resample(mixed, frames, false, out);
}

void FormatConverter::finish(std::vector<float>& out) {
    if (fromRate_ != target_.rate && state_) resample(nullptr, 0, true, out);
    reset();
}

void FormatConverter::reset() {
    if (state_) src_reset(state_);
}

// Fewer channels: each output channel is the mean of the inputs that fall on it
// (stereo to mono: both sides); more: the inputs repeat (mono to stereo: both sides).
const float* FormatConverter::remix(const float* in, std::size_t frames, int channels) {
    const int to = target_.channels;
    if (channels == to) return in;
    mixed_.assign(frames * to, 0.0f);
    for (std::size_t i = 0; i < frames; ++i) {
        const float* frame = in + i * channels;
        float* mixed = &mixed_[i * to];
        if (channels < to) {
            for (int c = 0; c < to; ++c)
                mixed[c] = frame[c % channels];
            continue;
        }
        for (int c = 0; c < channels; ++c)
            mixed[c % to] += frame[c];
        for (int c = 0; c < to; ++c)
            mixed[c] /= static_cast<float>((channels - c + to - 1) / to);
    }
    return mixed_.data();
}

void FormatConverter::resample(const float* in, std::size_t frames, bool last,
                               std::vector<float>& out) {
    if (!state_) {
        int error = 0;
        state_ = src_new(SRC_SINC_FASTEST, target_.channels, &error);
        if (!state_) return;
    }
    const double ratio = static_cast<double>(target_.rate) / fromRate_;
    static const float kNoInput[kMaxChannels] = {};
    SRC_DATA data{};
    data.data_in = in ? in : kNoInput;
    data.input_frames = static_cast<long>(frames);
    data.end_of_input = last ? 1 : 0;
    data.src_ratio = ratio;
    // One call normally takes all input; a drain may need several.
    for (int round = 0; round < 64; ++round) {
        const std::size_t room = static_cast<std::size_t>(data.input_frames * ratio) + kSlack;
        const std::size_t at = out.size();
        out.resize(at + room * target_.channels);
        data.data_out = out.data() + at;
        data.output_frames = static_cast<long>(room);
        const bool failed = src_process(state_, &data) != 0;
        out.resize(at + static_cast<std::size_t>(data.output_frames_gen) * target_.channels);
        if (failed || (data.input_frames_used == 0 && data.output_frames_gen == 0)) break;
        data.data_in += data.input_frames_used * target_.channels;
        data.input_frames -= data.input_frames_used;
        if (data.input_frames == 0 && !last) break;
    }
}

}  // namespace audio

#include "platform/audio/Resampler.h"

#include <samplerate.h>

#include <algorithm>

#include "platform/audio/Decoder.h"

namespace audio {

Resampler::Resampler(int inRate, int outRate, int channels)
    : ratio_(static_cast<double>(outRate) / static_cast<double>(inRate)), channels_(channels) {
    if (inRate != outRate) {
        int error = 0;
        state_ = src_new(SRC_SINC_FASTEST, channels, &error);
    }
}

Resampler::~Resampler() {
    if (state_) src_delete(state_);
}

std::size_t Resampler::process(const float* in, std::size_t frames, float* out,
                               std::size_t outCapacity) {
    if (!state_) {
        const std::size_t n = std::min(frames, outCapacity);
        std::copy(in, in + channels_ * n, out);
        return n;
    }
    return run(in, frames, out, outCapacity, false);
}

std::size_t Resampler::drain(float* out, std::size_t outCapacity) {
    static const float kNoInput[kMaxChannels] = {};
    return state_ ? run(kNoInput, 0, out, outCapacity, true) : 0;
}

void Resampler::reset() {
    if (state_) src_reset(state_);
}

std::size_t Resampler::run(const float* in, std::size_t frames, float* out, std::size_t outCapacity,
                           bool last) {
    std::size_t made = 0;
    // One call normally takes all input; loop in case the converter holds some back.
    for (int round = 0; round < 4; ++round) {
        SRC_DATA data{};
        data.data_in = in;
        data.input_frames = static_cast<long>(frames);
        data.data_out = out + channels_ * made;
        data.output_frames = static_cast<long>(outCapacity - made);
        data.end_of_input = last ? 1 : 0;
        data.src_ratio = ratio_;
        if (src_process(state_, &data) != 0) break;
        made += static_cast<std::size_t>(data.output_frames_gen);
        in += channels_ * data.input_frames_used;
        frames -= static_cast<std::size_t>(data.input_frames_used);
        if (frames == 0 || made == outCapacity) break;
    }
    return made;
}

}  // namespace audio

#include "platform/audio/FormatConverter.h"

namespace audio {

FormatConverter::FormatConverter(AudioFormat target) : target_(target), fromRate_(target.rate) {}

void FormatConverter::push(const float* in, std::size_t frames, AudioFormat format,
                           std::vector<float>& out) {
    if (format.rate != fromRate_) {
        finish(out);
        fromRate_ = format.rate;
        resampler_.reset();
    }
    const float* mixed = remix(in, frames, format.channels);
    if (fromRate_ == target_.rate) {
        out.insert(out.end(), mixed, mixed + frames * target_.channels);
        return;
    }
    resample(mixed, frames, false, out);
}

void FormatConverter::finish(std::vector<float>& out) {
    if (fromRate_ != target_.rate && resampler_) resample(nullptr, 0, true, out);
    reset();
}

void FormatConverter::reset() {
    if (resampler_) resampler_->reset();
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
    if (!resampler_)
        resampler_ = std::make_unique<Resampler>(fromRate_, target_.rate, target_.channels);
    const auto room = static_cast<std::size_t>(static_cast<double>(frames) * resampler_->ratio()) +
                      Resampler::kSlack;
    // A drain may take several calls; each gives what fits.
    for (int round = 0; round < 64; ++round) {
        const std::size_t at = out.size();
        out.resize(at + room * target_.channels);
        float* to = out.data() + at;
        const std::size_t made =
            last ? resampler_->drain(to, room) : resampler_->process(in, frames, to, room);
        out.resize(at + made * target_.channels);
        if (!last || made == 0) break;
    }
}

}  // namespace audio

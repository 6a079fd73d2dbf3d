#include "platform/audio/FormatConverter.h"

namespace audio {

namespace {

// The share of the left and of the right side each speaker of the layout takes.
std::vector<float> sideShares(const Layout& layout) {
    std::vector<float> shares;
    for (const Speaker speaker : layout) {
        const std::vector<float> sides = stereoGains({speaker});
        const float sum = sides[0] + sides[1];
        shares.push_back(sum > 0.0f ? sides[0] / sum : 0.0f);
        shares.push_back(sum > 0.0f ? sides[1] / sum : 0.0f);
    }
    return shares;
}

}  // namespace

FormatConverter::FormatConverter(AudioFormat target, LayoutOf layoutOf)
    : target_(target),
      layoutOf_(layoutOf),
      shares_(sideShares(layoutOf(target.channels))),
      fromRate_(target.rate) {}

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

// Through stereo: each input channel goes to the sides of its speaker, and each
// side to the output speakers on it (the centre takes both, the low-frequency
// channel neither); one and two channels are stereo as they are.
const float* FormatConverter::remix(const float* in, std::size_t frames, int channels) {
    const int to = target_.channels;
    if (channels == to) return in;
    const float* stereo = in;
    if (channels != 2) {
        stereo_.resize(2 * frames);
        mixToStereo(in, frames, channels, sourceGains(channels), stereo_.data());
        stereo = stereo_.data();
    }
    mixed_.resize(frames * to);
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < to; ++c)
            mixed_[i * to + c] =
                stereo[2 * i] * shares_[2 * c] + stereo[2 * i + 1] * shares_[2 * c + 1];
    }
    return mixed_.data();
}

// Found again only when the source's channels change (a new link of a chain).
const std::vector<float>& FormatConverter::sourceGains(int channels) {
    if (channels != fromChannels_) {
        fromChannels_ = channels;
        sourceGains_ = stereoGains(layoutOf_(channels));
    }
    return sourceGains_;
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

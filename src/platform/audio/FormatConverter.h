#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/audio/ChannelLayout.h"
#include "platform/audio/Resampler.h"

namespace audio {

// A rate and channel count of decoded audio.
struct AudioFormat {
    int rate = 0;
    int channels = 0;
    bool operator==(const AudioFormat&) const = default;
};

// Brings decoded audio whose format changes on the way (chained files,
// concatenated recordings) to one fixed format: the channels are remixed first,
// then the rate converted through libsamplerate. Audio already in that format
// passes unchanged.
class FormatConverter {
  public:
    // Channels are placed by their speakers in the format's order.
    explicit FormatConverter(AudioFormat target, LayoutOf layoutOf = &defaultLayout);
    FormatConverter(const FormatConverter&) = delete;
    FormatConverter& operator=(const FormatConverter&) = delete;

    // Converts `frames` interleaved frames of `format`, appending the result to `out`.
    void push(const float* in, std::size_t frames, AudioFormat format, std::vector<float>& out);
    // After the last input: appends what the rate converter still holds.
    void finish(std::vector<float>& out);
    // Whether it holds nothing back, so that audio in the target format could pass
    // around it.
    bool idle() const { return fromRate_ == target_.rate; }
    // Forgets what it holds (after a seek).
    void reset();

  private:
    const float* remix(const float* in, std::size_t frames, int channels);
    const std::vector<float>& sourceGains(int channels);
    void resample(const float* in, std::size_t frames, bool last, std::vector<float>& out);

    const AudioFormat target_;
    const LayoutOf layoutOf_;
    const std::vector<float> shares_;  // of the left and the right side, per target channel
    int fromRate_;                     // the rate the resampler belongs to
    int fromChannels_ = 0;             // the channel count sourceGains_ belong to
    std::vector<float> sourceGains_;
    std::unique_ptr<Resampler> resampler_;
    std::vector<float> mixed_;
    std::vector<float> stereo_;  // between two remixes
};

}  // namespace audio

#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio/Decoder.h"
#include "platform/audio/FormatConverter.h"

namespace audio {

// A stretch of a file in one format, in the file's own frames.
struct Segment {
    AudioFormat format;
    std::uint64_t frames = 0;
};

// A decoder for files whose format may change on the way. It plays in the format
// of the first segment: later segments are converted to it, and their lengths and
// positions counted in its frames, so positions stay linear through the file.
class ConvertingDecoder : public Decoder {
  protected:
    // At least one segment, all of supported formats; the channels in the order
    // layoutOf gives.
    ConvertingDecoder(const std::vector<Segment>& segments, LayoutOf layoutOf);

    // The segments of the whole file, where those given at first were only its
    // beginning; the first segment's format is the same.
    void setSegments(const std::vector<Segment>& segments);

    // Reads whole frames of the file's own format into out, at most `samples`
    // samples; sets the format of what was read and gives the frames read. 0 at
    // the end or when the file can no longer be read.
    virtual std::size_t readSource(float* out, std::size_t samples, AudioFormat* format) = 0;
    // Moves to a frame counted in the file's own frames.
    virtual bool seekSource(std::uint64_t frame) = 0;

    std::size_t readFrames(float* out, std::size_t count) override;
    bool seekTo(std::uint64_t frame) override;

  private:
    struct Span {
        AudioFormat format;
        std::uint64_t sourceStart;
        std::uint64_t sourceFrames;
        std::uint64_t start;  // in the decoder's frames
    };
    static std::uint64_t convertedFrames(const std::vector<Segment>& segments);
    void placeSpans(const std::vector<Segment>& segments);
    std::uint64_t sourceFrameOf(std::uint64_t frame) const;
    bool refill();
    void convert(const float* in, std::size_t frames, AudioFormat format);

    std::vector<Span> spans_;
    FormatConverter converter_;
    std::vector<float> source_;
    std::vector<float> pending_;  // converted frames not yet read
    std::size_t pendingAt_ = 0;   // samples of pending_ already read
    bool sourceEnded_ = false;
};

}  // namespace audio

#include "platform/audio/ConvertingDecoder.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

// Frames read from the file at a time.
constexpr std::size_t kSourceFrames = 4096;

std::uint64_t scaled(std::uint64_t frames, int to, int from) {
    return static_cast<std::uint64_t>(
        std::llround(static_cast<long double>(frames) * to / static_cast<long double>(from)));
}

}  // namespace

ConvertingDecoder::ConvertingDecoder(const std::vector<Segment>& segments, LayoutOf layoutOf)
    : Decoder(segments.front().format.rate, segments.front().format.channels,
              convertedFrames(segments)),
      converter_(segments.front().format, layoutOf),
      source_(kSourceFrames * kMaxChannels) {
    setSpeakers(layoutOf(channels()));
    placeSpans(segments);
}

void ConvertingDecoder::setSegments(const std::vector<Segment>& segments) {
    setFrames(convertedFrames(segments));
    placeSpans(segments);
}

void ConvertingDecoder::placeSpans(const std::vector<Segment>& segments) {
    spans_.clear();
    std::uint64_t sourceStart = 0;
    std::uint64_t start = 0;
    for (const Segment& segment : segments) {
        spans_.push_back({segment.format, sourceStart, segment.frames, start});
        sourceStart += segment.frames;
        start += scaled(segment.frames, rate(), segment.format.rate);
    }
}

std::uint64_t ConvertingDecoder::convertedFrames(const std::vector<Segment>& segments) {
    std::uint64_t frames = 0;
    for (const Segment& segment : segments)
        frames += scaled(segment.frames, segments.front().format.rate, segment.format.rate);
    return frames;
}

// What is already in the opened format is read straight into out, where out has
// room for a frame of any format.
std::size_t ConvertingDecoder::readFrames(float* out, std::size_t count) {
    const auto width = static_cast<std::size_t>(channels());
    const AudioFormat opened{rate(), channels()};
    std::size_t done = 0;
    while (done < count) {
        const bool roomy = (count - done) * width >= static_cast<std::size_t>(kMaxChannels);
        if (pendingAt_ == pending_.size() && !sourceEnded_ && converter_.idle() && roomy) {
            AudioFormat format;
            float* at = out + done * width;
            const std::size_t got = readSource(at, (count - done) * width, &format);
            if (got > 0 && format == opened) {
                done += got;
                continue;
            }
            convert(at, got, format);
        } else if (pendingAt_ == pending_.size() && !refill()) {
            break;
        }
        const std::size_t n = std::min(count - done, (pending_.size() - pendingAt_) / width);
        std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pendingAt_), n * width,
                    out + done * width);
        pendingAt_ += n * width;
        done += n;
    }
    return done;
}

// Decodes the next stretch of the file into pending_; false at its end.
bool ConvertingDecoder::refill() {
    while (pendingAt_ == pending_.size() && !sourceEnded_) {
        AudioFormat format;
        convert(source_.data(), readSource(source_.data(), source_.size(), &format), format);
    }
    return pendingAt_ < pending_.size();
}

// Converts what was read into pending_ (after what is left there); nothing read
// is the end of the file.
void ConvertingDecoder::convert(const float* in, std::size_t frames, AudioFormat format) {
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pendingAt_));
    pendingAt_ = 0;
    if (frames == 0) {
        converter_.finish(pending_);
        sourceEnded_ = true;
        return;
    }
    converter_.push(in, frames, format, pending_);
}

// A library may accept a seek it cannot follow (the data there is gone): the
// seek counts once the target decodes.
bool ConvertingDecoder::seekTo(std::uint64_t frame) {
    pending_.clear();
    pendingAt_ = 0;
    converter_.reset();
    sourceEnded_ = false;
    return seekSource(sourceFrameOf(frame)) && (frame >= knownFrames() || refill());
}

std::uint64_t ConvertingDecoder::sourceFrameOf(std::uint64_t frame) const {
    const auto after = std::upper_bound(spans_.begin(), spans_.end(), frame,
                                        [](std::uint64_t f, const Span& s) { return f < s.start; });
    const Span& span = *std::prev(after);
    return span.sourceStart +
           std::min(span.sourceFrames, scaled(frame - span.start, span.format.rate, rate()));
}

}  // namespace audio

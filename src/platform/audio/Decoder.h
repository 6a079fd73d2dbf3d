#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/audio/ChannelLayout.h"

namespace audio {

// Channels a decoded file may have.
inline constexpr int kMaxChannels = 8;

// A source of interleaved float frames at one rate and channel count, fixed when
// the file is opened.
class Decoder {
  public:
    virtual ~Decoder() = default;

    int rate() const { return rate_; }
    int channels() const { return channels_; }
    // Frames in the whole file; reading never gives more. A length still being
    // worked out is waited for.
    std::uint64_t frames() {
        learnLength(kWholeFile);
        return frames_;
    }
    // Waits until the length is worked out, without touching the rest of the
    // decoder: another thread may be reading it meanwhile.
    virtual void awaitLength() const {}
    // Where each channel is meant to be heard.
    const Layout& speakers() const { return speakers_; }
    // The frame the next read starts at.
    std::uint64_t position() const { return position_; }

    // Reads up to count frames; 0 at the end (or when the file can no longer be read).
    std::size_t read(float* out, std::size_t count);
    // Moves to an exact frame; false leaves the position as it was (the decoder goes
    // back to where it read before).
    bool seek(std::uint64_t frame);
    // Whether the first frames decode (a header alone is not enough); back at the start.
    bool decodes();

  protected:
    Decoder(int rate, int channels, std::uint64_t frames)
        : rate_(rate), channels_(channels), frames_(frames), speakers_(defaultLayout(channels)) {}

    // A file that says where its channels go; the default order otherwise.
    void setSpeakers(Layout speakers) { speakers_ = std::move(speakers); }

    static constexpr std::uint64_t kWholeFile = ~std::uint64_t{0};
    // Called before frames up to `frame` are read or sought. A decoder that works
    // its length out after opening (knownFrames being what it knows so far) sets
    // it here once it is ready, waiting for it when `frame` lies beyond.
    virtual void learnLength([[maybe_unused]] std::uint64_t frame) {}
    std::uint64_t knownFrames() const { return frames_; }
    void setFrames(std::uint64_t frames) { frames_ = frames; }

    virtual std::size_t readFrames(float* out, std::size_t count) = 0;
    virtual bool seekTo(std::uint64_t frame) = 0;

  private:
    int rate_;
    int channels_;
    std::uint64_t frames_;
    Layout speakers_;
    std::uint64_t position_ = 0;
};

// A sound file, recognised by its content whatever its name: MPEG audio (layers
// I to III) through libmpg123, Ogg Vorbis through libvorbisfile, and the formats
// libsndfile reads (wav, aiff, flac, Ogg Opus and more). Null when the path is not
// a regular file holding at least one decodable frame, or is an Ogg film.
std::unique_ptr<Decoder> openSoundFile(const std::string& utf8Path);

// Tracker modules through libopenmpt, rendered as stereo at the given rate; with
// ramping, volume changes inside the module are smoothed. Null when the path is not
// a module.
std::unique_ptr<Decoder> openModule(const std::string& utf8Path, int rate, bool ramping);

// Whether the library's formats can be decoded at this rate and channel count.
bool supportedFormat(int rate, int channels);

}  // namespace audio

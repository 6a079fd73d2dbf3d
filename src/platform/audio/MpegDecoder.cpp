#include <mpg123.h>

#include <memory>
#include <vector>

#include "platform/audio/BufferedFile.h"
#include "platform/audio/ConvertingDecoder.h"
#include "platform/audio/SoundFiles.h"

namespace audio {

namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// The library's reader on our buffered file.
struct MpegIo {
    static BufferedFile& of(void* self) { return *static_cast<BufferedFile*>(self); }
    static mpg123_ssize_t read(void* self, void* to, std::size_t bytes) {
        return static_cast<mpg123_ssize_t>(of(self).read(to, bytes));
    }
    static off_t seek(void* self, off_t offset, int whence) {
        return of(self).seek(offset, whence);
    }
};

// Frames decoded and dropped before a seek's target, so that the bit reservoir
// of layer III is full again there: fewer leave the first frames silent.
constexpr long kPreframes = 16;

// Quiet (nothing on the terminal), gapless (the encoder's delay and padding from a
// LAME/Info header are cut), float output at the file's own rate and channels.
Handle newHandle() {
    static const bool initialised = mpg123_init() == MPG123_OK;
    if (!initialised) return nullptr;
    Handle handle(mpg123_new(nullptr, nullptr));
    if (!handle) return nullptr;
    mpg123_param(handle.get(), MPG123_FLAGS, MPG123_QUIET | MPG123_GAPLESS | MPG123_SKIP_ID3V2, 0);
    mpg123_param(handle.get(), MPG123_PREFRAMES, kPreframes, 0);
    mpg123_format_none(handle.get());
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i)
        mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    return handle;
}

AudioFormat formatOf(mpg123_handle* handle) {
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK) return {};
    return {static_cast<int>(rate), channels};
}

// Walks every frame's header (nothing is decoded) and notes where the format
// changes. The gapless trimming comes from the library's own count, which after
// the walk rests on the frames found, not on what a header claims.
std::vector<Segment> walkFrames(mpg123_handle* handle) {
    std::vector<Segment> segments;
    std::uint64_t walked = 0;
    for (;;) {
        const int result = mpg123_framebyframe_next(handle);
        if (result == MPG123_NEW_FORMAT) {
            const AudioFormat format = formatOf(handle);
            if (!supportedFormat(format.rate, format.channels)) return {};
            if (segments.empty() || segments.back().format != format)
                segments.push_back({format, 0});
        } else if (result != MPG123_OK) {
            break;
        }
        if (segments.empty()) return {};
        const auto spf = static_cast<std::uint64_t>(std::max(mpg123_spf(handle), 0));
        segments.back().frames += spf;
        walked += spf;
    }
    const off_t length = mpg123_length(handle);
    if (segments.empty() || length <= 0) return {};
    const std::uint64_t trimmed = walked - std::min<std::uint64_t>(walked, length);
    Segment& first = segments.front();
    first.frames -= std::min(first.frames, trimmed);
    return segments;
}

class MpegDecoder : public ConvertingDecoder {
  public:
    MpegDecoder(std::unique_ptr<BufferedFile> file, Handle handle,
                const std::vector<Segment>& segments, std::uint64_t sourceFrames)
        : ConvertingDecoder(segments),
          file_(std::move(file)),
          handle_(std::move(handle)),
          sourceFrames_(sourceFrames) {}

  protected:
    // The format is asked before each read: a read stops where the format changes.
    std::size_t readSource(float* out, std::size_t frames, AudioFormat* format) override {
        for (;;) {
            *format = formatOf(handle_.get());
            if (format->channels <= 0) return 0;
            std::size_t done = 0;
            const int result =
                mpg123_read(handle_.get(), out, frames * format->channels * sizeof(float), &done);
            if (done > 0) return done / (format->channels * sizeof(float));
            if (result != MPG123_NEW_FORMAT) return 0;
        }
    }

    bool seekSource(std::uint64_t frame) override {
        const off_t reached = mpg123_seek(handle_.get(), static_cast<off_t>(frame), SEEK_SET);
        return reached >= 0 &&
               (static_cast<std::uint64_t>(reached) == frame || frame >= sourceFrames_);
    }

  private:
    std::unique_ptr<BufferedFile> file_;
    Handle handle_;
    std::uint64_t sourceFrames_;
};

}  // namespace

std::unique_ptr<Decoder> openMpeg(const std::string& utf8Path) {
    auto file = std::make_unique<BufferedFile>(utf8Path);
    Handle handle = newHandle();
    if (!file->isOpen() || !handle) return nullptr;
    if (mpg123_replace_reader_handle(handle.get(), &MpegIo::read, &MpegIo::seek, nullptr) !=
            MPG123_OK ||
        mpg123_open_handle(handle.get(), file.get()) != MPG123_OK)
        return nullptr;
    const std::vector<Segment> segments = walkFrames(handle.get());
    std::uint64_t sourceFrames = 0;
    for (const Segment& segment : segments)
        sourceFrames += segment.frames;
    if (sourceFrames == 0 || sourceFrames > kMaxFrames ||
        mpg123_seek(handle.get(), 0, SEEK_SET) != 0)
        return nullptr;
    auto decoder =
        std::make_unique<MpegDecoder>(std::move(file), std::move(handle), segments, sourceFrames);
    if (!decoder->decodes()) return nullptr;
    return decoder;
}

}  // namespace audio

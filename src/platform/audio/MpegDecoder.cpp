#include <mpg123.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <limits>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

#include "platform/audio/BufferedFile.h"
#include "platform/audio/ConvertingDecoder.h"
#include "platform/audio/MpegInfoFrame.h"
#include "platform/audio/MpegProbe.h"
#include "platform/audio/SoundFiles.h"

namespace audio {

namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// The library's reader on our buffered file.
struct MpegIo {
    static mpg123_ssize_t read(void* self, void* to, std::size_t bytes) {
        return static_cast<mpg123_ssize_t>(BufferedFile::of(self).read(to, bytes));
    }
    static off_t seek(void* self, off_t offset, int whence) {
        return BufferedFile::of(self).seek(offset, whence);
    }
};

// Frames decoded and dropped before a seek's target, so that the bit reservoir
// of layer III is full again there: with fewer, the first frames after a seek
// came out silent or wrong.
constexpr long kPreframes = 16;

// Quiet (nothing on the terminal), float output at the file's own rate and
// channels. The Xing/Info frame is left to us (readInfoFrame): the library's own
// gapless cutting rests on the header's frame count even where the file holds
// other than it claims.
Handle newHandle() {
    static const bool initialised = mpg123_init() == MPG123_OK;
    if (!initialised) return nullptr;
    Handle handle(mpg123_new(nullptr, nullptr));
    if (!handle) return nullptr;
    mpg123_param(handle.get(), MPG123_FLAGS,
                 MPG123_QUIET | MPG123_SKIP_ID3V2 | MPG123_IGNORE_INFOFRAME, 0);
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

// The frame last walked: its 32-bit header and the bytes after it.
struct FrameData {
    unsigned long header = 0;
    unsigned char* body = nullptr;
    std::size_t bytes = 0;
};

FrameData frameOf(mpg123_handle* handle) {
    FrameData frame;
    if (mpg123_framedata(handle, &frame.header, &frame.body, &frame.bytes) != MPG123_OK) return {};
    return frame;
}

InfoFrame infoOf(const FrameData& frame) {
    if (!frame.body) return {};
    return readInfoFrame(frame.header, frame.body, frame.bytes);
}

// Free-format frames libmpg123 decodes as loud noise: an MPEG-1 layer II frame
// at 44.1 or 32 kHz, read by the shorter bit allocation table of 48 kHz, and a
// padded layer I frame, whose padding it takes for a byte where it is a
// four-byte slot, so that it reads the next frame out of place.
bool decodedAsNoise(unsigned long header) {
    const bool freeFormat = (header >> 12 & 0xF) == 0;
    const unsigned long layer = 4 - (header >> 17 & 3);
    const bool mpeg1 = (header >> 19 & 3) == 3;
    const bool at48kHz = (header >> 10 & 3) == 1;
    const bool padded = (header >> 9 & 1) != 0;
    return freeFormat && ((layer == 2 && mpeg1 && !at48kHz) || (layer == 1 && padded));
}

// The file's frames: where the format changes, and the samples at its start and
// end that are not the encoder's input.
struct Walk {
    std::vector<Segment> segments;
    std::uint64_t skip = 0;  // the info frame, the encoder's and the decoder's delay
    std::uint64_t cut = 0;   // the encoder's padding, where the info frame is confirmed
    bool whole = false;      // the walk reached the end of the file
};

// Bytes of frames walked while a file is opened: some milliseconds, the whole of
// most files. The rest of a longer one is walked on a thread of its own.
constexpr off_t kOpeningWalkBytes = 8 << 20;
constexpr off_t kNoLimit = std::numeric_limits<off_t>::max();

// Walks the frames' headers (nothing is decoded) up to `limit` bytes past the
// first frame, and notes where the format changes. The tags before it do not
// count: a large cover picture would leave the walk the info frame alone, and no
// length. An info header's padding counts only when the walk found exactly the
// frames it claims: a cut or joined file keeps its last samples. A frame that
// would decode as noise fails the walk.
Walk walkFrames(mpg123_handle* handle, off_t limit, const std::stop_token& stop) {
    Walk walk;
    InfoFrame info;
    off_t first = 0;
    std::int64_t frames = 0;
    for (;; ++frames) {
        if (mpg123_framepos(handle) - first > limit || stop.stop_requested()) return walk;
        const int result = mpg123_framebyframe_next(handle);
        if (result == MPG123_NEW_FORMAT) {
            const AudioFormat format = formatOf(handle);
            if (!supportedFormat(format.rate, format.channels)) return {};
            if (walk.segments.empty() || walk.segments.back().format != format)
                walk.segments.push_back({format, 0});
        } else if (result != MPG123_OK) {
            break;
        }
        if (walk.segments.empty()) return {};
        const int spf = mpg123_spf(handle);
        const FrameData frame = frameOf(handle);
        if (spf <= 0 || decodedAsNoise(frame.header)) return {};
        if (frames == 0) {
            first = mpg123_framepos(handle);
            info = infoOf(frame);
            if (info.present) walk.skip = static_cast<std::uint64_t>(spf);
            if (info.delay >= 0)
                walk.skip += static_cast<std::uint64_t>(info.delay + kDecoderDelay);
        }
        walk.segments.back().frames += static_cast<std::uint64_t>(spf);
    }
    walk.whole = true;
    if (info.frames == frames - 1 && info.padding > kDecoderDelay)
        walk.cut = static_cast<std::uint64_t>(info.padding - kDecoderDelay);
    return walk;
}

// Takes the skipped and cut samples off the first and last segments.
std::uint64_t trim(Walk& walk) {
    std::uint64_t& first = walk.segments.front().frames;
    first -= std::min(first, walk.skip);
    std::uint64_t& last = walk.segments.back().frames;
    last -= std::min(last, walk.cut);
    std::uint64_t frames = 0;
    for (const Segment& segment : walk.segments)
        frames += segment.frames;
    return frames;
}

bool openOn(mpg123_handle* handle, BufferedFile& file) {
    return mpg123_replace_reader_handle(handle, &MpegIo::read, &MpegIo::seek, nullptr) ==
               MPG123_OK &&
           mpg123_open_handle(handle, &file) == MPG123_OK;
}

// A whole file walked, and where its frames start, for seeking.
struct WholeWalk {
    Walk walk;
    std::vector<off_t> index;
    off_t step = 0;  // frames from one entry of the index to the next
};

WholeWalk walkWholeFile(const std::string& utf8Path, const std::stop_token& stop) {
    WholeWalk whole;
    BufferedFile file(utf8Path);
    Handle handle = newHandle();
    if (!file.isOpen() || !handle || !openOn(handle.get(), file)) return whole;
    whole.walk = walkFrames(handle.get(), kNoLimit, stop);
    off_t* offsets = nullptr;
    std::size_t fill = 0;
    if (mpg123_index(handle.get(), &offsets, &whole.step, &fill) == MPG123_OK && offsets)
        whole.index.assign(offsets, offsets + fill);
    return whole;
}

// The walk of a whole file on a thread of its own, with a reader and a handle of
// its own. Dropping it stops the walk.
class BackgroundWalk {
  public:
    explicit BackgroundWalk(const std::string& utf8Path)
        : result_(promise_.get_future().share()),
          thread_([this, utf8Path](const std::stop_token& stop) {
              promise_.set_value(walkWholeFile(utf8Path, stop));
          }) {}

    bool ready() const {
        return result_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    void wait() const { result_.wait(); }
    const WholeWalk& result() const { return result_.get(); }

  private:
    std::promise<WholeWalk> promise_;
    std::shared_future<WholeWalk> result_;
    std::jthread thread_;  // stopped and joined before the rest goes
};

class MpegDecoder : public ConvertingDecoder {
  public:
    MpegDecoder(std::unique_ptr<BufferedFile> file, Handle handle,
                const std::vector<Segment>& segments, std::uint64_t sourceFrames,
                std::uint64_t skip)
        : ConvertingDecoder(segments, &defaultLayout),
          file_(std::move(file)),
          handle_(std::move(handle)),
          sourceFrames_(sourceFrames),
          skip_(skip) {}

    // The segments given were the file's beginning: the rest is walked meanwhile.
    void walkTheRest(const std::string& utf8Path) {
        rest_ = std::make_unique<BackgroundWalk>(utf8Path);
    }

    void awaitLength() const override {
        if (rest_) rest_->wait();
    }

  protected:
    void learnLength(std::uint64_t frame) override {
        if (!rest_ || learnt_ || (frame <= knownFrames() && !rest_->ready())) return;
        learnt_ = true;
        takeOn(rest_->result());
    }

    // A walk that failed leaves what the opening walk found.
    void takeOn(const WholeWalk& whole) {
        Walk walk = whole.walk;
        if (!walk.whole || walk.segments.empty()) return;
        const std::uint64_t frames = trim(walk);
        if (frames == 0 || frames > kMaxFrames) return;
        setSegments(walk.segments);
        sourceFrames_ = frames;
        if (!whole.index.empty())
            mpg123_set_index(handle_.get(), const_cast<off_t*>(whole.index.data()), whole.step,
                             whole.index.size());
    }

    // The format is asked before each read: a read stops where the format changes.
    std::size_t readSource(float* out, std::size_t samples, AudioFormat* format) override {
        for (int changes = 0; changes < kMaxChanges; ++changes) {
            *format = formatOf(handle_.get());
            const std::size_t frames = format->channels > 0 ? samples / format->channels : 0;
            if (frames == 0) return 0;
            std::size_t done = 0;
            const int result =
                mpg123_read(handle_.get(), out, frames * format->channels * sizeof(float), &done);
            if (done > 0) return done / (format->channels * sizeof(float));
            if (result != MPG123_NEW_FORMAT) return 0;
        }
        return 0;
    }

    bool seekSource(std::uint64_t frame) override {
        const auto target = static_cast<off_t>(frame + skip_);
        const off_t reached = mpg123_seek(handle_.get(), target, SEEK_SET);
        return reached >= 0 && (reached == target || frame >= sourceFrames_);
    }

  private:
    // Announced changes of format without a sample between them: a broken stream.
    static constexpr int kMaxChanges = 16;

    std::unique_ptr<BufferedFile> file_;
    Handle handle_;
    std::uint64_t sourceFrames_;
    std::uint64_t skip_;  // samples of the file before its first frame of audio
    std::unique_ptr<BackgroundWalk> rest_;
    bool learnt_ = false;  // what rest_ found is taken on
};

}  // namespace

std::unique_ptr<Decoder> openMpeg(const std::string& utf8Path) {
    // The library would resync through any data until it found something like
    // frames (a module's samples, gigabytes of another format).
    auto file = std::make_unique<BufferedFile>(utf8Path);
    if (!file->isOpen() || !startsWithMpegFrames(*file) || isModule(utf8Path)) return nullptr;
    Handle handle = newHandle();
    if (!handle || !openOn(handle.get(), *file)) return nullptr;
    Walk walk = walkFrames(handle.get(), kOpeningWalkBytes, {});
    const std::uint64_t frames = walk.segments.empty() ? 0 : trim(walk);
    if (frames == 0 || frames > kMaxFrames) return nullptr;
    auto decoder = std::make_unique<MpegDecoder>(std::move(file), std::move(handle), walk.segments,
                                                 frames, walk.skip);
    if (!walk.whole) decoder->walkTheRest(utf8Path);
    // Also the check that the first frames decode.
    if (!decoder->seek(0)) return nullptr;
    return decoder;
}

}  // namespace audio

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/audio/BufferedFile.h"
#include "platform/audio/ConvertingDecoder.h"
#include "platform/audio/SoundFiles.h"

namespace audio {

namespace {

// libvorbisfile's calls on our buffered file.
struct VorbisIo {
    static std::size_t read(void* to, std::size_t size, std::size_t count, void* self) {
        return size == 0 ? 0 : BufferedFile::of(self).read(to, size * count) / size;
    }
    static int seek(void* self, ogg_int64_t offset, int whence) {
        return BufferedFile::of(self).seek(offset, whence) < 0 ? -1 : 0;
    }
    static long tell(void* self) { return static_cast<long>(BufferedFile::of(self).tell()); }
    static constexpr ov_callbacks calls{&read, &seek, nullptr, &tell};
};

// Every link of a chained file, in order; empty when one cannot be played.
std::vector<Segment> linksOf(OggVorbis_File* file) {
    std::vector<Segment> segments;
    for (int link = 0; link < ov_streams(file); ++link) {
        const vorbis_info* info = ov_info(file, link);
        const ogg_int64_t frames = ov_pcm_total(file, link);
        if (!info || frames < 0 || !supportedFormat(static_cast<int>(info->rate), info->channels))
            return {};
        if (frames > 0)
            segments.push_back({{static_cast<int>(info->rate), info->channels},
                                static_cast<std::uint64_t>(frames)});
    }
    return segments;
}

std::size_t widestOf(const std::vector<Segment>& segments) {
    int widest = 1;
    for (const Segment& segment : segments)
        widest = std::max(widest, segment.format.channels);
    return static_cast<std::size_t>(widest);
}

class VorbisDecoder : public ConvertingDecoder {
  public:
    VorbisDecoder(std::unique_ptr<BufferedFile> source, std::unique_ptr<OggVorbis_File> file,
                  const std::vector<Segment>& segments)
        : ConvertingDecoder(segments, &vorbisLayout),
          source_(std::move(source)),
          file_(std::move(file)),
          widest_(widestOf(segments)) {}
    ~VorbisDecoder() override { ov_clear(file_.get()); }

  protected:
    // The library hands out one link's planar samples at a time.
    std::size_t readSource(float* out, std::size_t samples, AudioFormat* format) override {
        const auto frames = static_cast<int>(std::min<std::size_t>(samples / widest_, 1 << 20));
        for (int holes = 0; holes < kMaxHoles && frames > 0; ++holes) {
            float** planes = nullptr;
            int link = 0;
            const long got = ov_read_float(file_.get(), &planes, frames, &link);
            if (got == OV_HOLE) continue;
            const vorbis_info* info = ov_info(file_.get(), link);
            if (got <= 0 || !info) return 0;
            *format = {static_cast<int>(info->rate), info->channels};
            for (long i = 0; i < got; ++i) {
                for (int c = 0; c < info->channels; ++c)
                    *out++ = planes[c][i];
            }
            return static_cast<std::size_t>(got);
        }
        return 0;
    }

    bool seekSource(std::uint64_t frame) override {
        return ov_pcm_seek(file_.get(), static_cast<ogg_int64_t>(frame)) == 0;
    }

  private:
    // Gaps in the data are skipped, but a file of nothing but gaps ends.
    static constexpr int kMaxHoles = 64;

    std::unique_ptr<BufferedFile> source_;
    std::unique_ptr<OggVorbis_File> file_;
    std::size_t widest_;  // channels of the link with the most
};

}  // namespace

std::unique_ptr<Decoder> openVorbis(const std::string& utf8Path) {
    auto source = std::make_unique<BufferedFile>(utf8Path);
    if (!source->isOpen()) return nullptr;
    auto file = std::make_unique<OggVorbis_File>();
    if (ov_open_callbacks(source.get(), file.get(), nullptr, 0, VorbisIo::calls) != 0)
        return nullptr;
    std::vector<Segment> segments =
        ov_seekable(file.get()) ? linksOf(file.get()) : std::vector<Segment>{};
    std::uint64_t frames = 0;
    for (const Segment& segment : segments)
        frames += segment.frames;
    if (frames == 0 || frames > kMaxFrames) {
        ov_clear(file.get());
        return nullptr;
    }
    auto decoder = std::make_unique<VorbisDecoder>(std::move(source), std::move(file), segments);
    // Also the check that the first frames decode.
    if (!decoder->seek(0)) return nullptr;
    return decoder;
}

}  // namespace audio

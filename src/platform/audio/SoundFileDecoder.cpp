#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/audio/Decoder.h"

namespace audio {

bool supportedFormat(int rate, int channels) {
    return rate >= 1000 && rate <= 384000 && channels >= 1 && channels <= kMaxChannels;
}

namespace {

// Right after a seek, MPEG audio decodes wrong for a few frames (the decoder
// lacks the frames before), so it seeks this much earlier and decodes up to the
// target: 16 MPEG frames.
constexpr sf_count_t kMpegPreroll = 16 * 1152;

// The file, read through a large buffer: the decoders read a few hundred bytes at a
// time, and each read of the file itself is a system call.
class BufferedFile {
  public:
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    explicit BufferedFile(const std::string& utf8Path) : file_(std::fopen(utf8Path.c_str(), "rb")) {
        if (file_) std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
    }
    ~BufferedFile() {
        if (file_) std::fclose(file_);
    }
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    SNDFILE* open(SF_INFO* info) { return sf_open_virtual(&kCalls, SFM_READ, info, this); }

  private:
    static BufferedFile& of(void* self) { return *static_cast<BufferedFile*>(self); }
    static sf_count_t length(void* self) {
        std::FILE* file = of(self).file_;
        const off_t at = ftello(file);
        if (fseeko(file, 0, SEEK_END) != 0) return -1;
        const off_t end = ftello(file);
        fseeko(file, at, SEEK_SET);
        return end;
    }
    static sf_count_t seek(sf_count_t offset, int whence, void* self) {
        std::FILE* file = of(self).file_;
        return fseeko(file, offset, whence) == 0 ? ftello(file) : -1;
    }
    static sf_count_t read(void* to, sf_count_t bytes, void* self) {
        return static_cast<sf_count_t>(
            std::fread(to, 1, static_cast<std::size_t>(bytes), of(self).file_));
    }
    static sf_count_t tell(void* self) { return ftello(of(self).file_); }

    static inline SF_VIRTUAL_IO kCalls{&length, &seek, &read, nullptr, &tell};
    std::FILE* file_;
};

class SoundFileDecoder : public Decoder {
  public:
    SoundFileDecoder(std::unique_ptr<BufferedFile> source, SNDFILE* file, const SF_INFO& info)
        : Decoder(info.samplerate, info.channels, static_cast<std::uint64_t>(info.frames)),
          source_(std::move(source)),
          file_(file),
          preroll_((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG ? kMpegPreroll : 0) {}
    ~SoundFileDecoder() override { sf_close(file_); }

    std::size_t read(float* out, std::size_t count) override {
        const sf_count_t got = sf_readf_float(file_, out, static_cast<sf_count_t>(count));
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    bool seek(std::uint64_t frame) override {
        const auto target = static_cast<sf_count_t>(frame);
        const sf_count_t start = std::max<sf_count_t>(0, target - preroll_);
        if (sf_seek(file_, start, SEEK_SET) != start) return false;
        std::vector<float> skipped(1024 * static_cast<std::size_t>(channels()));
        for (sf_count_t left = target - start; left > 0;) {
            const std::size_t got = read(skipped.data(), std::min<sf_count_t>(left, 1024));
            if (got == 0) return false;
            left -= static_cast<sf_count_t>(got);
        }
        return true;
    }

    // A header alone is not enough: the first frames must decode too.
    bool decodes() {
        std::vector<float> probe(256 * static_cast<std::size_t>(channels()));
        return read(probe.data(), 256) > 0 && seek(0);
    }

  private:
    std::unique_ptr<BufferedFile> source_;
    SNDFILE* file_;
    sf_count_t preroll_;
};

}  // namespace

std::unique_ptr<Decoder> openSoundFile(const std::string& utf8Path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(utf8Path, error)) return nullptr;
    auto source = std::make_unique<BufferedFile>(utf8Path);
    SF_INFO info{};
    SNDFILE* file = source->isOpen() ? source->open(&info) : nullptr;
    // Without a name libsndfile cannot go by the extension (an mp3 with junk before
    // its first frame, headerless formats): those are opened by name, unbuffered.
    if (!file) {
        source.reset();
        info = {};
        file = sf_open(utf8Path.c_str(), SFM_READ, &info);
    }
    if (!file) return nullptr;
    if (info.frames <= 0 || info.frames == SF_COUNT_MAX || !info.seekable ||
        !supportedFormat(info.samplerate, info.channels)) {
        sf_close(file);
        return nullptr;
    }
    auto decoder = std::make_unique<SoundFileDecoder>(std::move(source), file, info);
    if (!decoder->decodes()) return nullptr;
    return decoder;
}

}  // namespace audio

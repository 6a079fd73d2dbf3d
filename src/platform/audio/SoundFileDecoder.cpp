#include <sndfile.h>

#include <algorithm>
#include <filesystem>
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

class SoundFileDecoder : public Decoder {
  public:
    SoundFileDecoder(SNDFILE* file, const SF_INFO& info)
        : Decoder(info.samplerate, info.channels, static_cast<std::uint64_t>(info.frames)),
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
    SNDFILE* file_;
    sf_count_t preroll_;
};

}  // namespace

std::unique_ptr<Decoder> openSoundFile(const std::string& utf8Path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(utf8Path, error)) return nullptr;
    SF_INFO info{};
    SNDFILE* file = sf_open(utf8Path.c_str(), SFM_READ, &info);
    if (!file) return nullptr;
    if (info.frames <= 0 || info.frames == SF_COUNT_MAX || !info.seekable ||
        !supportedFormat(info.samplerate, info.channels)) {
        sf_close(file);
        return nullptr;
    }
    auto decoder = std::make_unique<SoundFileDecoder>(file, info);
    if (!decoder->decodes()) return nullptr;
    return decoder;
}

}  // namespace audio

#include <sndfile.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "platform/audio/BufferedFile.h"
#include "platform/audio/SoundFiles.h"

namespace audio {

namespace {

// libsndfile's virtual calls on our buffered file.
struct SoundFileIo {
    static sf_count_t length(void* self) { return BufferedFile::of(self).length(); }
    static sf_count_t seek(sf_count_t offset, int whence, void* self) {
        return BufferedFile::of(self).seek(offset, whence);
    }
    static sf_count_t read(void* to, sf_count_t bytes, void* self) {
        return static_cast<sf_count_t>(
            BufferedFile::of(self).read(to, static_cast<std::size_t>(bytes)));
    }
    static sf_count_t tell(void* self) { return BufferedFile::of(self).tell(); }
    static inline SF_VIRTUAL_IO calls{&length, &seek, &read, nullptr, &tell};
};

// libsndfile's channel positions (SF_CHANNEL_MAP_*, in order) as speakers.
constexpr std::array<Speaker, SF_CHANNEL_MAP_MAX> kMapSpeakers = {
    Speaker::Unknown,           Speaker::FrontCentre,
    Speaker::FrontLeft,         Speaker::FrontRight,
    Speaker::FrontCentre,       Speaker::FrontLeft,
    Speaker::FrontRight,        Speaker::FrontCentre,
    Speaker::BackCentre,        Speaker::BackLeft,
    Speaker::BackRight,         Speaker::Lfe,
    Speaker::FrontLeftOfCentre, Speaker::FrontRightOfCentre,
    Speaker::SideLeft,          Speaker::SideRight,
    Speaker::TopCentre,         Speaker::TopFrontLeft,
    Speaker::TopFrontRight,     Speaker::TopFrontCentre,
    Speaker::TopBackLeft,       Speaker::TopBackRight,
    Speaker::TopBackCentre,     Speaker::FrontCentre,
    Speaker::Unknown,           Speaker::Unknown,
    Speaker::Unknown,
};

// The positions the file gives (a WAV's channel mask, say), else the default
// order; a channel the file leaves without one is placed nowhere in particular.
Layout layoutOf(SNDFILE* file, int channels) {
    std::vector<int> map(static_cast<std::size_t>(channels));
    if (sf_command(file, SFC_GET_CHANNEL_MAP_INFO, map.data(),
                   static_cast<int>(map.size() * sizeof(int))) != SF_TRUE)
        return defaultLayout(channels);
    Layout layout;
    for (const int position : map)
        layout.push_back(position > 0 && position < SF_CHANNEL_MAP_MAX ? kMapSpeakers[position]
                                                                       : Speaker::Unknown);
    return layout;
}

class SoundFileDecoder : public Decoder {
  public:
    SoundFileDecoder(std::unique_ptr<BufferedFile> source, SNDFILE* file, const SF_INFO& info)
        : Decoder(info.samplerate, info.channels, static_cast<std::uint64_t>(info.frames)),
          source_(std::move(source)),
          file_(file) {
        setSpeakers(layoutOf(file, info.channels));
    }
    ~SoundFileDecoder() override { sf_close(file_); }

  protected:
    std::size_t readFrames(float* out, std::size_t count) override {
        const sf_count_t got = sf_readf_float(file_, out, static_cast<sf_count_t>(count));
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    bool seekTo(std::uint64_t frame) override {
        const auto target = static_cast<sf_count_t>(frame);
        return sf_seek(file_, target, SEEK_SET) == target;
    }

  private:
    std::unique_ptr<BufferedFile> source_;
    SNDFILE* file_;
};

// MPEG audio, in whatever container (an mp3 in a WAV too: libsndfile works its
// length out from the size of the data, which decodes to less), and Ogg Vorbis
// have decoders of their own, which know their exact lengths and every link of
// a chained file.
bool ownDecoderFor(const SF_INFO& info) {
    const int major = info.format & SF_FORMAT_TYPEMASK;
    const int minor = info.format & SF_FORMAT_SUBMASK;
    const bool mpeg = minor >= SF_FORMAT_MPEG_LAYER_I && minor <= SF_FORMAT_MPEG_LAYER_III;
    return mpeg || (major == SF_FORMAT_OGG && minor == SF_FORMAT_VORBIS);
}

}  // namespace

std::unique_ptr<Decoder> openLibSndFile(const std::string& utf8Path) {
    auto source = std::make_unique<BufferedFile>(utf8Path);
    if (!source->isOpen()) return nullptr;
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&SoundFileIo::calls, SFM_READ, &info, source.get());
    if (!file) return nullptr;
    if (ownDecoderFor(info) || info.frames <= 0 ||
        static_cast<std::uint64_t>(info.frames) > kMaxFrames || !info.seekable ||
        !supportedFormat(info.samplerate, info.channels)) {
        sf_close(file);
        return nullptr;
    }
    auto decoder = std::make_unique<SoundFileDecoder>(std::move(source), file, info);
    if (!decoder->decodes()) return nullptr;
    return decoder;
}

}  // namespace audio

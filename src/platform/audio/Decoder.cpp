#include "platform/audio/Decoder.h"

#include <algorithm>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "platform/audio/BufferedFile.h"
#include "platform/audio/SoundFiles.h"

namespace audio {

bool supportedFormat(int rate, int channels) {
    return rate >= 1000 && rate <= 384000 && channels >= 1 && channels <= kMaxChannels;
}

std::size_t Decoder::read(float* out, std::size_t count) {
    learnLength(position_ + count);
    // A length worked out late may end before what was read already.
    const std::uint64_t remaining = frames_ > position_ ? frames_ - position_ : 0;
    const auto left = static_cast<std::size_t>(std::min<std::uint64_t>(count, remaining));
    const std::size_t got = left > 0 ? readFrames(out, left) : 0;
    position_ += got;
    return got;
}

bool Decoder::seek(std::uint64_t frame) {
    learnLength(frame);
    if (frame > frames_) return false;
    if (!seekTo(frame)) {
        seekTo(position_);
        return false;
    }
    position_ = frame;
    return true;
}

bool Decoder::decodes() {
    std::vector<float> probe(256 * static_cast<std::size_t>(channels_));
    return read(probe.data(), 256) > 0 && seek(0);
}

namespace {

using Opener = std::unique_ptr<Decoder> (*)(const std::string&);

// What the first bytes say the file is; junk before MPEG frames says nothing, so
// libsndfile (which knows its formats by their headers) goes before MPEG. An Ogg
// file whose first stream is not Vorbis may be another codec libsndfile knows,
// unless one of its streams is a picture: a film is not a sound file.
enum class Kind { Vorbis, Ogg, Film, Mpeg, Other };

// How a Vorbis stream's first packet starts, and a Theora (video) stream's.
constexpr std::string_view kVorbisPacket("\x01vorbis", 7);
constexpr std::string_view kTheoraPacket("\x80theora", 7);

// Bytes read to tell a file's kind: room for every stream's first page of an
// Ogg file, where a Skeleton stream may stand before the picture's.
constexpr std::size_t kHeadBytes = 4096;

// The packets that start an Ogg file's streams, one a page at the file's
// start (pages marked as a stream's first), up to the first other page.
std::vector<std::string_view> firstPackets(std::string_view head) {
    std::vector<std::string_view> packets;
    std::size_t at = 0;
    while (head.size() > at + 27 && head.substr(at).starts_with("OggS") &&
           (static_cast<unsigned char>(head[at + 5]) & 0x02) != 0) {
        const std::size_t segments = static_cast<unsigned char>(head[at + 26]);
        const std::size_t body = at + 27 + segments;
        if (body > head.size()) break;
        std::size_t bodyBytes = 0;
        for (std::size_t i = 0; i < segments; ++i)
            bodyBytes += static_cast<unsigned char>(head[at + 27 + i]);
        packets.push_back(head.substr(body, bodyBytes));
        at = body + bodyBytes;
    }
    return packets;
}

Kind oggKind(std::string_view head) {
    const std::vector<std::string_view> packets = firstPackets(head);
    for (const std::string_view packet : packets)
        if (packet.starts_with(kTheoraPacket)) return Kind::Film;
    const bool vorbis = !packets.empty() && packets.front().starts_with(kVorbisPacket);
    return vorbis ? Kind::Vorbis : Kind::Ogg;
}

Kind kindOf(const std::string& utf8Path) {
    std::vector<char> bytes(kHeadBytes);
    BufferedFile file(utf8Path);
    const std::string_view head(bytes.data(),
                                file.isOpen() ? file.read(bytes.data(), bytes.size()) : 0);
    if (head.starts_with("OggS")) return oggKind(head);
    const bool sync = head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
                      (static_cast<unsigned char>(head[1]) & 0xE0) == 0xE0;
    return head.starts_with("ID3") || sync ? Kind::Mpeg : Kind::Other;
}

std::span<const Opener> openersFor(Kind kind) {
    static constexpr Opener kVorbis[] = {&openVorbis};
    static constexpr Opener kOgg[] = {&openVorbis, &openLibSndFile};
    static constexpr Opener kMpeg[] = {&openMpeg};
    static constexpr Opener kOther[] = {&openLibSndFile, &openMpeg};
    switch (kind) {
        case Kind::Vorbis:
            return kVorbis;
        case Kind::Ogg:
            return kOgg;
        case Kind::Film:
            return {};
        case Kind::Mpeg:
            return kMpeg;
        case Kind::Other:
            break;
    }
    return kOther;
}

}  // namespace

std::unique_ptr<Decoder> openSoundFile(const std::string& utf8Path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(utf8Path, error)) return nullptr;
    for (const Opener open : openersFor(kindOf(utf8Path))) {
        if (auto decoder = open(utf8Path)) return decoder;
    }
    return nullptr;
}

}  // namespace audio

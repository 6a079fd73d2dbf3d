#include "platform/audio/Decoder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

#include "platform/audio/BufferedFile.h"
#include "platform/audio/SoundFiles.h"

namespace audio {

bool supportedFormat(int rate, int channels) {
    return rate >= 1000 && rate <= 384000 && channels >= 1 && channels <= kMaxChannels;
}

std::size_t Decoder::read(float* out, std::size_t count) {
    const auto left = static_cast<std::size_t>(std::min<std::uint64_t>(count, frames_ - position_));
    const std::size_t got = left > 0 ? readFrames(out, left) : 0;
    position_ += got;
    return got;
}

bool Decoder::seek(std::uint64_t frame) {
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
// libsndfile (which knows its formats by their headers) goes before MPEG.
enum class Kind { Ogg, Mpeg, Other };

Kind kindOf(const std::string& utf8Path) {
    std::array<unsigned char, 4> head{};
    BufferedFile file(utf8Path);
    if (!file.isOpen() || file.read(head.data(), head.size()) != head.size()) return Kind::Other;
    if (head == std::array<unsigned char, 4>{'O', 'g', 'g', 'S'}) return Kind::Ogg;
    const bool id3 = head[0] == 'I' && head[1] == 'D' && head[2] == '3';
    const bool sync = head[0] == 0xFF && (head[1] & 0xE0) == 0xE0;
    return id3 || sync ? Kind::Mpeg : Kind::Other;
}

}  // namespace

std::unique_ptr<Decoder> openSoundFile(const std::string& utf8Path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(utf8Path, error)) return nullptr;
    static constexpr Opener kOgg[] = {&openVorbis, &openLibSndFile};
    static constexpr Opener kMpeg[] = {&openMpeg};
    static constexpr Opener kOther[] = {&openLibSndFile, &openMpeg};
    const auto tryAll = [&utf8Path](const auto& openers) -> std::unique_ptr<Decoder> {
        for (const Opener open : openers) {
            if (auto decoder = open(utf8Path)) return decoder;
        }
        return nullptr;
    };
    switch (kindOf(utf8Path)) {
        case Kind::Ogg:
            return tryAll(kOgg);
        case Kind::Mpeg:
            return tryAll(kMpeg);
        case Kind::Other:
            break;
    }
    return tryAll(kOther);
}

}  // namespace audio

#include "platform/audio/MpegInfoFrame.h"

#include <cstring>

namespace audio {

namespace {

// Fields of the Xing/Info header, by their flag bits.
constexpr std::uint32_t kHasFrames = 0x1;
constexpr std::uint32_t kHasBytes = 0x2;
constexpr std::uint32_t kHasToc = 0x4;
constexpr std::uint32_t kHasQuality = 0x8;

// Encoders whose extension follows LAME's layout.
constexpr const char* kLameLike[] = {"LAME", "Lavc", "Lavf", "L3.9"};

std::uint32_t bigEndian(const unsigned char* at) {
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
           at[3];
}

// Where the tag starts: as long as the side information from the body's start,
// with or without a CRC (the encoder writes it there either way).
std::size_t tagOffset(unsigned long header) {
    const bool mpeg1 = (header >> 19 & 0x3) == 0x3;
    const bool mono = (header >> 6 & 0x3) == 0x3;
    return mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
}

bool isLayer3(unsigned long header) {
    return (header >> 17 & 0x3) == 0x1;
}

}  // namespace

InfoFrame readInfoFrame(unsigned long header, const unsigned char* body, std::size_t bytes) {
    InfoFrame info;
    std::size_t at = tagOffset(header);
    if (!isLayer3(header) || at + 8 > bytes) return info;
    if (std::memcmp(body + at, "Xing", 4) != 0 && std::memcmp(body + at, "Info", 4) != 0)
        return info;
    info.present = true;
    const std::uint32_t flags = bigEndian(body + at + 4);
    at += 8;
    if (flags & kHasFrames) {
        if (at + 4 > bytes) return info;
        info.frames = bigEndian(body + at);
        at += 4;
    }
    at += (flags & kHasBytes ? 4 : 0) + (flags & kHasToc ? 100 : 0) + (flags & kHasQuality ? 4 : 0);
    if (at + 24 > bytes) return info;
    bool lame = false;
    for (const char* name : kLameLike)
        lame = lame || std::memcmp(body + at, name, 4) == 0;
    if (!lame) return info;
    const unsigned char* gap = body + at + 21;
    info.delay = gap[0] << 4 | gap[1] >> 4;
    info.padding = (gap[1] & 0x0F) << 8 | gap[2];
    return info;
}

}  // namespace audio

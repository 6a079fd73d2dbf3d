#include "platform/audio/MpegProbe.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace audio {

namespace {

// Junk tolerated before the first frame, as real files have it (a cut or a
// wrapper); a decoder looking further resyncs through whatever data it meets.
constexpr std::size_t kReach = 64 * 1024;
// Frames in a row that make a file MPEG; fewer will do where the file ends.
constexpr int kRun = 3;
// The longest frame libmpg123 takes, in free format; by the tables a frame is
// at most 1729 bytes (layer II at 384 kbit/s and 32 kHz).
constexpr std::size_t kMaxFrameBytes = 3456;
// ID3v2 tags in a row that are skipped: real files have one or two, and each
// costs a read.
constexpr int kMaxTags = 16;
// What may follow the last frame.
constexpr std::array<std::string_view, 3> kTailTags = {"TAG", "ID3", "APETAGEX"};

using Bitrates = std::array<int, 16>;
// kbit/s by bitrate index: MPEG-1 layers I to III, then MPEG-2 and 2.5 layer I,
// layers II and III. Index 0 is free format, 15 no bitrate.
constexpr std::array<Bitrates, 5> kBitrates = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
}};
const Bitrates& bitratesOf(bool mpeg1, int layer) {
    return kBitrates[mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4)];
}

// Hz by rate index, for version bits 0 (MPEG-2.5), 2 (MPEG-2) and 3 (MPEG-1).
constexpr std::array<std::array<int, 3>, 4> kRates = {{
    {11025, 12000, 8000},
    {0, 0, 0},
    {22050, 24000, 16000},
    {44100, 48000, 32000},
}};

struct Header {
    unsigned fixed;        // version, layer and rate bits: equal within a stream
    std::size_t bytes;     // 0 in free format, where the next header tells
    std::size_t padding;   // what the padding bit adds
    std::size_t shortest;  // at the lowest bitrate of the table: free format is no shorter
};

std::optional<Header> headerAt(const unsigned char* p) {
    const unsigned word = unsigned{p[0]} << 24 | unsigned{p[1]} << 16 | unsigned{p[2]} << 8 | p[3];
    const unsigned version = word >> 19 & 3;
    const unsigned layer = 4 - (word >> 17 & 3);  // 4: reserved
    const unsigned bitrate = word >> 12 & 15;
    const unsigned rate = word >> 10 & 3;
    if ((word >> 21) != 0x7FF || version == 1 || layer == 4 || rate == 3 || bitrate == 15)
        return std::nullopt;
    const Bitrates& kbps = bitratesOf(version == 3, static_cast<int>(layer));
    const int hz = kRates[version][rate];
    const auto bytesAt = [&](int kbit) -> std::size_t {
        if (layer == 1) return 12 * 1000 * kbit / hz * 4;
        return (layer == 3 && version != 3 ? 72 : 144) * 1000 * kbit / hz;
    };
    const std::size_t padding = (word >> 9 & 1) * (layer == 1 ? 4 : 1);
    return Header{word & 0xFFFE0C00u, bitrate == 0 ? 0 : bytesAt(kbps[bitrate]) + padding, padding,
                  bytesAt(kbps[1])};
}

// Where frames that are fewer than a run may end: at the file's end or a tag.
bool endsAt(const std::vector<unsigned char>& bytes, std::size_t at) {
    if (at > bytes.size()) return false;  // a frame runs past the end
    const std::string_view rest(reinterpret_cast<const char*>(bytes.data()) + at,
                                bytes.size() - at);
    if (rest.empty()) return true;
    for (const std::string_view tag : kTailTags)
        if (rest.starts_with(tag)) return true;
    return false;
}

// A free-format frame's length without its padding: where the next header with
// the same fields is, 0 where none is.
std::size_t freeFrameBytes(const std::vector<unsigned char>& bytes, std::size_t at,
                           const Header& header) {
    const std::size_t end = std::min(bytes.size(), at + kMaxFrameBytes + 4);
    for (std::size_t next = at + header.padding + header.shortest; next + 4 <= end; ++next) {
        const std::optional<Header> found =
            bytes[next] == 0xFF ? headerAt(&bytes[next]) : std::nullopt;
        if (found && found->bytes == 0 && found->fixed == header.fixed)
            return next - at - header.padding;
    }
    return 0;
}

// Frames follow one another from `at`, the first two of one format (a later
// one may change it, as in joined recordings); free-format frames at one
// distance. `whole` says the bytes end where the file does.
bool runAt(const std::vector<unsigned char>& bytes, std::size_t at, bool whole) {
    unsigned format = 0;
    std::size_t freeBytes = 0;
    std::size_t next = at;
    for (int frames = 0; frames < kRun; ++frames) {
        const std::optional<Header> header =
            next + 4 <= bytes.size() ? headerAt(&bytes[next]) : std::nullopt;
        if (!header) return frames > 0 && whole && endsAt(bytes, next);
        if (frames == 1 && header->fixed != format) return false;
        format = header->fixed;
        if (header->bytes == 0 && freeBytes == 0) {
            freeBytes = freeFrameBytes(bytes, next, *header);
            if (freeBytes == 0) return false;
        }
        next += header->bytes != 0 ? header->bytes : freeBytes + header->padding;
    }
    return true;
}

// Where the audio starts: after any ID3v2 tags (each may be followed by another).
std::int64_t afterTags(BufferedFile& file) {
    std::int64_t at = 0;
    for (int tags = 0; tags < kMaxTags; ++tags) {
        std::array<unsigned char, 10> tag{};
        if (file.seek(at, SEEK_SET) != at || file.read(tag.data(), tag.size()) != tag.size() ||
            std::string_view(reinterpret_cast<const char*>(tag.data()), 3) != "ID3")
            return at;
        std::int64_t size = 0;
        for (int i = 6; i < 10; ++i)
            size = size << 7 | (tag[i] & 0x7F);
        at += 10 + size + ((tag[5] & 0x10) ? 10 : 0);
    }
    return at;
}

}  // namespace

int bitrateKbps(bool mpeg1, int layer, int index) {
    return bitratesOf(mpeg1, layer).at(static_cast<std::size_t>(index));
}

bool startsWithMpegFrames(BufferedFile& file) {
    const std::int64_t start = afterTags(file);
    // A frame more than a run: a free-format frame's length is where the next one starts.
    std::vector<unsigned char> bytes(kReach + (kRun + 1) * kMaxFrameBytes);
    const bool placed = file.seek(start, SEEK_SET) == start;
    bytes.resize(placed ? file.read(bytes.data(), bytes.size()) : 0);
    const bool whole = start + static_cast<std::int64_t>(bytes.size()) >= file.length();
    file.seek(0, SEEK_SET);
    for (std::size_t at = 0; at + 4 <= bytes.size() && at <= kReach; ++at) {
        if (bytes[at] == 0xFF && runAt(bytes, at, whole)) return true;
    }
    return false;
}

}  // namespace audio

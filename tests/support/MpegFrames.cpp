#include "support/MpegFrames.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace testsupport {

namespace {

using Bitrates = std::array<int, 15>;
// Per layer, I to III.
constexpr std::array<Bitrates, 3> kBitrates = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
}};
constexpr std::array<int, 3> kRates = {44100, 48000, 32000};

int indexOf(const auto& table, int value) {
    return static_cast<int>(
        std::distance(table.begin(), std::find(table.begin(), table.end(), value)));
}

// Header, then everything zero: no bits allocated (layers I and II), every
// granule empty (layer III).
QByteArray silentFrame(const MpegRun& run) {
    const int bytes =
        run.layer == 1 ? 12 * run.kbps * 1000 / run.rate * 4 : 144 * run.kbps * 1000 / run.rate;
    QByteArray frame(bytes, '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xF9 | (4 - run.layer) << 1);  // MPEG-1, no CRC
    frame[2] = static_cast<char>(indexOf(kBitrates[run.layer - 1], run.kbps) << 4 |
                                 indexOf(kRates, run.rate) << 2);
    frame[3] = static_cast<char>(run.channels == 1 ? 0xC0 : 0x00);  // mono or stereo
    return frame;
}

void putBigEndian(QByteArray& bytes, int at, int value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

}  // namespace

QByteArray mpegFrames(const std::vector<MpegRun>& runs) {
    QByteArray bytes;
    for (const MpegRun& run : runs) {
        const QByteArray frame = silentFrame(run);
        for (int i = 0; i < run.frames; ++i)
            bytes += frame;
    }
    return bytes;
}

QByteArray xingFrame(const MpegRun& run, int frames) {
    QByteArray frame = silentFrame(run);
    const int at = 4 + (run.channels == 1 ? 17 : 32);
    frame.replace(at, 4, "Xing");
    putBigEndian(frame, at + 4, 1);  // the frame count is present
    putBigEndian(frame, at + 8, frames);
    return frame;
}

}  // namespace testsupport

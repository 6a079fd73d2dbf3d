#include "core/Mp3InfoMod.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <limits>

#include "platform/audio/MpegProbe.h"
#include "platform/files/Files.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"

namespace {

constexpr int kScanBytes = 4096;
// The last place a header may start: its four bytes still lie in the scan.
constexpr int kLastHeaderPos = kScanBytes - 4;
// Distances from a header's first byte to the Xing mark and its frame count.
constexpr int kXingMark = 36;
constexpr int kXingFrames = 45;
constexpr int kFramesBeforeFirstSecond = 57;

const std::array<const char*, 4> kChannelModes = {" Stereo", " Joint Stereo", " 2 Channel",
                                                  " Mono"};
const std::array<const char*, 4> kEmphases = {" None", " 50/15 microsec", " invalid",
                                              " CITT j. 17"};

// The scanned bytes, counted from 1 as the reading counts them; places
// past the end of a short file read 0, which completes no header and no mark.
class Head {
  public:
    explicit Head(QByteArrayView bytes)
        : bytes_(bytes.first(std::min<qsizetype>(bytes.size(), kScanBytes))) {}

    std::uint8_t at(int pos) const {
        return pos >= 1 && pos <= bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos - 1]) : 0;
    }
    bool holds(int pos, QByteArrayView text) const {
        if (pos < 1 || pos + text.size() - 1 > kScanBytes) return false;
        for (int i = 0; i < text.size(); ++i)
            if (at(pos + i) != static_cast<std::uint8_t>(text[i])) return false;
        return true;
    }

  private:
    QByteArrayView bytes_;
};

bool isSecondHeaderByte(std::uint8_t b) {
    return Mp3InfoMod::ByteBetween(b, 0xFA, 0xFF) || Mp3InfoMod::ByteBetween(b, 0xF2, 0xF7);
}

// The position of the first header, 0 when there is none.
int findHeader(const Head& head) {
    for (int p = 1; p <= kLastHeaderPos; ++p)
        if (head.at(p) == 0xFF && isSecondHeaderByte(head.at(p + 1))) return p;
    return 0;
}

int layerOf(std::uint8_t b1) {
    using M = Mp3InfoMod;
    if (M::ByteBetween(b1, 0xFA, 0xFB) || M::ByteBetween(b1, 0xF2, 0xF3)) return 3;
    if (M::ByteBetween(b1, 0xFC, 0xFD) || M::ByteBetween(b1, 0xF4, 0xF5)) return 2;
    return 1;
}

QString frequencyText(int versionFactor, std::uint8_t b2) {
    const int low = b2 & 0x0F;
    const float base = low <= 3 ? 22.05f : low <= 7 ? 24.0f : 16.0f;
    const float hertz = static_cast<float>(versionFactor) * base * 1000.0f;
    return shared::formatInt(static_cast<long long>(shared::roundHalfEven(hertz))) + " Hz";
}

// The standard's tables; indexes 0 and 15, which name no bitrate, show what
// the labels have always shown for them.
int kilobits(bool mpeg1, int layer, int index) {
    if (index == 0) return mpeg1 ? 24 : 0;
    if (index == 15) return mpeg1 ? 320 : 176;
    return audio::bitrateKbps(mpeg1, layer, index);
}

bool readXing(const Head& head, int p, std::int64_t fileLength, Mp3Info& info) {
    if (p + kXingFrames + 2 > kScanBytes) return false;
    const std::int32_t frames = head.at(p + kXingFrames) << 16 | head.at(p + kXingFrames + 1) << 8 |
                                head.at(p + kXingFrames + 2);
    XingInfo xing;
    if (!Mp3InfoMod::CalcXingLengthBitrate(fileLength, frames, xing)) return false;
    info.Bitrate = xing.Bitrate;
    info.Length = xing.Length;
    return true;
}

// Decodes the header at p; false where the reading ends early.
bool readFrame(const Head& head, int p, std::int64_t fileLength, Mp3Info& info,
               std::int64_t& lengthSec) {
    const std::uint8_t b1 = head.at(p + 1), b2 = head.at(p + 2), b3 = head.at(p + 3);
    info.Crc = (b1 & 0x01) ? "No" : "Yes";
    const bool mpeg1 = !Mp3InfoMod::ByteBetween(b1, 0xF2, 0xF7);
    info.Version = mpeg1 ? "MPEG 1.0" : "MPEG 2.0";
    const int layer = layerOf(b1);
    info.Layer = "layer " + shared::formatInt(layer);
    info.Frequency = frequencyText(mpeg1 ? 2 : 1, b2);
    const int kbps = kilobits(mpeg1, layer, b2 >> 4);
    info.Bitrate = shared::formatInt(kbps);
    if (kbps == 0) return false;
    lengthSec = fileLength / (kbps / 8) / 1000;
    if (head.holds(p + kXingMark, "Xing")) {
        if (!readXing(head, p, fileLength, info)) return false;
    } else {
        info.Length = shared::formatInt(lengthSec);
    }
    info.Copyright = (b3 & 0x08) ? " Yes" : " No";
    info.Original = (b3 & 0x04) ? " Yes" : " No";
    info.Emphasis = kEmphases[b3 & 0x03];
    info.ChannelMode = kChannelModes[b3 >> 6];
    return true;
}

}  // namespace

void Mp3InfoMod::ReadMp3Info(const QString& FileName, Mp3Info& Info) {
    QFile file(FileName);
    if (!files::openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered)) return;
    const QByteArray head = file.read(kScanBytes);
    if (file.error() != QFileDevice::NoError) return;
    readHead(head, file.size(), Info);
}

void Mp3InfoMod::ReadFileSize(const QString& FileName, Mp3Info& Info) {
    QFile file(FileName);
    if (files::openRegularFile(file, QIODevice::ReadOnly)) readHead({}, file.size(), Info);
}

void Mp3InfoMod::readHead(QByteArrayView bytes, std::int64_t fileLength, Mp3Info& Info) {
    const Head head(bytes);
    const int p = findHeader(head);
    if (p > 0 && !readFrame(head, p, fileLength, Info, Mp3LengthSec)) return;
    Info.FileSize = shared::formatInt(fileLength);
}

bool Mp3InfoMod::CalcXingLengthBitrate(std::int64_t fileLength, std::int32_t Frames,
                                       XingInfo& Result) {
    // One second per 38 1/3 frames after the first ones, rounded up.
    std::int32_t seconds = 0;
    for (std::int32_t remaining = Frames - kFramesBeforeFirstSecond; remaining > 0;) {
        ++seconds;
        remaining -= 38 + IsMultipleOf3(seconds);
    }
    constexpr std::int64_t kMaxBits = std::numeric_limits<std::int32_t>::max();
    if (seconds == 0 || fileLength > kMaxBits / 8) return false;
    const double kbps = static_cast<double>(fileLength * 8) / (seconds * 1000.0);
    Result.Length = shared::formatInt(seconds);
    Result.Bitrate = shared::formatInt(static_cast<long long>(kbps));
    return true;
}

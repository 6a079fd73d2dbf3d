#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace ui {
class Application;
}

// What the first MPEG audio frame header of a file tells, as display texts.
// A field the reading does not reach stays empty.
struct Mp3Info {
    QString Bitrate;      // kilobits per second
    QString ChannelMode;  // " Stereo", " Joint Stereo", " 2 Channel", " Mono"
    QString Copyright;    // " Yes", " No"
    QString Crc;          // "Yes", "No"
    QString Emphasis;     // " None", " 50/15 microsec", " invalid", " CITT j. 17"
    QString Frequency;    // "44100 Hz"...
    QString Layer;        // "layer 1", "layer 2", "layer 3"
    QString Length;       // whole seconds
    QString Version;      // "MPEG 1.0", "MPEG 2.0"
    QString Original;     // " Yes", " No"
    QString FileSize;     // bytes
};

// The average bitrate and length a Xing frame count gives.
struct XingInfo {
    QString Bitrate;
    QString Length;
};

// Reads the first frame header in the first 4096 bytes of a file, with the
// length from the bitrate or from a Xing frame count.  This is a quick look
// for the information labels, not a parser: every layer's bitrate comes from
// the standard's tables, the two indexes that name none show fixed values, and
// a Xing header is looked for at one place only.
class Mp3InfoMod {
  public:
    // The player's instance is its module; a free one reads without a player.
    Mp3InfoMod() = default;
    explicit Mp3InfoMod(ui::Application&) {}

    // The file being played; Play names it before asking for its information.
    QString Mp3FileName;
    // The constant-bitrate length of the last reading, in seconds.
    std::int64_t Mp3LengthSec = 0;

    // Fills Info field by field; the reading stops at the first step that
    // cannot be done, leaving the fields after it empty.
    void ReadMp3Info(const QString& FileName, Mp3Info& Info);
    // What a file without a header shows: its size alone.
    void ReadFileSize(const QString& FileName, Mp3Info& Info);
    // The same reading on the first bytes of a file and its length.
    void readHead(QByteArrayView head, std::int64_t fileLength, Mp3Info& Info);

    // False when no length can be worked out (57 frames or fewer, or a file
    // of 268,435,456 bytes or more, whose bit count the reading keeps within
    // 32 bits).
    static bool CalcXingLengthBitrate(std::int64_t fileLength, std::int32_t Frames,
                                      XingInfo& Result);
    static std::uint8_t IsMultipleOf3(std::int32_t value) { return value % 3 == 0 ? 1 : 0; }
    static bool ByteBetween(std::uint8_t b, std::uint8_t lo, std::uint8_t hi) {
        return lo <= b && b <= hi;
    }
};

#include <gtest/gtest.h>

#include <QFile>
#include <array>

#include "core/ClsMain.h"
#include "core/Mp3InfoMod.h"
#include "playlist/MediaLibrary.h"
#include "support/Mp3Files.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::Mp3Recipe;
using testsupport::PlayerFixture;

namespace {

// FF FB 90 44: MPEG 1.0 layer 3, no CRC, 128 kbps, 44.1 kHz, joint stereo,
// not copyrighted, original, no emphasis.
const QByteArray kHeader = QByteArray::fromHex("FFFB9044");

// Bytes placed at a 1-based position of an otherwise zero file of `size` bytes.
QByteArray bytesAt(int position, const QByteArray& bytes, int size = 4096) {
    QByteArray file(size, '\0');
    file.replace(position - 1, bytes.size(), bytes);
    return file;
}

// A frame header followed by a Xing mark 36 bytes after its start and a frame count.
QByteArray xingFrame(int frames, const QByteArray& header = kHeader) {
    QByteArray frame = header + QByteArray(32, '\0') + "Xing" + QByteArray(4, '\0');
    frame += static_cast<char>(frames >> 24);
    frame += static_cast<char>(frames >> 16);
    frame += static_cast<char>(frames >> 8);
    frame += static_cast<char>(frames);
    return frame;
}

// The nine labels GetMP3Inf writes, in its order.
QStringList labels(PlayerFixture& p) {
    Main& m = p.form<Main>();
    MediaLibrary& lib = p.form<MediaLibrary>();
    return {m.labSize.Caption(),    m.labLength.Caption(),     m.labLayer.Caption(),
            m.labBitRate.Caption(), m.labFreqChan.Caption(),   lib.labCRC.Caption(),
            lib.labCopy.Caption(),  lib.labEmphasis.Caption(), lib.labOriginal.Caption()};
}

class Mp3InfoTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    ClsMain controller{*p.app};
    Mp3InfoMod& reader = p.app->module<Mp3InfoMod>();

    // A file holding `head` and then zeros up to `size` bytes (sparse).
    QString file(const QByteArray& head, qint64 size, const QString& name = "media.mp3") {
        const QString path = p.program.write(name, head);
        QFile(path).resize(size);
        return path;
    }
    QStringList show(const QString& path) {
        reader.Mp3FileName = path;
        controller.GetMP3Inf();
        return labels(p);
    }
    Mp3Info read(const QString& path) {
        Mp3Info info;
        reader.ReadMp3Info(path, info);
        return info;
    }
    // A file of our own encoding: its path and its bytes.
    std::pair<QString, QByteArray> encoded(const QString& name, const Mp3Recipe& recipe) {
        const QString path = testsupport::writeMp3(p.program.file(name), recipe);
        EXPECT_FALSE(path.isEmpty());
        return {path, testsupport::readAll(path)};
    }
    Mp3Info readBytes(const QByteArray& head, qint64 length) {
        Mp3Info info;
        reader.readHead(head, length, info);
        return info;
    }
};

TEST_F(Mp3InfoTest, ConstantBitrateFileShowsItsHeaderAndLength) {
    EXPECT_EQ(show(file(kHeader, 4000000)),
              QStringList({"4000000 Bytes", "250 Sec", "MPEG 1.0 layer 3", "128 Kbps",
                           "44100 Hz  Joint Stereo", "No", " No", " None", " Yes"}));
}

TEST_F(Mp3InfoTest, LabelsAreWrittenInTheirOrder) {
    QStringList order;
    Main& m = p.form<Main>();
    MediaLibrary& lib = p.form<MediaLibrary>();
    for (ui::Label* l : {&m.labSize, &m.labLength, &m.labLayer, &m.labBitRate, &m.labFreqChan,
                         &lib.labCRC, &lib.labCopy, &lib.labEmphasis, &lib.labOriginal})
        l->Change.connect([&order, l] { order << l->Name(); });
    show(file(kHeader, 4000000));
    EXPECT_EQ(order, QStringList({"labSize", "labLength", "labLayer", "labBitRate", "labFreqChan",
                                  "labCRC", "labCopy", "labEmphasis", "labOriginal"}));
}

TEST_F(Mp3InfoTest, XingFrameCountGivesLengthAndAverageBitrate) {
    const QStringList tenThousand = show(file(xingFrame(10000), 4000000));
    EXPECT_EQ(tenThousand[1], "260 Sec");
    EXPECT_EQ(tenThousand[3], "123 Kbps");
    EXPECT_EQ(show(file(xingFrame(58), 4000000))[1], "1 Sec");
    EXPECT_EQ(show(file(xingFrame(96), 4000000))[1], "2 Sec");
    // Only the three low bytes of the count are read.
    EXPECT_EQ(show(file(xingFrame(0x01000000 + 96), 4000000))[1], "2 Sec");
}

TEST_F(Mp3InfoTest, XingCountOf57OrLessEndsTheReadingAfterTheBitrate) {
    for (int frames : {0, 57}) {
        const Mp3Info info = read(file(xingFrame(frames), 4000000));
        EXPECT_EQ(info.Bitrate, "128");
        EXPECT_EQ(info.Frequency, "44100 Hz");
        EXPECT_EQ(info.Length, "");
        EXPECT_EQ(info.ChannelMode, "");
        EXPECT_EQ(info.FileSize, "");
    }
    EXPECT_EQ(show(file(xingFrame(57), 4000000)),
              QStringList({" Bytes", " Sec", "MPEG 1.0 layer 3", "128 Kbps", "44100 Hz ", "No", "",
                           "", ""}));
}

TEST_F(Mp3InfoTest, LargeFilesKeepTheirLengthWithout32BitOverflow) {
    // Without a Xing header any size works.
    const Mp3Info big = read(file(kHeader, 3000000000LL));
    EXPECT_EQ(big.FileSize, "3000000000");
    EXPECT_EQ(big.Length, "187500");
    // With one, a bit count beyond 32 bits ends the reading as it always has.
    const Mp3Info below = read(file(xingFrame(10000), 268435455));
    EXPECT_EQ(below.Length, "260");
    EXPECT_EQ(below.Bitrate, "8259");
    const Mp3Info limit = read(file(xingFrame(10000), 268435456));
    EXPECT_EQ(limit.Length, "");
    EXPECT_EQ(limit.Bitrate, "128");
    EXPECT_EQ(limit.FileSize, "");
}

TEST_F(Mp3InfoTest, HeaderMustStartWithinTheFirst4092Bytes) {
    const Mp3Info at4092 = read(file(bytesAt(4092, kHeader, 5000), 5000));
    EXPECT_EQ(at4092.Bitrate, "128");
    EXPECT_EQ(at4092.FileSize, "5000");
    EXPECT_EQ(show(file(bytesAt(4093, kHeader, 5000), 5000)),
              QStringList({"5000 Bytes", " Sec", " ", " Kbps", " ", "", "", "", ""}));
}

TEST_F(Mp3InfoTest, XingMarkAndCountMustFitInTheScannedBytes) {
    // The mark fits, its count does not: the reading ends before the length.
    const Mp3Info cut = readBytes(bytesAt(4055, xingFrame(10000), 4200), 4000000);
    EXPECT_EQ(cut.Bitrate, "128");
    EXPECT_EQ(cut.Length, "");
    EXPECT_EQ(cut.Original, "");
    EXPECT_EQ(cut.FileSize, "");
    // The mark itself does not fit: no Xing header, the constant-bitrate length.
    const Mp3Info beyond = readBytes(bytesAt(4058, xingFrame(10000), 4200), 4000000);
    EXPECT_EQ(beyond.Length, "250");
    EXPECT_EQ(beyond.FileSize, "4000000");
}

TEST_F(Mp3InfoTest, OnlyTheAcceptedSecondBytesMakeAHeader) {
    for (int second : {0x00, 0x7F, 0xEF, 0xF0, 0xF1, 0xF8, 0xF9}) {
        QByteArray head = kHeader;
        head[1] = static_cast<char>(second);
        const Mp3Info info = readBytes(head, 1000);
        EXPECT_EQ(info.Version, "") << second;
        EXPECT_EQ(info.FileSize, "1000");
    }
    // The scan goes on past a rejected pair to the next one.
    EXPECT_EQ(readBytes(QByteArray::fromHex("FFF8FFF3") + "\x10\x00", 1000).Version, "MPEG 2.0");
}

TEST_F(Mp3InfoTest, FirstQualifyingPairWinsEvenInsideOtherData) {
    const QByteArray head = QByteArray("ID3\x03\x00junk", 9) + QByteArray::fromHex("FFF28000") +
                            QByteArray(20, '\0') + kHeader;
    const Mp3Info info = readBytes(head, 100000);
    EXPECT_EQ(info.Version, "MPEG 2.0");
    EXPECT_EQ(info.Crc, "Yes");
    EXPECT_EQ(info.Bitrate, "64");
}

TEST_F(Mp3InfoTest, VersionLayerAndRateComeFromTheSecondAndThirdBytes) {
    struct Case {
        const char* hex;
        const char* version;
        const char* layer;
        const char* crc;
        const char* frequency;
    };
    const Case cases[] = {
        {"FFFB9000", "MPEG 1.0", "layer 3", "No", "44100 Hz"},
        {"FFFA9400", "MPEG 1.0", "layer 3", "Yes", "48000 Hz"},
        {"FFFD9800", "MPEG 1.0", "layer 2", "No", "32000 Hz"},
        {"FFFF9C00", "MPEG 1.0", "layer 1", "No", "32000 Hz"},
        {"FFF39000", "MPEG 2.0", "layer 3", "No", "22050 Hz"},
        {"FFF49400", "MPEG 2.0", "layer 2", "Yes", "24000 Hz"},
        {"FFF79800", "MPEG 2.0", "layer 1", "No", "16000 Hz"},
        {"FFF29C00", "MPEG 2.0", "layer 3", "Yes", "16000 Hz"},
    };
    for (const Case& c : cases) {
        const Mp3Info info = readBytes(QByteArray::fromHex(c.hex), 100000);
        EXPECT_EQ(info.Version, c.version) << c.hex;
        EXPECT_EQ(info.Layer, c.layer) << c.hex;
        EXPECT_EQ(info.Crc, c.crc) << c.hex;
        EXPECT_EQ(info.Frequency, c.frequency) << c.hex;
    }
}

TEST_F(Mp3InfoTest, BitrateOfEveryLayerComesFromItsTable) {
    // By second header byte: MPEG-1 layers 3, 2, 1, then MPEG-2 layers 3, 2, 1. Indexes
    // 0 and 15 name no bitrate; every layer of a version shows the same there.
    const std::pair<const char*, std::array<int, 16>> tables[] = {
        {"FB", {24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 320}},
        {"FD", {24, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 320}},
        {"FF", {24, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 320}},
        {"F3", {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176}},
        {"F5", {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176}},
        {"F7", {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 176}},
    };
    for (const auto& [second, kbps] : tables) {
        for (int k = 0; k < 16; ++k) {
            const QByteArray head =
                QByteArray::fromHex(QByteArray("FF") + second) + static_cast<char>(k << 4) + '\0';
            EXPECT_EQ(readBytes(head, 100000).Bitrate, QString::number(kbps[k])) << second << k;
        }
    }
    // 20 seconds of layer II at 192 kbit/s.
    EXPECT_EQ(readBytes(QByteArray::fromHex("FFFDA400"), 480000).Length, "20");
}

TEST_F(Mp3InfoTest, ZeroBitrateEndsTheReadingAfterTheBitrate) {
    const Mp3Info info = readBytes(QByteArray::fromHex("FFF30044"), 100000);
    EXPECT_EQ(info.Bitrate, "0");
    EXPECT_EQ(info.Frequency, "22050 Hz");
    EXPECT_EQ(info.Length, "");
    EXPECT_EQ(info.ChannelMode, "");
    EXPECT_EQ(info.FileSize, "");
}

TEST_F(Mp3InfoTest, FourthByteGivesModeCopyrightOriginalAndEmphasis) {
    const char* modes[] = {" Stereo", " Joint Stereo", " 2 Channel", " Mono"};
    const char* emphases[] = {" None", " 50/15 microsec", " invalid", " CITT j. 17"};
    for (int b3 = 0; b3 < 256; b3 += 5) {
        const Mp3Info info = readBytes(QByteArray::fromHex("FFFB90") + static_cast<char>(b3), 1000);
        EXPECT_EQ(info.ChannelMode, modes[b3 >> 6]);
        EXPECT_EQ(info.Copyright, (b3 & 8) ? " Yes" : " No");
        EXPECT_EQ(info.Original, (b3 & 4) ? " Yes" : " No");
        EXPECT_EQ(info.Emphasis, emphases[b3 & 3]);
    }
}

TEST_F(Mp3InfoTest, FileWithoutHeaderShowsOnlyItsSize) {
    QByteArray video(3000, 'v');
    video.replace(100, 2, QByteArray::fromHex("FFE0"));
    EXPECT_EQ(show(file(video, 3000)),
              QStringList({"3000 Bytes", " Sec", " ", " Kbps", " ", "", "", "", ""}));
    EXPECT_EQ(show(file({}, 0, "empty.mp3"))[0], "0 Bytes");
}

TEST_F(Mp3InfoTest, OnlyMpegAudioFilesAreSearchedForAHeader) {
    const QStringList sizeOnly = {"4000000 Bytes", " Sec", " ", " Kbps", " ", "", "", "", ""};
    for (const char* name : {"song.ogg", "sound.wav", "clip.mpg", "clip.mpeg", "a.mp3 ", "mp3"})
        EXPECT_EQ(show(file(kHeader, 4000000, name)), sizeOnly) << name;
    for (const char* name : {"song.MP3", "b.mp2", "c.Mp1"})
        EXPECT_EQ(show(file(kHeader, 4000000, name))[2], "MPEG 1.0 layer 3") << name;
}

TEST_F(Mp3InfoTest, UnreadableFileFillsNothing) {
    for (const QString& path : {p.program.file("missing.mp3"), p.program.file("missing.ogg"),
                                p.program.path(), QString()}) {
        EXPECT_EQ(show(path), QStringList({" Bytes", " Sec", " ", " Kbps", " ", "", "", "", ""}))
            << path.toStdString();
    }
}

TEST_F(Mp3InfoTest, ShortFileIsReadAsIfZerosFollowed) {
    // The header's fourth byte lies past the end of the file.
    const Mp3Info info = read(file(QByteArray::fromHex("00FFFB90"), 4));
    EXPECT_EQ(info.Bitrate, "128");
    EXPECT_EQ(info.ChannelMode, " Stereo");
    EXPECT_EQ(info.Length, "0");
    EXPECT_EQ(info.FileSize, "4");
}

// Files of our own making, read as the labels read them: the header's
// bitrate and the size give the length unless a Xing header sits 36 bytes in.
TEST_F(Mp3InfoTest, EncodedConstantBitrateFiles) {
    struct Case {
        double level;
        int sampleRate;
        const char* bitrate;
        const char* frequency;
    };
    for (const Case& c :
         {Case{0.0, 44100, "320", "44100 Hz"}, Case{0.5, 44100, "160", "44100 Hz"},
          Case{1.0, 44100, "32", "44100 Hz"}, Case{0.3, 48000, "224", "48000 Hz"}}) {
        const auto [path, bytes] =
            encoded("cbr.mp3", Mp3Recipe{c.sampleRate, 2, 2.0, c.level, false});
        const Mp3Info info = read(path);
        const qint64 size = bytes.size();
        EXPECT_EQ(info.Version, "MPEG 1.0");
        EXPECT_EQ(info.Layer, "layer 3");
        EXPECT_EQ(info.Bitrate, c.bitrate);
        EXPECT_EQ(info.Frequency, c.frequency);
        EXPECT_EQ(info.Length, QString::number(size / (QString(c.bitrate).toInt() / 8) / 1000));
        EXPECT_EQ(info.Length, "2");
        EXPECT_EQ(info.FileSize, QString::number(size));
    }
}

TEST_F(Mp3InfoTest, EncodedVariableBitrateFileUsesItsXingCount) {
    const auto [path, bytes] = encoded("vbr.mp3", Mp3Recipe{44100, 2, 10.0, 0.5, true});
    ASSERT_EQ(bytes.mid(36, 4), "Xing");
    const int frames = static_cast<unsigned char>(bytes[45]) << 16 |
                       static_cast<unsigned char>(bytes[46]) << 8 |
                       static_cast<unsigned char>(bytes[47]);
    // 38 1/3 frames a second after the first 57, rounded up.
    const int seconds = (3 * (frames - 57) + 114) / 115;
    const Mp3Info info = read(path);
    EXPECT_EQ(info.Length, QString::number(seconds));
    EXPECT_NEAR(info.Length.toInt(), 10, 1);
    EXPECT_EQ(info.Bitrate, QString::number(bytes.size() * 8 / (seconds * 1000)));
}

TEST_F(Mp3InfoTest, XingHeaderElsewhereIsMissed) {
    // Single-channel MPEG 2.0 frames carry their Xing header 13 bytes in.
    const auto [path, bytes] = encoded("mono.mp3", Mp3Recipe{22050, 1, 2.0, 0.5, true});
    ASSERT_EQ(bytes.mid(13, 4), "Xing");
    const Mp3Info info = read(path);
    EXPECT_EQ(info.Version, "MPEG 2.0");
    EXPECT_EQ(info.Frequency, "22050 Hz");
    EXPECT_EQ(info.ChannelMode, " Mono");
    const int kbps = info.Bitrate.toInt();
    ASSERT_GT(kbps, 0);
    EXPECT_EQ(info.Length, QString::number(bytes.size() / (kbps / 8) / 1000));
}

}  // namespace

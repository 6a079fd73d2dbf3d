#include <QFile>
#include <algorithm>
#include <cmath>
#include <random>

#include "AudioTestSupport.h"
#include "platform/audio/MpegProbe.h"
#include "support/FileLimits.h"
#include "support/MpegFrames.h"
#include "support/OggPages.h"
#include "support/StandardError.h"

namespace audiotest {
namespace {

using testsupport::MpegRun;
using testsupport::readAll;

QByteArray randomBytes(int size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

QByteArray littleEndian(quint32 value) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

// A 16-bit stereo 44.1 kHz WAV header whose data chunk claims `dataBytes`.
QByteArray wavHeader(quint32 dataBytes, quint16 channels = 2, quint32 rate = 44100) {
    QByteArray header = "RIFF" + littleEndian(dataBytes + 36) + "WAVEfmt " + littleEndian(16);
    header += QByteArray("\x01\x00", 2) + littleEndian(channels).left(2) + littleEndian(rate);
    header += littleEndian(rate * channels * 2) + littleEndian(channels * 2).left(2);
    header += QByteArray("\x10\x00", 2) + "data" + littleEndian(dataBytes);
    return header;
}

// A 16-bit 44.1 kHz WAVE_FORMAT_EXTENSIBLE file with the given channel mask,
// every channel a full-scale square wave in the same phase.
QByteArray fullScaleWavex(quint16 channels, quint32 mask) {
    const quint32 frames = 22050;
    QByteArray data;
    for (quint32 i = 0; i < frames * channels; ++i)
        data += (i / channels) / 50 % 2 ? QByteArray("\x01\x80", 2) : QByteArray("\xFF\x7F", 2);
    QByteArray fmt = QByteArray("\xFE\xFF", 2) + littleEndian(channels).left(2) +
                     littleEndian(44100) + littleEndian(44100 * channels * 2) +
                     littleEndian(channels * 2).left(2) +
                     QByteArray("\x10\x00\x16\x00\x10\x00", 6) + littleEndian(mask) +
                     QByteArray("\x01\0\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 16);
    return "RIFF" + littleEndian(4 + 8 + fmt.size() + 8 + data.size()) + "WAVEfmt " +
           littleEndian(fmt.size()) + fmt + "data" + littleEndian(data.size()) + data;
}

class BadInputTest : public BassTest {
  protected:
    void expectRefused(const QString& path) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(openStream(path), 0u);
        EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    }
    // Opens and plays to its end within the given time.
    void expectPlaysOut(const QString& path, std::int64_t ms) {
        SCOPED_TRACE(path.toStdString());
        const HSTREAM stream = openStream(path);
        ASSERT_NE(stream, 0u);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        advance(ms);
        EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
        EXPECT_LE(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
                  bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
        EXPECT_TRUE(bass.BASS_StreamFree(stream));
    }
};

TEST_F(BadInputTest, BrokenFilesOfEveryFormatFailQuietly) {
    testsupport::CapturedStandardError terminal;
    const Tone tone{.seconds = 6.0};
    const QString sources[] = {writeTone(dir.file("good.mp3"), kMp3, tone),
                               writeTone(dir.file("good.ogg"), kOgg, tone),
                               writeTone(dir.file("good.wav"), kWav, tone)};
    for (const QString& source : sources) {
        const QString ext = source.right(4);
        const QByteArray bytes = readAll(source);
        expectRefused(dir.write("empty" + ext, {}));
        expectRefused(dir.write("zeros" + ext, QByteArray(200000, '\0')));
        expectRefused(dir.write("ones" + ext, QByteArray(200000, '\xFF')));
        for (unsigned seed = 1; seed <= 5; ++seed)
            expectRefused(
                dir.write(QString("random%1%2").arg(seed).arg(ext), randomBytes(150000, seed)));
        expectRefused(dir.write("head" + ext, bytes.left(40)));
        // Cut in the audio: what is there plays, then ends.
        expectPlaysOut(dir.write("cut" + ext, bytes.left(bytes.size() / 2)), 3500);
        // Spoilt after its first part: an Ogg file then has no length to give.
        const QString noisy = dir.write(
            "noisy" + ext, bytes.left(bytes.size() / 3) + randomBytes(bytes.size() / 2, 9));
        if (ext == ".ogg")
            expectRefused(noisy);
        else
            expectPlaysOut(noisy, 6500);
    }
    EXPECT_EQ(terminal.text(), "");
}

TEST_F(BadInputTest, LyingHeadersFailOrPlayWhatIsThere) {
    testsupport::CapturedStandardError terminal;
    // MPEG: an info header claiming almost no frames, or an absurd number.
    const QByteArray frames = testsupport::mpegFrames({{.frames = 20}});
    expectPlaysOut(dir.write("few.mp3", testsupport::xingFrame({}, 1) + frames), 600);
    expectPlaysOut(dir.write("many.mp3", testsupport::xingFrame({}, 0x7FFFFFFF) + frames), 600);
    // WAV: data claimed far beyond the file; no channels; no rate.
    const QByteArray audio = randomBytes(44100, 3);
    expectPlaysOut(dir.write("long.wav", wavHeader(1u << 30) + audio), 300);
    expectRefused(dir.write("nochannels.wav", wavHeader(44100, 0) + audio));
    expectRefused(dir.write("norate.wav", wavHeader(44100, 2, 0) + audio));
    // Ogg: identification headers with no channels or no rate, checksums intact.
    const QByteArray ogg = readAll(writeTone(dir.file("t.ogg"), kOgg, {}));
    expectRefused(dir.write("nochannels.ogg",
                            testsupport::withFirstPagePatched(ogg, 11, QByteArray(1, '\0'))));
    expectRefused(
        dir.write("norate.ogg", testsupport::withFirstPagePatched(ogg, 12, QByteArray(4, '\0'))));
    EXPECT_EQ(terminal.text(), "");
}

TEST_F(BadInputTest, OggWithoutVorbisIsRefused) {
    const testsupport::ForeignStream foreign = testsupport::foreignOggStream(77);
    expectRefused(dir.write("foreign.ogg", foreign.first + foreign.last));
}

// Four gigabytes of silence that take no room on the disk: opened without
// reading them, the length as the header gives it, seekable to its end.
TEST_F(BadInputTest, HugeSparseWavOpensWithoutReadingItAll) {
    const quint32 dataBytes = 0xFFFFFF00u;
    const QString path = dir.write("huge.wav", wavHeader(dataBytes));
    ASSERT_TRUE(QFile::resize(path, 44 + qint64{dataBytes}));
    const HSTREAM stream = openStream(path);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), QWORD{dataBytes});
    const QWORD nearEnd = QWORD{dataBytes} - bytes(44100);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, nearEnd, BASS_POS_BYTE));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(500);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), nearEnd + bytes(22050));
    advance(600);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
}

// Whatever the channels and the positions a file gives them, full-scale input
// stays within full scale on both sides. Played at half volume, so that the
// output's own limit to full scale cannot hide a mix that goes past it.
TEST_F(BadInputTest, ManyChannelsNeverClip) {
    testsupport::CapturedStandardError terminal;
    ASSERT_TRUE(bass.BASS_Free());
    ASSERT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 5000));
    ASSERT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    const quint32 masks[] = {0, 0x3, 0x3F, 0x3FFFF, 0xFFFFFFFF};  // none, fewer, 5.1, more, all
    for (const quint16 channels : {3, 4, 5, 6, 7, 8}) {
        for (const quint32 mask : masks) {
            SCOPED_TRACE(
                QString("%1 channels, mask %2").arg(channels).arg(mask, 0, 16).toStdString());
            const QString path = dir.write("many.wav", fullScaleWavex(channels, mask));
            const HSTREAM stream = openStream(path);
            ASSERT_NE(stream, 0u);
            ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
            heard.clear();
            advance(400);
            float peak = 0.0f;
            for (const float sample : heard)
                peak = std::max(peak, std::fabs(sample));
            EXPECT_LE(peak, 0.5f);
            EXPECT_GT(peak, 0.15f);
            bass.BASS_StreamFree(stream);
        }
        const QString ogg =
            writeTone(dir.file("many.ogg"), kOgg, {.channels = channels, .amplitude = 1.0});
        const HSTREAM stream = openStream(ogg);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        heard.clear();
        advance(400);
        for (const float sample : heard)
            ASSERT_LE(std::fabs(sample), 0.525f);
        bass.BASS_StreamFree(stream);
    }
    EXPECT_EQ(terminal.text(), "");
}

// A big file that starts like a sound file and is not one is refused after a
// look at its first bytes, not read through.
TEST_F(BadInputTest, BigFileStartingLikeSoundIsRefusedWithoutReadingItAll) {
    const QByteArray wavInsideAChunk = wavHeader(1000).left(36) + "junk" + littleEndian(0x7FFFFFFF);
    const QByteArray oneFrame = testsupport::mpegFrames({{.frames = 1}});
    const QByteArray id3 = QByteArray("ID3\x03\0\0\0\0\0\x10", 10) + QByteArray(16, '\0');
    const QByteArray emptyTags = QByteArray("ID3\x04\0\0\0\0\0\0", 10).repeated(800000);
    for (const QByteArray& head : {wavInsideAChunk, oneFrame, id3, emptyTags, QByteArray("OggS")}) {
        const QString path = dir.write("big.wav", head);
        ASSERT_TRUE(QFile::resize(path, qint64{256} << 20));
        const qint64 before = bytesRead("/proc/self/io");
        expectRefused(path);
        EXPECT_LT(bytesRead("/proc/self/io") - before, qint64{4} << 20);
    }
}

// Frames start an MPEG stream where they fit in the file.
// A program started while a file plays (a link opened, the media engine)
// must not hold the file.
TEST_F(BadInputTest, AnOpenFileIsNotGivenToProgramsStartedMeanwhile) {
    const BufferedFile file(dir.write("held.mp3", randomBytes(100, 5)).toStdString());
    const testsupport::OpenDescriptors held = testsupport::descriptorsOn("held.mp3");
    EXPECT_EQ(held.open, 1);
    EXPECT_EQ(held.inherited, 0);
}

TEST_F(BadInputTest, OneHeaderWhoseFrameRunsPastTheEndIsNoMpeg) {
    QByteArray bytes = randomBytes(20000, 4);
    bytes.replace(19800, 4, QByteArray::fromHex("FFFB9044"));
    BufferedFile file(dir.write("one.mp3", bytes).toStdString());
    EXPECT_FALSE(startsWithMpegFrames(file));
}

// Free format that libmpg123 would decode as noise: layer II at 44.1 kHz, and
// layer I with padded frames. Layer II at 48 kHz plays.
TEST_F(BadInputTest, FreeFormatThatWouldDecodeAsNoiseIsRefused) {
    // Frames of the run without a bitrate; where `padded`, every other one
    // padded by a layer I slot.
    const auto freeFormat = [](const MpegRun& run, bool padded) {
        QByteArray bytes;
        for (int i = 0; i < 40; ++i) {
            QByteArray frame = testsupport::mpegFrames({run});
            const int pad = padded ? i % 2 : 0;
            frame[2] = static_cast<char>((frame[2] & 0x0F) | pad << 1);
            bytes += frame + QByteArray(pad * 4, '\0');
        }
        return bytes;
    };
    expectRefused(dir.write("free.mp2", freeFormat({.kbps = 384, .layer = 2}, false)));
    expectRefused(dir.write("free.mp1", freeFormat({.kbps = 384, .layer = 1}, true)));
    expectPlaysOut(
        dir.write("free48.mp2", freeFormat({.rate = 48000, .kbps = 384, .layer = 2}, false)), 1100);
}

}  // namespace
}  // namespace audiotest

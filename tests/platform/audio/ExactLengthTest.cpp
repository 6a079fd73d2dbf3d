#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "AudioTestSupport.h"
#include "platform/audio/Decoder.h"
#include "support/Mp3Files.h"
#include "support/MpegFrames.h"
#include "support/OggPages.h"
#include "support/StandardError.h"

namespace audiotest {
namespace {

using testsupport::kMpegFrameSamples;
using testsupport::mpegFrames;
using testsupport::MpegRun;
using testsupport::readAll;

// Frames the decoder hands out when read straight through.
std::uint64_t decodedFrames(Decoder& decoder) {
    std::vector<float> buffer(4096 * kMaxChannels);
    std::uint64_t frames = 0;
    while (const std::size_t got = decoder.read(buffer.data(), 4096))
        frames += got;
    return frames;
}

// MPEG audio in a RIFF/WAVE file (format tag 0x55), as some recorders keep it.
QByteArray inWave(const QByteArray& mpeg) {
    QByteArray format;
    QDataStream f(&format, QIODevice::WriteOnly);
    f.setByteOrder(QDataStream::LittleEndian);
    f << quint16(0x55) << quint16(2) << quint32(44100) << quint32(16000) << quint16(1) << quint16(0)
      << quint16(12) << quint16(1) << quint32(2) << quint16(418) << quint16(1) << quint16(1393);
    QByteArray body;
    QDataStream b(&body, QIODevice::WriteOnly);
    b.setByteOrder(QDataStream::LittleEndian);
    b.writeRawData("WAVEfmt ", 8);
    b << quint32(format.size());
    b.writeRawData(format.constData(), static_cast<int>(format.size()));
    b.writeRawData("data", 4);
    b << quint32(mpeg.size());
    b.writeRawData(mpeg.constData(), static_cast<int>(mpeg.size()));
    QByteArray file;
    QDataStream w(&file, QIODevice::WriteOnly);
    w.setByteOrder(QDataStream::LittleEndian);
    w.writeRawData("RIFF", 4);
    w << quint32(body.size());
    return file + body;
}

// A decoder of silence whose length, worked out later (as a long MPEG file's
// is), comes out shorter than what was read before it.
class ShrinkingDecoder : public Decoder {
  public:
    ShrinkingDecoder() : Decoder(44100, 1, 100) {}

  protected:
    void learnLength(std::uint64_t frame) override {
        if (frame > 60) setFrames(40);
    }
    std::size_t readFrames(float* out, std::size_t count) override {
        std::fill_n(out, count, 0.0f);
        return count;
    }
    bool seekTo(std::uint64_t) override { return true; }
};

class ExactLengthTest : public BassTest {
  protected:
    // The file's reported length, after checking that decoding gives exactly it.
    std::uint64_t exactFrames(const QString& path) {
        SCOPED_TRACE(path.toStdString());
        const auto decoder = openSoundFile(path.toStdString());
        if (!decoder) {
            ADD_FAILURE() << "does not open";
            return 0;
        }
        EXPECT_EQ(decodedFrames(*decoder), decoder->frames());
        return decoder->frames();
    }

    // Plays the stream and checks that it is heard to its last frame and no further.
    void expectPlaysToItsLength(HSTREAM stream, std::uint64_t frames) {
        ASSERT_NE(stream, 0u);
        const auto ms = static_cast<std::int64_t>(frames * 1000 / 44100);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        advance(ms - 50);
        EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
        EXPECT_NEAR(static_cast<double>(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE)),
                    static_cast<double>(bytes(frames - 50 * 441 / 10)), bytes(64));
        advance(100);
        EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
        EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(frames));
    }
};

TEST_F(ExactLengthTest, VariableBitrateWithoutInfoHeaderIsWalkedFrameByFrame) {
    const QString path = dir.write("vbr.mp3", mpegFrames({{.kbps = 128, .frames = 40},
                                                          {.kbps = 320, .frames = 30},
                                                          {.kbps = 32, .frames = 50},
                                                          {.kbps = 192, .frames = 7}}));
    const std::uint64_t frames = 127 * kMpegFrameSamples;
    EXPECT_EQ(exactFrames(path), frames);
    const HSTREAM stream = openStream(path);
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), bytes(frames));
    expectPlaysToItsLength(stream, frames);
    EXPECT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(frames), BASS_POS_BYTE));
    EXPECT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(frames / 3), BASS_POS_BYTE));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(frames / 3));
}

// libsndfile works the length out from the size of the data, which decodes to less.
TEST_F(ExactLengthTest, Mp3InsideAWaveFileIsAsLongAsItPlays) {
    const QString path = dir.write("mp3.wav", inWave(mpegFrames({{.frames = 40}})));
    const HSTREAM stream = openStream(path);
    const QWORD length = bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE);
    EXPECT_EQ(length, bytes(exactFrames(path)));
    expectPlaysToItsLength(stream, length / bytes(1));
}

// Opening walks the beginning of a long file; the rest is walked meanwhile on
// another thread. The length, the end and a seek far into it stay exact.
TEST_F(ExactLengthTest, OpeningALongFileReadsOnlyItsBeginning) {
    const QString path =
        dir.write("long.mp3", mpegFrames({{.frames = 48000}, {.channels = 1, .frames = 10}}));
    const qint64 before = bytesRead("/proc/thread-self/io");
    if (before < 0) GTEST_SKIP() << "the kernel does not count what a thread reads";
    const HSTREAM stream = openStream(path);
    EXPECT_LT(bytesRead("/proc/thread-self/io") - before, QFileInfo(path).size() / 2);
    const std::uint64_t frames = 48010 * kMpegFrameSamples;
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), bytes(frames));
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(frames - 44100), BASS_POS_BYTE));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(950);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(frames));
}

TEST_F(ExactLengthTest, EveryMpegLayerIsWalked) {
    EXPECT_EQ(
        exactFrames(dir.write("a.mp1", mpegFrames({{.kbps = 192, .frames = 30, .layer = 1},
                                                   {.kbps = 384, .frames = 20, .layer = 1}}))),
        50u * 384);
    EXPECT_EQ(exactFrames(dir.write("a.bin", mpegFrames({{.kbps = 384, .frames = 10, .layer = 2},
                                                         {.kbps = 64, .frames = 15, .layer = 2}}))),
              25u * kMpegFrameSamples);
}

TEST_F(ExactLengthTest, FreeFormatIsWalked) {
    // 960 bytes a frame, whatever the header says: free format.
    QByteArray bytes = mpegFrames({{.rate = 48000, .kbps = 320, .frames = 40}});
    for (qsizetype at = 0; at < bytes.size(); at += 960)
        bytes[at + 2] = static_cast<char>(bytes[at + 2] & 0x0F);
    EXPECT_EQ(exactFrames(dir.write("free.mp3", bytes)), 40u * kMpegFrameSamples);
}

TEST_F(ExactLengthTest, InfoHeaderClaimingMoreThanTheFileHoldsIsNotBelieved) {
    const MpegRun run{.kbps = 128};
    const QString path =
        dir.write("cut.mp3", testsupport::xingFrame(run, 400) + mpegFrames({{.frames = 40}}));
    const std::uint64_t held = 40 * kMpegFrameSamples;
    EXPECT_EQ(exactFrames(path), held);
    expectPlaysToItsLength(openStream(path), held);
    // Nor one claiming fewer.
    EXPECT_EQ(exactFrames(dir.write("few.mp3",
                                    testsupport::xingFrame(run, 1) + mpegFrames({{.frames = 40}}))),
              held);

    // An encoder's file cut short: what is left, whatever its LAME header says.
    const QString whole = writeTone(dir.file("whole.mp3"), kMp3, {.seconds = 10.0});
    const QByteArray bytes = readAll(whole);
    const std::uint64_t half = exactFrames(dir.write("half.mp3", bytes.left(bytes.size() / 2)));
    EXPECT_GT(half, 44100u);
    EXPECT_LT(half, 9 * 44100u);
}

TEST_F(ExactLengthTest, LameHeaderGivesTheEncodersSampleCount) {
    EXPECT_EQ(exactFrames(writeTone(dir.file("a.mp3"), kMp3, {.seconds = 1.0})), 44100u);
    EXPECT_EQ(exactFrames(writeTone(dir.file("b.mp3"), kMp3, {.rate = 48000, .seconds = 2.5})),
              120000u);
    // MPEG-2: 576 samples a frame.
    EXPECT_EQ(exactFrames(writeTone(dir.file("c.mp3"), kMp3,
                                    {.rate = 22050, .channels = 1, .seconds = 1.3})),
              28665u);
    testsupport::Mp3Recipe vbr{.seconds = 2.0, .variable = true};
    EXPECT_EQ(exactFrames(testsupport::writeMp3(dir.file("vbr.mp3"), vbr)), 88200u);
    // With a CRC the encoder still writes its header right after the side information.
    QByteArray crc = readAll(dir.file("a.mp3"));
    crc[1] = static_cast<char>(crc[1] & ~1);
    EXPECT_EQ(exactFrames(dir.write("crc.mp3", crc)), 44100u);
}

// The opening walk's share of a file starts at its first frame: counting a large
// cover picture in left it the info frame alone, trimmed to nothing.
TEST_F(ExactLengthTest, LameHeaderBehindALargeTagGivesTheSampleCount) {
    const int size = 9 << 20;
    QByteArray tag("ID3\x03\0\0", 6);
    for (const int shift : {21, 14, 7, 0})
        tag += static_cast<char>(size >> shift & 0x7F);
    const QString mp3 = writeTone(dir.file("a.mp3"), kMp3, {.seconds = 1.0});
    const QByteArray bytes = tag + QByteArray(size, '\0') + readAll(mp3);
    EXPECT_EQ(exactFrames(dir.write("cover.mp3", bytes)), 44100u);
}

TEST_F(ExactLengthTest, ContentDecidesNotTheName) {
    testsupport::CapturedStandardError terminal;
    const QString mp3 = writeTone(dir.file("tone.mp3"), kMp3, {.seconds = 1.0});
    const QByteArray junk = QByteArray("junk before the first frame ").repeated(30);
    EXPECT_EQ(exactFrames(dir.write("junk.bin", junk + readAll(mp3))), 44100u);
    EXPECT_EQ(exactFrames(dir.write("ogg.mp3", readAll(writeTone(dir.file("t.ogg"), kOgg, {})))),
              44100u);
    EXPECT_EQ(exactFrames(dir.write("wav.ogg", readAll(writeTone(dir.file("t.wav"), kWav, {})))),
              44100u);
    const HSTREAM stream = openStream(dir.file("junk.bin"));
    expectPlaysToItsLength(stream, 44100);
    EXPECT_EQ(terminal.text(), "");
}

TEST_F(ExactLengthTest, ChainedOggPlaysEveryLink) {
    const QString first = writeTone(dir.file("1.ogg"), kOgg, {.seconds = 5.0, .hz = 440});
    const QString second = writeTone(dir.file("2.ogg"), kOgg,
                                     {.rate = 22050, .channels = 1, .seconds = 5.0, .hz = 880});
    const QString chained = dir.write("chain.ogg", readAll(first) + readAll(second));
    const auto decoder = openSoundFile(chained.toStdString());
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->rate(), 44100);
    EXPECT_EQ(decoder->channels(), 2);
    EXPECT_EQ(decoder->frames(), 441000u);
    EXPECT_NEAR(static_cast<double>(decodedFrames(*decoder)), 441000.0, 64.0);

    const HSTREAM stream = openStream(chained);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(6000);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(264600));
    EXPECT_GT(rms(played(stream, 1000).data(), 2000), 0.2);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(352800), BASS_POS_BYTE));
    advance(1000);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(396900));
    advance(950);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    EXPECT_GT(rms(played(stream, 1000).data(), 2000), 0.2);
    advance(200);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(441000), BASS_POS_BYTE));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(441000));
}

// Mono first: the stereo part is mixed down, even when read a frame at a time.
TEST_F(ExactLengthTest, SmallReadsThroughAFormatChangeReachTheEnd) {
    const QString path =
        dir.write("monofirst.mp3", mpegFrames({{.channels = 1, .frames = 3}, {.frames = 3}}));
    const auto decoder = openSoundFile(path.toStdString());
    ASSERT_TRUE(decoder);
    EXPECT_EQ(decoder->channels(), 1);
    float sample = 0.0f;
    std::uint64_t frames = 0;
    while (decoder->read(&sample, 1) == 1)
        ++frames;
    EXPECT_EQ(frames, 6u * kMpegFrameSamples);
    EXPECT_EQ(frames, decoder->frames());
}

TEST_F(ExactLengthTest, OggWithAnotherStreamBesideVorbisOpens) {
    const QString ogg = writeTone(dir.file("t.ogg"), kOgg, {.seconds = 1.0});
    EXPECT_EQ(exactFrames(dir.write("grouped.ogg", testsupport::withForeignStream(readAll(ogg)))),
              44100u);
}

// A picture's stream, first or after another (a Skeleton): the sound beside
// it is not the whole file.
TEST_F(ExactLengthTest, OggFilmDoesNotOpenAsSound) {
    const QByteArray ogg = readAll(writeTone(dir.file("t.ogg"), kOgg, {.seconds = 1.0}));
    const QByteArray film = testsupport::withFirstPagePatched(testsupport::withForeignStream(ogg),
                                                              0, QByteArray("\x80theora", 7));
    EXPECT_FALSE(openSoundFile(dir.write("film.ogg", film).toStdString()));
    const testsupport::ForeignStream skeleton = testsupport::foreignOggStream(0x3C3C3C3C);
    const QByteArray second = skeleton.first + film + skeleton.last;
    EXPECT_FALSE(openSoundFile(dir.write("second.ogg", second).toStdString()));
}

// Concatenated recordings: the later part is converted to the first part's format.
TEST_F(ExactLengthTest, FormatChangesInsideAnMp3PlayToTheEnd) {
    const QString stereo = writeTone(dir.file("s.mp3"), kMp3, {.seconds = 1.0, .hz = 440});
    const QString mono =
        writeTone(dir.file("m.mp3"), kMp3, {.channels = 1, .seconds = 1.0, .hz = 660});
    const QString faster =
        writeTone(dir.file("f.mp3"), kMp3, {.rate = 48000, .seconds = 1.0, .hz = 660});
    for (const QString& second : {mono, faster}) {
        SCOPED_TRACE(second.toStdString());
        const QString path = dir.write("joined.mp3", readAll(stereo) + readAll(second));
        const auto decoder = openSoundFile(path.toStdString());
        ASSERT_TRUE(decoder);
        EXPECT_EQ(decoder->channels(), 2);
        EXPECT_EQ(decoder->rate(), 44100);
        // The second file's info frame, delay and padding play as silence.
        EXPECT_NEAR(decoder->frames() / 44100.0, 2.0, 0.1);
        EXPECT_NEAR(static_cast<double>(decodedFrames(*decoder)),
                    static_cast<double>(decoder->frames()), 64.0);

        const HSTREAM stream = openStream(path);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        advance(1800);
        EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
        EXPECT_GT(rms(played(stream, 2000).data(), 4000), 0.2);
        advance(400);
        EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
        bass.BASS_StreamFree(stream);
    }
}

// Each change is converted on its own; a change at every frame reads as no MPEG
// stream at all (no two frames agree), and is refused.
TEST_F(ExactLengthTest, FrequentFormatChangesPlayThroughOrAreRefused) {
    std::vector<MpegRun> every;
    std::vector<MpegRun> second;
    for (int i = 0; i < 60; ++i) {
        const MpegRun other{.rate = 48000, .channels = 1, .frames = 1};
        every.push_back(i % 2 ? other : MpegRun{});
        second.push_back(i / 2 % 2 ? other : MpegRun{});
    }
    EXPECT_EQ(openStream(dir.write("every.mp3", mpegFrames(every))), 0u);
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);

    const QString path = dir.write("second.mp3", mpegFrames(second));
    const double frames = 30 * 1152 + 30 * 1152 * 44100 / 48000.0;
    EXPECT_NEAR(static_cast<double>(exactFrames(path)), frames, 16);
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(1400);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    advance(200);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
}

// A seek the file cannot follow (here: its second half was overwritten while it
// played) changes nothing: the channel plays on from where it was.
TEST_F(ExactLengthTest, FailedSeekKeepsPositionAndPlaying) {
    const QString path = writeTone(dir.file("spoilt.mp3"), kMp3, {.seconds = 4.0});
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(500);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(file.size() / 2);
    file.write(QByteArray(static_cast<int>(file.size() - file.pos()), '\0'));
    file.close();
    EXPECT_FALSE(bass.BASS_ChannelSetPosition(stream, bytes(3 * 44100), BASS_POS_BYTE));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_POSITION);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(22050));
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    advance(800);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(22050 + 35280));
    EXPECT_GT(rms(played(stream, 1000).data(), 2000), 0.2);
}

TEST_F(ExactLengthTest, LengthShrunkBelowThePositionEndsReading) {
    ShrinkingDecoder decoder;
    std::vector<float> buffer(100);
    ASSERT_EQ(decoder.read(buffer.data(), 60), 60u);
    EXPECT_EQ(decoder.read(buffer.data(), 10), 0u);
    EXPECT_EQ(decoder.frames(), 40u);
}

}  // namespace
}  // namespace audiotest

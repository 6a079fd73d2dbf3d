#include <sndfile.h>

#include <QFile>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

struct Format {
    const char* name;
    int format;  // 0: the shipped layer II file
};

class BassFormatTest : public BassTest, public ::testing::WithParamInterface<Format> {
  protected:
    QString fixture() {
        if (GetParam().format == 0) return dataFile("tone-1k.mp2");
        return writeTone(dir.file(QString("tone.") + GetParam().name), GetParam().format, {});
    }
};

TEST_P(BassFormatTest, OpensAndPlaysToTheEnd) {
    const HSTREAM stream = openStream(fixture());
    ASSERT_NE(stream, 0u);
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(bass.BASS_ChannelGetInfo(stream, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);
    EXPECT_EQ(info.flags, BASS_SAMPLE_FX | BASS_UNICODE);
    const QWORD length = bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE);
    EXPECT_NEAR(bass.BASS_ChannelBytes2Seconds(stream, length), 1.0, 0.03);

    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(500);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(22050));
    advance(600);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    const QWORD end = bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE);
    EXPECT_LE(end, length);
    EXPECT_GT(end, length - bytes(1152));
}

INSTANTIATE_TEST_SUITE_P(Formats, BassFormatTest,
                         ::testing::Values(Format{"wav", kWav}, Format{"mp3", kMp3},
                                           Format{"ogg", kOgg}, Format{"mp2", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BassTest, LengthCountsSixteenBitFramesAtTheFileRate) {
    const HSTREAM stream = openStream(
        writeTone(dir.file("mono.wav"), kWav, {.rate = 22050, .channels = 1, .seconds = 2.0}));
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), bytes(44100, 1));
    EXPECT_DOUBLE_EQ(bass.BASS_ChannelBytes2Seconds(stream, bytes(22050, 1)), 1.0);
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, 1), ~QWORD{0});
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(bass.BASS_ChannelGetInfo(stream, &info));
    EXPECT_EQ(info.freq, 22050u);
    EXPECT_EQ(info.chans, 1u);
    // Played through the 44.1 kHz output, a second of output is a second of the file.
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(1000);
    EXPECT_NEAR(static_cast<double>(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE)),
                static_cast<double>(bytes(22050, 1)), 4.0);
}

TEST_F(BassTest, ThreeMinutesPlayToTheEndInOneAdvance) {
    const HSTREAM stream =
        openStream(writeTone(dir.file("long.wav"), kWav, {.channels = 1, .seconds = 180.0}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(200000);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(180 * 44100, 1));
    // Playing an ended channel on from where it is ends again at once.
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    // A restart plays it from the beginning.
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, true));
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(4410, 1));
}

TEST_F(BassTest, PauseKeepsThePositionAndStaysActive) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {.seconds = 2.0}));
    ASSERT_FALSE(bass.BASS_ChannelPause(stream));  // not playing yet
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_NOPLAY);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(300);
    ASSERT_TRUE(bass.BASS_ChannelPause(stream));
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PAUSED);
    advance(5000);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PAUSED);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(13230));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(13230 + 4410));
}

TEST_F(BassTest, StopKeepsThePositionAndPlayGoesOnFromIt) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {.seconds = 2.0}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(200);
    ASSERT_TRUE(bass.BASS_ChannelStop(stream));
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    advance(1000);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(8820));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(8820 + 4410));
}

class BassSeekTest : public BassTest, public ::testing::WithParamInterface<int> {};

// After a seek the output plays exactly the frames the file has there.
TEST_P(BassSeekTest, SeekLandsOnTheExactFrame) {
    const QString path = dir.file("seek.file");
    writeTone(path, GetParam(), {.seconds = 3.0, .hz = 440.0, .amplitude = 0.4});
    const std::vector<float> reference = decodeAll(path);
    const HSTREAM stream = openStream(path);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(300);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(77777), BASS_POS_BYTE));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(77777));
    advance(100);
    const std::uint64_t at = 77777 + 4410;
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(at));
    const std::vector<float> samples = played(stream, 1000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        ASSERT_NEAR(samples[i], reference[2 * (at - 1000) + i], 1e-6) << i;
}

INSTANTIATE_TEST_SUITE_P(Formats, BassSeekTest, ::testing::Values(kWav, kMp3, kOgg));

TEST_F(BassTest, SeekOutsideTheStreamFailsAndKeepsThePosition) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);
    EXPECT_FALSE(bass.BASS_ChannelSetPosition(stream, bytes(44101), BASS_POS_BYTE));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_POSITION);
    EXPECT_FALSE(bass.BASS_ChannelSetPosition(stream, 0, 1));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(4410));
    // Seeking an ended channel moves it without playing it again.
    advance(1000);
    ASSERT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, bytes(100), BASS_POS_BYTE));
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(100));
}

TEST_F(BassTest, FreeOfTheOtherKindDoesNothing) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    const HMUSIC music = openMusic(dir.write("tiny.mod", tinyModule()));
    ASSERT_NE(music, 0u);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    ASSERT_TRUE(bass.BASS_ChannelPlay(music, false));
    EXPECT_FALSE(bass.BASS_MusicFree(stream));
    EXPECT_FALSE(bass.BASS_StreamFree(music));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(bass.BASS_ChannelIsActive(music), BASS_ACTIVE_PLAYING);
    EXPECT_TRUE(bass.BASS_StreamFree(stream));
    EXPECT_TRUE(bass.BASS_MusicFree(music));
    EXPECT_FALSE(bass.BASS_StreamFree(0));
    EXPECT_FALSE(bass.BASS_MusicFree(0));
}

TEST_F(BassTest, EveryCallOnAFreedHandleFailsQuietly) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    const HFX fx = bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_REVERB, 0);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);
    const std::size_t before = heard.size();
    ASSERT_TRUE(bass.BASS_StreamFree(stream));
    advance(100);
    EXPECT_EQ(heard.size(), before);  // nothing left to play

    for (const DWORD handle : {stream, DWORD{0}, DWORD{12345}}) {
        float data[1024];
        BASS_CHANNELINFO info{};
        BASS_DX8_REVERB reverb{};
        EXPECT_FALSE(bass.BASS_ChannelPlay(handle, false));
        EXPECT_FALSE(bass.BASS_ChannelPause(handle));
        EXPECT_FALSE(bass.BASS_ChannelStop(handle));
        EXPECT_EQ(bass.BASS_ChannelIsActive(handle), BASS_ACTIVE_STOPPED);
        EXPECT_EQ(bass.BASS_ChannelGetPosition(handle, BASS_POS_BYTE), ~QWORD{0});
        EXPECT_EQ(bass.BASS_ChannelGetLength(handle, BASS_POS_BYTE), ~QWORD{0});
        EXPECT_FALSE(bass.BASS_ChannelSetPosition(handle, 0, BASS_POS_BYTE));
        EXPECT_LT(bass.BASS_ChannelBytes2Seconds(handle, 100), 0.0);
        EXPECT_EQ(bass.BASS_ChannelGetData(handle, data, BASS_DATA_FFT2048), ~DWORD{0});
        EXPECT_FALSE(bass.BASS_ChannelGetInfo(handle, &info));
        EXPECT_EQ(bass.BASS_ChannelSetFX(handle, BASS_FX_DX8_PARAMEQ, 0), 0u);
        EXPECT_FALSE(bass.BASS_FXGetParameters(fx, &reverb));
        EXPECT_FALSE(bass.BASS_FXSetParameters(fx, &reverb));
        EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    }
}

TEST_F(BassTest, TwoChannelsPlayMixedTogether) {
    const HSTREAM a = openStream(writeTone(dir.file("a.wav"), kWav, {.amplitude = 0.25}));
    const HSTREAM b = openStream(writeTone(dir.file("b.wav"), kWav, {.amplitude = 0.25}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(a, false));
    ASSERT_TRUE(bass.BASS_ChannelPlay(b, false));
    advance(100);
    EXPECT_NEAR(rms(heard.data(), heard.size()), 0.5 / std::sqrt(2.0), 0.01);
}

// Each channel of a 5.1 file is heard where its speaker is: on its side, the
// centre on both, the low-frequency channel not at all.
TEST_F(BassTest, SurroundChannelsPlayOnTheirSpeakersSides) {
    struct Fixture {
        int format;
        const char* extension;
        const char* sides[6];
    };
    const Fixture fixtures[] = {
        {kOgg, "ogg", {"L", "LR", "R", "L", "R", ""}},  // FL FC FR RL RR LFE
        {kWav, "wav", {"L", "R", "LR", "", "L", "R"}},  // FL FR FC LFE BL BR
    };
    for (const Fixture& fixture : fixtures) {
        for (int c = 0; c < 6; ++c) {
            SCOPED_TRACE(QString("%1 channel %2").arg(fixture.extension).arg(c).toStdString());
            const QString path =
                writeTone(dir.file(QString("c%1.%2").arg(c).arg(fixture.extension)), fixture.format,
                          {.channels = 6, .onlyChannel = c});
            const HSTREAM stream = openStream(path);
            ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
            heard.clear();
            advance(300);
            std::vector<float> sides[2];
            for (std::size_t i = 0; i < heard.size(); ++i)
                sides[i % 2].push_back(heard[i]);
            const std::string expected = fixture.sides[c];
            for (int side = 0; side < 2; ++side) {
                const double level = rms(sides[side].data(), sides[side].size());
                if (expected.find("LR"[side]) != std::string::npos)
                    EXPECT_GT(level, 0.05) << "LR"[side];
                else
                    EXPECT_LT(level, 0.01) << "LR"[side];
            }
            bass.BASS_StreamFree(stream);
        }
    }
}

}  // namespace
}  // namespace audiotest

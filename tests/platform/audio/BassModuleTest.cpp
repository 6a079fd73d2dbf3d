#include <algorithm>
#include <cmath>

#include "AudioTestSupport.h"
#include "support/MpegFrames.h"

namespace audiotest {
namespace {

// Sixteen rows at speed 6 and 125 BPM: 16 * 6 * 20 ms.
constexpr double kModuleSeconds = 1.92;

TEST_F(BassTest, ModuleLoadsAsMusicButNotAsAStream) {
    const QString path = dir.write("tiny.mod", tinyModule());
    EXPECT_EQ(openStream(path), 0u);
    const HMUSIC music = openMusic(path);
    ASSERT_NE(music, 0u);
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(bass.BASS_ChannelGetInfo(music, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);
    const QWORD length = bass.BASS_ChannelGetLength(music, BASS_POS_BYTE);
    EXPECT_NEAR(bass.BASS_ChannelBytes2Seconds(music, length), kModuleSeconds, 0.01);
}

// MPEG frames in its sample data do not make it an MPEG stream, whatever its name.
TEST_F(BassTest, ModuleWithMpegFramesInItsSampleIsNoStream) {
    const QByteArray sample = QByteArray(64, '\x40') + testsupport::mpegFrames({{.frames = 40}});
    const QString path = dir.write("module.mp3", tinyModule(sample));
    EXPECT_EQ(openStream(path), 0u);
    const HMUSIC music = openMusic(path);
    ASSERT_NE(music, 0u);
    const QWORD length = bass.BASS_ChannelGetLength(music, BASS_POS_BYTE);
    EXPECT_NEAR(bass.BASS_ChannelBytes2Seconds(music, length), kModuleSeconds, 0.01);
}

TEST_F(BassTest, ModulePlaysToTheEndWithEffects) {
    const HMUSIC music = openMusic(dir.write("tiny.mod", tinyModule()));
    const BASS_DX8_PARAMEQ band{300, 18, 6};
    ASSERT_TRUE(
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(music, BASS_FX_DX8_PARAMEQ, 0), &band));
    ASSERT_TRUE(bass.BASS_ChannelPlay(music, false));
    advance(500);
    EXPECT_EQ(bass.BASS_ChannelIsActive(music), BASS_ACTIVE_PLAYING);
    const std::vector<float> bins = spectrum(music);
    EXPECT_GT(*std::max_element(bins.begin() + 1, bins.end()), 0.05f);
    advance(2000);
    EXPECT_EQ(bass.BASS_ChannelIsActive(music), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(bass.BASS_MusicFree(music));
}

TEST_F(BassTest, ModuleSeeksToTheExactFrame) {
    const HMUSIC music = openMusic(dir.write("tiny.mod", tinyModule()));
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(music, bytes(30000), BASS_POS_BYTE));
    ASSERT_TRUE(bass.BASS_ChannelPlay(music, false));
    advance(100);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(music, BASS_POS_BYTE), bytes(34410));
}

TEST_F(BassTest, ModuleRendersAtTheRateAsked) {
    const QString path = dir.write("tiny.mod", tinyModule());
    const HMUSIC music = bass.BASS_MusicLoad(false, path.utf16(), 0, 0, BASS_UNICODE, 22050);
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(bass.BASS_ChannelGetInfo(music, &info));
    EXPECT_EQ(info.freq, 22050u);
    EXPECT_NEAR(
        bass.BASS_ChannelBytes2Seconds(music, bass.BASS_ChannelGetLength(music, BASS_POS_BYTE)),
        kModuleSeconds, 0.01);
}

// With ramping the note fades in over a few samples instead of starting at full level.
TEST_F(BassTest, RampingSoftensTheNoteOnset) {
    const QString path = dir.write("tiny.mod", tinyModule());
    auto onset = [&](DWORD flags) {
        const HMUSIC music = openMusic(path, flags);
        EXPECT_TRUE(bass.BASS_ChannelPlay(music, false));
        advance(1);  // 44 frames
        const std::vector<float> first = played(music, 44);
        bass.BASS_MusicFree(music);
        return std::fabs(first[2]);  // second frame, left
    };
    const float hard = onset(0);
    const float soft = onset(BASS_MUSIC_RAMP);
    EXPECT_GT(hard, 0.05f);
    EXPECT_LT(soft, hard * 0.8f);
}

}  // namespace
}  // namespace audiotest

#include <algorithm>
#include <cmath>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

float peak(const std::vector<float>& samples, std::size_t from) {
    float most = 0.0f;
    for (std::size_t i = from; i < samples.size(); ++i)
        most = std::max(most, std::fabs(samples[i]));
    return most;
}

TEST(BassSetup, CallsBeforeInitFailQuietly) {
    ui::ManualClock clock;
    Bass bass(clock);
    EXPECT_EQ(bass.BASS_StreamCreateFile(false, "x.wav", 0, 0, 0), 0u);
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(bass.BASS_MusicLoad(false, "x.mod", 0, 0, 0, 0), 0u);
    EXPECT_FALSE(bass.BASS_ChannelPlay(1, false));
    EXPECT_EQ(bass.BASS_ChannelIsActive(1), BASS_ACTIVE_STOPPED);
    EXPECT_FALSE(bass.BASS_Free());
    EXPECT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 5000));
}

TEST(BassSetup, InitRefusesUnknownDevicesAndRates) {
    ui::ManualClock clock;
    Bass bass(clock);
    EXPECT_FALSE(bass.BASS_Init(3, 44100, 0, 0, nullptr));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(bass.BASS_Init(-1, 0, 0, 0, nullptr));
    EXPECT_TRUE(bass.BASS_Init(0, 48000, 0, 0, nullptr));
    EXPECT_FALSE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_TRUE(bass.BASS_Free());
    EXPECT_FALSE(bass.BASS_Free());
    EXPECT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
}

TEST_F(BassTest, FreeInvalidatesEveryHandleAndNewOnesDiffer) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {});
    const HSTREAM stream = openStream(path);
    const HFX fx = bass.BASS_ChannelSetFX(stream, BASS_FX_DX8_PARAMEQ, 0);
    ASSERT_NE(stream, 0u);
    ASSERT_NE(fx, 0u);
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    advance(100);

    ASSERT_TRUE(bass.BASS_Free());
    ASSERT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    BASS_DX8_PARAMEQ band{};
    EXPECT_FALSE(bass.BASS_ChannelPlay(stream, false));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), ~QWORD{0});
    EXPECT_EQ(bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE), ~QWORD{0});
    EXPECT_FALSE(bass.BASS_FXGetParameters(fx, &band));
    EXPECT_FALSE(bass.BASS_StreamFree(stream));

    const HSTREAM again = openStream(path);
    EXPECT_NE(again, 0u);
    EXPECT_NE(again, stream);
    EXPECT_NE(again, fx);
}

TEST_F(BassTest, GlobalVolumeScalesOutputAndSurvivesReinit) {
    const QString path = writeTone(dir.file("a.wav"), kWav, {.amplitude = 0.5});
    ASSERT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 5000));
    ASSERT_TRUE(bass.BASS_ChannelPlay(openStream(path), false));
    advance(200);
    EXPECT_NEAR(peak(heard, heard.size() / 2), 0.25f, 0.01f);

    ASSERT_TRUE(bass.BASS_Free());
    ASSERT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    heard.clear();
    ASSERT_TRUE(bass.BASS_ChannelPlay(openStream(path), false));
    advance(200);
    EXPECT_NEAR(peak(heard, 0), 0.25f, 0.01f);

    // Changes while playing glide in rather than jump.
    ASSERT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 0));
    const std::size_t from = heard.size();
    advance(100);
    EXPECT_LT(peak(heard, from + 2 * 2048), 1e-6f);
    EXPECT_GT(peak(heard, from), 0.1f);
}

TEST_F(BassTest, SetConfigRefusesUnknownOptionsAndLoudness) {
    EXPECT_FALSE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 10001));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    EXPECT_FALSE(bass.BASS_SetConfig(99, 1));
    EXPECT_EQ(bass.BASS_GetConfig(BASS_CONFIG_GVOL_STREAM), 10000u)
        << "a refused value changes nothing";
    EXPECT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 3700));
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_OK);
    EXPECT_EQ(bass.BASS_GetConfig(BASS_CONFIG_GVOL_STREAM), 3700u);
    EXPECT_EQ(bass.BASS_GetConfig(99), ~DWORD{0});
    EXPECT_EQ(bass.BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST_F(BassTest, ClockedOutputConsumesNothingUntilTheClockMoves) {
    const HSTREAM stream = openStream(writeTone(dir.file("a.wav"), kWav, {}));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), 0u);
    advance(300);
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE), bytes(13230));
    EXPECT_EQ(heard.size(), 2u * 13230);
}

}  // namespace
}  // namespace audiotest

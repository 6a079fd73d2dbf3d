#include <gtest/gtest.h>

#include "app/PlenkApp.h"
#include "core/MCore.h"
#include "platform/media/TestBackend.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

class MCoreTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    MCore& mci = p.app->module<MCore>();
    int frame = p.form<Main>().FrameVideo(0).hWnd();
    QString video = p.program.write("clip one.mpg", "x");
    QString sound = p.program.write("song.wma", "x");

    void SetUp() override {
        p.media().addMedium(video.toStdString(), {30000, 25, QSize(320, 240)});
        p.media().addMedium(sound.toStdString(), {245320, 25, std::nullopt});
    }
    std::vector<std::string> sent() {
        auto commands = p.media().commands();
        p.media().clearCommands();
        return commands;
    }
    void open(const QString& path) {
        ASSERT_EQ(mci.OpenMedia(frame, "movie", path, "MPEGVideo"), "Success");
        sent();
    }
};

TEST_F(MCoreTest, OpenSendsTheShortPathTypeAliasParentAndChildStyle) {
    EXPECT_EQ(mci.OpenMedia(frame, "movie", video, "MPEGVideo"), "Success");
    EXPECT_EQ(sent(), std::vector<std::string>{
                          QString("open %1 type MPEGVideo Alias movie parent %2 Style 1073741824")
                              .arg(video)
                              .arg(frame)
                              .toStdString()});
}

TEST_F(MCoreTest, OpeningAMissingFileSendsAnEmptyPathAndGivesTheErrorText) {
    const QString result = mci.OpenMedia(frame, "movie", p.program.file("gone.avi"), "MPEGVideo");
    EXPECT_NE(result, "Success");
    EXPECT_FALSE(result.isEmpty());
    EXPECT_EQ(sent()[0], QString("open  type MPEGVideo Alias movie parent %1 Style 1073741824")
                             .arg(frame)
                             .toStdString());
}

TEST_F(MCoreTest, PlayWithEmptyPositionsPlaysTheWholeMediumAndHandsBackTheSubstitutes) {
    open(video);
    QString from, to;
    EXPECT_EQ(mci.PlayMedia("movie", from, to), "Success");
    EXPECT_EQ(from, "0");
    EXPECT_EQ(to, "750");
    EXPECT_EQ(sent(),
              (std::vector<std::string>{"set movie time format frames", "status movie length",
                                        "play movie from 0 to 750"}));
    QString a = "25", b = "50";
    mci.PlayMedia("movie", a, b);
    EXPECT_EQ(sent(), std::vector<std::string>{"play movie from 25 to 50"});
}

TEST_F(MCoreTest, QueriesReadLengthsRatesPositionsSpeedAndMode) {
    open(video);
    EXPECT_EQ(mci.GetTotalMilliseconds("movie"), 30000);
    EXPECT_EQ(sent(), (std::vector<std::string>{"set movie time format ms", "status movie length",
                                                "set movie time format frames"}));
    EXPECT_EQ(mci.GetFramesPerSecond("movie"), 25);
    EXPECT_EQ(mci.GetTotalFrames("movie"), 750);
    EXPECT_EQ(mci.GetPlaybackSpeed("movie"), 100);
    EXPECT_EQ(mci.GetMediaMode("movie"), "stopped");
    EXPECT_EQ(mci.GetCurrentPosition("movie"), 0);
    EXPECT_EQ(mci.GetPercentPlayed("movie"), 0);
    EXPECT_EQ(mci.GetVideoSize("movie", "CX"), 320);
    EXPECT_EQ(mci.GetVideoSize("movie", "cy"), 240);
    std::int32_t width = 100, height = 80;
    mci.PutVideoWindow(frame, "movie", 1, 1, width, height);
    EXPECT_EQ(mci.GetVideoSize("movie", "cy"), 80);
    EXPECT_EQ(mci.GetSourceSize("movie"), QSize(320, 240)) << "the picture's own, not the window's";
    sent();
    EXPECT_EQ(mci.GetVideoSize("movie", "x"), -1);
    EXPECT_TRUE(sent().empty());
}

TEST_F(MCoreTest, FailedQueriesGiveMinusOneOrError) {
    EXPECT_EQ(mci.GetTotalFrames("movie"), -1);
    EXPECT_EQ(mci.GetFramesPerSecond("movie"), -1);
    EXPECT_EQ(mci.GetPercentPlayed("movie"), -1);
    EXPECT_EQ(mci.GetMediaMode("movie"), "ERROR");
    EXPECT_EQ(mci.GetPlaybackSpeed("movie"), -1);
    EXPECT_EQ(mci.GetVideoSize("movie", "cx"), -1);
    open(sound);
    EXPECT_EQ(mci.GetVideoSize("movie", "cx"), -1) << "a medium without picture has no size";
    EXPECT_EQ(mci.GetSourceSize("movie"), QSize(-1, -1));
    EXPECT_NE(mci.PauseMedia("nothing"), "Success");
}

TEST_F(MCoreTest, PercentAndPositionFollowPlayback) {
    open(video);
    QString from, to;
    mci.PlayMedia("movie", from, to);
    p.clock->advance(12000);
    EXPECT_EQ(mci.GetCurrentPosition("movie"), 300);
    EXPECT_EQ(mci.GetPercentPlayed("movie"), 40);
    EXPECT_EQ(mci.GetMediaMode("movie"), "playing");
    EXPECT_EQ(mci.SeekAndPlay("movie", 700), "Success");
    p.clock->advance(3000);
    EXPECT_EQ(mci.GetMediaMode("movie"), "stopped");
    EXPECT_EQ(mci.GetPercentPlayed("movie"), 100);
}

TEST_F(MCoreTest, SeekSendsSeekThenPlayAndReportsTheSeek) {
    open(video);
    EXPECT_NE(mci.SeekAndPlay("movie", 99999), "Success");
    EXPECT_EQ(sent(), (std::vector<std::string>{"seek movie to 99999", "Play movie"}));
}

TEST_F(MCoreTest, VolumeIsTimesTenWithOrWithoutAChannel) {
    open(video);
    EXPECT_EQ(mci.SetMediaVolume("movie", "all", 100), "Success");
    EXPECT_EQ(mci.SetMediaVolume("movie", "Left", 57), "Success");
    EXPECT_EQ(mci.SetMediaVolume("movie", "all", 101), "out of volume");
    EXPECT_EQ(mci.SetMediaVolume("movie", "all", -1), "out of volume");
    EXPECT_EQ(sent(), (std::vector<std::string>{"setaudio movie Volume to 1000",
                                                "setaudio movie Left Volume to 570"}));
    EXPECT_EQ(p.media().state(video.toStdString())->leftVolume, 570);
}

TEST_F(MCoreTest, PutTakesTheWindowsOuterSizeWhenASideIsZero) {
    open(video);
    Main& m = p.form<Main>();
    m.FrameVideo(0).Move(0, 0, 4800, 3600);
    std::int32_t w = 0, h = 100;
    EXPECT_EQ(mci.PutVideoWindow(frame, "movie", 1, 1, w, h), "Success");
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
    EXPECT_EQ(sent(), std::vector<std::string>{"put movie window at 1 1 320 240"});
    EXPECT_EQ(p.media().state(video.toStdString())->window, QRect(1, 1, 320, 240));
}

TEST_F(MCoreTest, CloseAndCloseAll) {
    open(video);
    EXPECT_EQ(mci.CloseMedia("movie"), "Success");
    EXPECT_NE(mci.CloseMedia("movie"), "Success");
    open(video);
    EXPECT_EQ(mci.CloseAllMedia(), "Success");
    EXPECT_EQ(sent(), std::vector<std::string>{"Close All"});
}

TEST_F(MCoreTest, DriverEntriesLiveInAPrivateSystemIni) {
    EXPECT_EQ(mci.ReadMciDriver("waveaudio"), "None");
    mci.WriteMciDriver("waveaudio", "mciwave.drv");
    EXPECT_EQ(mci.ReadMciDriver("WaveAudio"), "mciwave.drv");
    EXPECT_TRUE(QFile::exists(p.settings.file("system.ini")));
}

}  // namespace

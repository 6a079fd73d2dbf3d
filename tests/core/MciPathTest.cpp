#include <gtest/gtest.h>

#include "core/ClsMain.h"
#include "playlist/MediaLibrary.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

class MciPath : public ::testing::Test {
  protected:
    PlayerFixture p;
    Main& m = p.form<Main>();
    MediaLibrary& lib = p.form<MediaLibrary>();
    testsupport::EndCounter ctl{*p.app};
    QString video = p.program.write("clip.mpg", "x");

    void SetUp() override {
        p.media().addMedium(video.toStdString(), {30000, 25, QSize(320, 240)});
    }

    std::vector<std::string> sent() {
        auto commands = p.media().commands();
        p.media().clearCommands();
        return commands;
    }
    // Plays the video with the main window's own progress tick off, so the
    // test's controller runs the ticks.
    void playVideo() {
        m.LbFileName(0).setCaption(video);
        p.form<DataForm>().FromPlaylist.setCaption("False");
        ctl.Play();
        m.TimerMisc(0).setEnabled(false);
        sent();
    }
    QString result() { return m.LbResult(0).Caption(); }
};

TEST_F(MciPath, PlayOpensLaysOutSetsVolumeAndPlays) {
    m.Volum.setValue(40.0);
    m.LbFileName(0).setCaption(video);
    p.form<DataForm>().FromPlaylist.setCaption("False");
    ctl.Play();
    const auto commands = sent();
    const auto at = [&](const std::string& c) {
        return std::find(commands.begin(), commands.end(), c) - commands.begin();
    };
    EXPECT_LT(at("Where movie destination"), at("setaudio movie Volume to 400"));
    EXPECT_LT(at("setaudio movie Volume to 400"), at("play movie from 0 to 750"));
    EXPECT_EQ(commands.back(), "play movie from 0 to 750");
    EXPECT_EQ(m.LbActualCx(0).Caption(), "320");
    EXPECT_EQ(lib.LbFramesPerSecond(0).Caption(), "25");
    EXPECT_EQ(lib.LbTotalFrames(0).Caption(), "750");
    EXPECT_EQ(lib.LbTotalTime(0).Caption(), "30");
    EXPECT_EQ(m.LbCurrentRate(0).Caption(), "100 %");
    EXPECT_EQ(m.SliderMoveMultimedia(0).max(), 15.0);
    EXPECT_EQ(m.TotalTime.Caption(), "00:30") << "the length the media engine reported";
    EXPECT_TRUE(m.TimerMisc(0).Enabled());
    EXPECT_EQ(result(), "Result calling Function is : Success");
    EXPECT_EQ(m.txtFrom(0).Text(), "") << "the play range's substitutes stay local";
    EXPECT_EQ(m.TxtTo(0).Text(), "");
}

TEST_F(MciPath, AMediumWithoutLengthKeepsTheRateAndTheSeekRange) {
    const QString empty = p.program.write("empty.mpg", "x");
    p.media().addMedium(empty.toStdString(), {0, 25, QSize(320, 240)});
    for (const char* before : {"-1", "0", "30"}) {
        lib.LbFramesPerSecond(0).setCaption(before);
        m.SliderMoveMultimedia(0).setMax(7.0);
        m.LbFileName(0).setCaption(empty);
        p.form<DataForm>().FromPlaylist.setCaption("False");
        ctl.Play();
        EXPECT_EQ(lib.LbFramesPerSecond(0).Caption(), before);
        const double range = QString(before) == "30" ? 0.0 : 7.0;
        EXPECT_EQ(m.SliderMoveMultimedia(0).max(), range) << "rate " << before;
    }
}

TEST_F(MciPath, ProgressTickShowsPositionTimeSliderPercentAndEndsOnce) {
    playVideo();
    p.clock->advance(30000 - 0);
    ctl.TimerMixF();
    EXPECT_EQ(m.LbCurrPos(0).Caption(), "750");
    EXPECT_EQ(lib.LbCurrentTime(0).Caption(), "30");
    EXPECT_EQ(m.SliderMoveMultimedia(0).value(), 15.0);
    EXPECT_EQ(m.LbProgress(0).Caption(), "100 %");
    EXPECT_EQ(m.LbStatus(0).Caption(), "stopped");
    EXPECT_EQ(ctl.ends, 1);
}

TEST_F(MciPath, ProgressHalfWayAndWhileTheSliderIsHeld) {
    playVideo();
    p.clock->advance(12000);
    m.StartMoveSlider.setCaption("True");
    ctl.TimerMixF();
    EXPECT_EQ(m.LbCurrPos(0).Caption(), "300");
    EXPECT_EQ(lib.LbCurrentTime(0).Caption(), "12");
    EXPECT_EQ(m.SliderMoveMultimedia(0).value(), 0.0) << "not moved under the user's hand";
    EXPECT_EQ(m.LbProgress(0).Caption(), "");
    p.clock->advance(30000);
    ctl.TimerMixF();
    EXPECT_EQ(ctl.ends, 0) << "an end meanwhile waits for the slider's release";
    m.StartMoveSlider.setCaption("False");
    ctl.TimerMixF();
    EXPECT_EQ(ctl.ends, 1);
}

TEST_F(MciPath, TheMainWindowsTimerDrivesTheTick) {
    playVideo();
    m.TimerMisc(0).setEnabled(true);
    p.clock->advance(1000);
    EXPECT_EQ(m.LbStatus(0).Caption(), "playing");
    EXPECT_EQ(m.LbCurrPos(0).Caption(), "25");
}

TEST_F(MciPath, PauseTogglesAndAFailedPauseIsNotShownAsPaused) {
    playVideo();
    ctl.Pause();
    EXPECT_EQ(m.LbStatus(0).Caption(), "paused");
    EXPECT_EQ(sent(), std::vector<std::string>{"Pause movie"});
    ctl.Pause();
    EXPECT_EQ(sent(), std::vector<std::string>{"Resume movie"});
    ctl.SStop();
    sent();
    ctl.Pause();
    EXPECT_NE(m.LbStatus(0).Caption(), "paused");
    EXPECT_NE(result(), "Result calling Function is : Success");
}

TEST_F(MciPath, SeekTurnsTheSliderIntoFrames) {
    playVideo();
    m.SliderMoveMultimedia(0).setValue(5);
    ctl.SliderMultimediaChange();
    EXPECT_EQ(sent(), (std::vector<std::string>{"seek movie to 250", "Play movie"}));
    lib.LbFramesPerSecond(0).setCaption("not a rate");
    ctl.SliderMultimediaChange();
    EXPECT_EQ(sent()[0], "seek movie to 250") << "an unreadable rate keeps the previous target";
    lib.LbFramesPerSecond(0).setCaption("0");
    ctl.SliderMultimediaChange();
    EXPECT_TRUE(sent().empty()) << "an unknown rate sends no seek";
}

TEST_F(MciPath, SeekOfThirtyUnitsAtTwentyFiveFramesGoesToFrame1500) {
    lib.LbFramesPerSecond(0).setCaption("25");
    m.SliderMoveMultimedia(0).setMax(100);
    m.SliderMoveMultimedia(0).setValue(30.0);
    ctl.SliderMultimediaChange();
    EXPECT_EQ(sent()[0], "seek movie to 1500");
}

TEST_F(MciPath, VolumeFollowsTheSlidersWholeValue) {
    playVideo();
    m.Volum.setValue(57.6);
    ctl.ChangeVolume();
    m.Volum.setValue(56.4);
    ctl.ChangeVolume();
    EXPECT_EQ(sent(), (std::vector<std::string>{"setaudio movie Volume to 580",
                                                "setaudio movie Volume to 560"}));
}

TEST_F(MciPath, CdDoorCommandsShowNoResult) {
    m.LbResult(0).setCaption("before");
    ctl.SetCDState(true);
    ctl.SetCDState(false);
    EXPECT_EQ(sent(),
              (std::vector<std::string>{"Set CDAudio Door Open", "Set CDAudio Door Closed"}));
    EXPECT_EQ(result(), "before");
}

TEST_F(MciPath, VideoIsPlacedOnePixelInAtTheFramesSize) {
    playVideo();
    m.FrameVideo(0).Move(120, 370, 4800, 3600);
    ctl.ResizeTheVideo();
    EXPECT_EQ(sent()[0], "put movie window at 1 1 320 240");
    EXPECT_EQ(m.LbCurrentCx(0).Caption(), "320");
    EXPECT_EQ(m.LbCurrentCy(0).Caption(), "240");
    ctl.SStop();
    m.LbCurrentCx(0).setCaption("kept");
    ctl.ResizeTheVideo();
    EXPECT_EQ(m.LbCurrentCx(0).Caption(), "kept") << "a failed placement leaves the size labels";
}

}  // namespace

#include <gtest/gtest.h>

#include <QWidget>
#include <cstring>
#include <string>
#include <vector>

#include "MciTestSupport.h"
#include "platform/clock/Clock.h"
#include "platform/media/Mci.h"
#include "platform/media/TestBackend.h"
#include "platform/ui/VideoWindow.h"

namespace {

using media::code;
using media::MciError;

constexpr const char* kClip = "/media/home videos/clip one.avi";
constexpr const char* kSong = "/media/song.wma";

class MciFront : public ::testing::Test {
  protected:
    void SetUp() override {
        handle_ = windows_.add(&frame_);
        backend().addMedium(kClip, {2000, 25, QSize(160, 120)});
        backend().addMedium(kSong, {3000, 30, std::nullopt});
    }
    media::TestBackend& backend() { return *mci_.testBackend(); }
    mcitest::Sent send(const std::string& command) { return mcitest::send(mci_, command); }
    std::string modeAndPosition() { return mcitest::modeAndPosition(mci_); }
    std::string reply(const std::string& command) {
        const mcitest::Sent sent = send(command);
        EXPECT_EQ(sent.code, 0u) << command;
        return sent.reply;
    }
    std::string openCommand(const std::string& path) {
        return "open " + path + " type MPEGVideo Alias movie parent " + std::to_string(handle_) +
               " Style 1073741824";
    }
    void openClipInFrames() {
        ASSERT_EQ(send(openCommand(kClip)).code, 0u);
        ASSERT_EQ(send("set movie time format frames").code, 0u);
    }
    std::string errorText(std::uint32_t value) {
        char text[128];
        mci_.mciGetErrorStringA(value, text, sizeof text);
        return text;
    }

    ui::ManualClock clock_;
    ui::WindowHandles windows_;
    ui::WidgetVideoHost videos_{windows_};
    QWidget frame_;
    int handle_ = 0;
    media::Mci mci_{media::Mci::Backend::Test, videos_, clock_};
};

TEST_F(MciFront, OpensByAliasAndRecordsEveryCommandByteForByte) {
    const std::string open = openCommand(kClip);
    EXPECT_EQ(send(open).code, 0u);
    EXPECT_EQ(send("status MOVIE mode").reply, "stopped");
    EXPECT_EQ(send(open).code, code(MciError::DuplicateAlias));
    EXPECT_EQ(backend().commands(), (std::vector<std::string>{open, "status MOVIE mode", open}));
    const media::TestMediumState* state = backend().state(kClip);
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(state->open);
    EXPECT_EQ(state->parent, handle_);
}

TEST_F(MciFront, CountsInMillisecondsUntilToldFrames) {
    ASSERT_EQ(send(openCommand(kClip)).code, 0u);
    EXPECT_EQ(reply("status movie length"), "2000");
    EXPECT_EQ(reply("set movie time format frames"), "");
    EXPECT_EQ(reply("status movie length"), "50");
    EXPECT_EQ(reply("set movie time format ms"), "");
    EXPECT_EQ(reply("status movie length"), "2000");
    EXPECT_EQ(reply("status movie speed"), "1000");
}

TEST_F(MciFront, PlaysOnTheClockAndHoldsTheEndOfTheRange) {
    openClipInFrames();
    EXPECT_EQ(reply("play movie from 0 to 50"), "");
    EXPECT_EQ(reply("status movie mode"), "playing");
    clock_.advance(1000);
    EXPECT_EQ(reply("status movie position"), "25");
    clock_.advance(1500);
    EXPECT_EQ(modeAndPosition(), "stopped 50");

    EXPECT_EQ(reply("play movie from 10 to 20"), "");
    clock_.advance(1000);
    EXPECT_EQ(modeAndPosition(), "stopped 20");
}

TEST_F(MciFront, EmptyRangeValuesMeanTheWholeMedium) {
    openClipInFrames();
    EXPECT_EQ(reply("play movie from  to "), "");
    clock_.advance(1999);
    EXPECT_EQ(reply("status movie mode"), "playing");
    clock_.advance(1);
    EXPECT_EQ(reply("status movie mode"), "stopped");
    EXPECT_EQ(send("play movie from 0 to 51").code, code(MciError::OutOfRange));
    EXPECT_EQ(send("play movie from 30 to 20").code, code(MciError::OutOfRange));
}

TEST_F(MciFront, PauseResumeAndStopHoldThePosition) {
    openClipInFrames();
    reply("play movie from 0 to 50");
    clock_.advance(400);
    reply("Pause movie");
    clock_.advance(1000);
    EXPECT_EQ(modeAndPosition(), "paused 10");
    reply("Resume movie");
    clock_.advance(400);
    EXPECT_EQ(modeAndPosition(), "playing 20");
    reply("Stop movie");
    clock_.advance(400);
    EXPECT_EQ(modeAndPosition(), "stopped 20");
    // Play without a range goes on from where it stopped, to the end.
    reply("Play movie");
    clock_.advance(1200);
    EXPECT_EQ(modeAndPosition(), "stopped 50");
    // Resume and pause out of turn change nothing.
    reply("Resume movie");
    reply("Pause movie");
    EXPECT_EQ(reply("status movie mode"), "stopped");
}

TEST_F(MciFront, SeekThenPlayGoesOnFromTheTarget) {
    openClipInFrames();
    reply("play movie from 0 to 50");
    EXPECT_EQ(reply("seek movie to 25"), "");
    EXPECT_EQ(modeAndPosition(), "stopped 25");
    reply("Play movie");
    clock_.advance(600);
    EXPECT_EQ(reply("status movie position"), "40");
    EXPECT_EQ(send("seek movie to 51").code, code(MciError::OutOfRange));
    EXPECT_EQ(reply("seek movie to 50"), "");
    reply("Play movie");
    EXPECT_EQ(modeAndPosition(), "stopped 50");
}

TEST_F(MciFront, PutPlacesTheVideoAndWhereGivesItsSize) {
    ASSERT_EQ(send(openCommand(kClip)).code, 0u);
    EXPECT_EQ(reply("Where movie destination"), "0 0 160 120");
    EXPECT_EQ(reply("put movie window at 1 1 320 240"), "");
    EXPECT_EQ(backend().state(kClip)->window, QRect(1, 1, 320, 240));
    EXPECT_EQ(reply("Where movie destination"), "0 0 320 240");
    EXPECT_EQ(reply("where movie SOURCE"), "0 0 160 120") << "the picture keeps its own size";
}

TEST_F(MciFront, SoundOnlyMediaHaveNoWindowAndANominalFrameRate) {
    ASSERT_EQ(send(openCommand(kSong)).code, 0u);
    reply("set movie time format frames");
    EXPECT_EQ(reply("status movie length"), "75");
    EXPECT_EQ(send("Where movie destination").code, code(MciError::NoWindow));
    EXPECT_EQ(send("Where movie source").code, code(MciError::NoWindow));
    EXPECT_EQ(send("put movie window at 1 1 320 240").code, code(MciError::NoWindow));
    EXPECT_EQ(errorText(code(MciError::NoWindow)), "There is no display window.");
}

TEST_F(MciFront, VolumeSetsBothChannelsOrOne) {
    ASSERT_EQ(send(openCommand(kClip)).code, 0u);
    reply("setaudio movie Volume to 580");
    EXPECT_EQ(backend().state(kClip)->leftVolume, 580);
    EXPECT_EQ(backend().state(kClip)->rightVolume, 580);
    reply("setaudio movie left Volume to 200");
    reply("setaudio movie RIGHT Volume to 1000");
    EXPECT_EQ(backend().state(kClip)->leftVolume, 200);
    EXPECT_EQ(backend().state(kClip)->rightVolume, 1000);
    EXPECT_EQ(send("setaudio movie Volume to 1001").code, code(MciError::OutOfRange));
    EXPECT_EQ(backend().state(kClip)->rightVolume, 1000);
}

TEST_F(MciFront, CloseAndCloseAll) {
    EXPECT_EQ(send("Close All").code, 0u);
    ASSERT_EQ(send(openCommand(kClip)).code, 0u);
    ASSERT_EQ(send(std::string("open ") + kSong + " alias song").code, 0u);
    EXPECT_EQ(send("Close movie").code, 0u);
    EXPECT_FALSE(backend().state(kClip)->open);
    EXPECT_EQ(send("Close movie").code, code(MciError::InvalidDeviceName));
    EXPECT_EQ(send("Close All").code, 0u);
    EXPECT_FALSE(backend().state(kSong)->open);
    EXPECT_EQ(send("status song mode").code, code(MciError::InvalidDeviceName));
    // The alias is free again.
    EXPECT_EQ(send(openCommand(kClip)).code, 0u);
}

TEST_F(MciFront, EveryCommandOnAnUnknownAliasFails) {
    for (const char* command :
         {"play movie from 0 to 10", "Pause movie", "Resume movie", "Stop movie", "Close movie",
          "status movie mode", "status movie length", "status movie position", "status movie speed",
          "set movie time format frames", "seek movie to 3", "put movie window at 1 1 2 2",
          "Where movie destination", "setaudio movie Volume to 5", "set movie door open"}) {
        const mcitest::Sent sent = send(command);
        EXPECT_EQ(sent.code, code(MciError::InvalidDeviceName)) << command;
        EXPECT_EQ(sent.reply, "") << command;
    }
    EXPECT_EQ(errorText(code(MciError::InvalidDeviceName)),
              "The specified device is not open or is not recognized by MCI.");
}

TEST_F(MciFront, FailedOpensLeaveNoDevice) {
    backend().addMedium("/media/broken.avi", {1000, 25, QSize(8, 8), MciError::InvalidFile});
    EXPECT_EQ(send(openCommand("/media/missing.avi")).code, code(MciError::FileNotFound));
    EXPECT_EQ(send(openCommand("")).code, code(MciError::FilenameRequired));
    EXPECT_EQ(send(openCommand("/media/broken.avi")).code, code(MciError::InvalidFile));
    EXPECT_EQ(send(std::string("open ") + kClip + " type MPEGVideo alias movie parent 12345").code,
              code(MciError::BadWindowHandle));
    EXPECT_EQ(send(std::string("open ") + kClip + " type hologram alias movie").code,
              code(MciError::UnknownDeviceType));
    EXPECT_EQ(send("status movie mode").code, code(MciError::InvalidDeviceName));
    EXPECT_EQ(send("dance movie").code, code(MciError::UnrecognizedCommand));
    EXPECT_EQ(errorText(code(MciError::FileNotFound)),
              "The specified file cannot be found. Make sure the path and file name are correct.");
}

TEST_F(MciFront, CdDoorNeedsADrive) {
    EXPECT_EQ(send("Set CDAudio Door Open").code, code(MciError::NoCdDrive));
    EXPECT_EQ(send("open cdaudio").code, code(MciError::NoCdDrive));
    backend().setDrivePresent(true);
    EXPECT_EQ(send("Set CDAudio Door Open").code, 0u);
    EXPECT_TRUE(backend().doorOpen());
    EXPECT_EQ(send("Set CDAudio Door Closed").code, 0u);
    EXPECT_FALSE(backend().doorOpen());
    backend().addMedium(media::TestBackend::kCdName, {60000, 25, std::nullopt});
    ASSERT_EQ(send("open cdaudio alias cd").code, 0u);
    EXPECT_EQ(reply("status cd length"), "60000");
    EXPECT_EQ(send("set cd door open").code, 0u);
    EXPECT_TRUE(backend().doorOpen());
    ASSERT_EQ(send(openCommand(kClip)).code, 0u);
    EXPECT_EQ(send("set movie door open").code, code(MciError::UnsupportedFunction));
}

TEST_F(MciFront, RepliesAreCutToTheBufferAndTerminated) {
    ASSERT_EQ(send(openCommand(kClip)).code, 0u);
    char reply[8];
    std::memset(reply, '#', sizeof reply);
    EXPECT_EQ(mci_.mciSendStringA("Where movie destination", reply, 4, 0), 0u);
    EXPECT_STREQ(reply, "0 0");
    EXPECT_EQ(reply[4], '#');
    EXPECT_EQ(mci_.mciSendStringA("status movie mode", nullptr, 0, 0), 0u);
    EXPECT_EQ(mci_.mciSendStringA("status movie mode", reply, 0, 0), 0u);
    EXPECT_EQ(mci_.mciSendStringA(nullptr, reply, sizeof reply, 0), code(MciError::MissingCommand));
    EXPECT_STREQ(reply, "");

    char text[12];
    EXPECT_TRUE(mci_.mciGetErrorStringA(code(MciError::InvalidDeviceName), text, sizeof text));
    EXPECT_STREQ(text, "The specifi");
    EXPECT_TRUE(mci_.mciGetErrorStringA(code(MciError::InvalidDeviceName), nullptr, 0));
    EXPECT_FALSE(mci_.mciGetErrorStringA(99999, text, sizeof text));
    EXPECT_STRNE(text, "");
    EXPECT_EQ(errorText(0), "The specified command was carried out.");
}

TEST_F(MciFront, HugeCommandsAreAnsweredNormally) {
    const std::string path = "/media/" + std::string(10000, 'x') + ".avi";
    EXPECT_EQ(send(openCommand(path)).code, code(MciError::FileNotFound));
    EXPECT_EQ(send("status " + std::string(10000, 'm') + " mode").code,
              code(MciError::InvalidDeviceName));
    EXPECT_EQ(send("play movie " + std::string(10000, 'w')).code,
              code(MciError::UnrecognizedKeyword));
}

}  // namespace

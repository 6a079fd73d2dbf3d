#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "MciTestSupport.h"
#include "platform/clock/Clock.h"
#include "platform/media/Mci.h"
#include "platform/media/MpvBackend.h"
#include "platform/media/MpvDevice.h"
#include "platform/ui/VideoWindow.h"
#include "support/Ffmpeg.h"
#include "support/StandardError.h"
#include "support/TempDir.h"

namespace {

using media::code;
using media::MciError;

class MpvMci : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testsupport::TempDir;
        testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-c:v",
                             "mpeg4", dir_->file("video.avi")});
        testsupport::ffmpeg(
            {"-f", "lavfi", "-i", "sine=frequency=440:duration=1", dir_->file("tone.wav")});
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override {
        if (!QFileInfo::exists(dir_->file("video.avi"))) GTEST_SKIP() << "ffmpeg made no media";
        frame_.resize(640, 480);
        handle_ = windows_.add(&frame_);
    }
    mcitest::Sent send(const std::string& command) { return mcitest::send(mci_, command); }
    std::string modeAndPosition() { return mcitest::modeAndPosition(mci_); }
    std::string path(const char* name) { return dir_->file(name).toStdString(); }
    // Pictures shown in the frame (a closed one stays there hidden).
    qsizetype shownWindows() const {
        const auto children = frame_.findChildren<QWidget*>();
        return std::count_if(children.begin(), children.end(),
                             [](const QWidget* w) { return !w->isHidden(); });
    }
    std::string openCommand(const std::string& file) {
        return "open " + file + " type MPEGVideo Alias movie parent " + std::to_string(handle_) +
               " Style 1073741824";
    }

    static testsupport::TempDir* dir_;
    ui::ManualClock clock_;
    ui::WindowHandles windows_;
    ui::WidgetVideoHost videos_{windows_};
    QWidget frame_;
    int handle_ = 0;
    media::Mci mci_{media::Mci::Backend::Mpv, videos_, clock_};
};

testsupport::TempDir* MpvMci::dir_ = nullptr;

TEST_F(MpvMci, OpensAVideoWithItsLengthRateAndSize) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    EXPECT_EQ(send("status movie length").reply, "2000");
    EXPECT_EQ(send("set movie time format frames").code, 0u);
    EXPECT_EQ(send("status movie length").reply, "50");
    EXPECT_EQ(send("status movie position").reply, "0");
    EXPECT_EQ(send("status movie mode").reply, "stopped");
    EXPECT_EQ(send("status movie speed").reply, "1000");
    EXPECT_EQ(send("Where movie destination").reply, "0 0 160 120");
}

// The media engine's library keeps quiet on a normal run; a file it cannot play
// gives its error through the program's own report, and nothing else.
TEST_F(MpvMci, TheLibraryLeavesTheTerminalQuiet) {
    testsupport::CapturedStandardError terminal;
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    EXPECT_EQ(send("play movie").code, 0u);
    clock_.advance(300);
    EXPECT_EQ(send("Close movie").code, 0u);
    ASSERT_EQ(send("open " + path("tone.wav") + " type MPEGVideo Alias song").code, 0u);
    EXPECT_EQ(send("play song").code, 0u);
    EXPECT_EQ(send("Close song").code, 0u);
    EXPECT_EQ(terminal.text(), QByteArray());

    QFile junk(dir_->file("junk.avi"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    std::mt19937 bytes(7);
    for (int i = 0; i < 4096; ++i)
        junk.putChar(static_cast<char>(bytes()));
    junk.close();
    EXPECT_NE(send(openCommand(path("junk.avi"))).code, 0u);
    for (const QByteArray& line : terminal.text().split('\n')) {
        if (line.isEmpty()) continue;
        EXPECT_TRUE(line.startsWith("plenk-player: media engine: ")) << line.toStdString();
    }
}

TEST_F(MpvMci, PutMovesTheVideoWindowInsideTheParent) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    EXPECT_EQ(send("put movie window at 10 20 320 240").code, 0u);
    EXPECT_EQ(send("Where movie destination").reply, "0 0 320 240");
    const auto children = frame_.findChildren<QWidget*>();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children[0]->geometry(), QRect(10, 20, 320, 240));
    EXPECT_FALSE(children[0]->isHidden());
    EXPECT_EQ(send("Close movie").code, 0u);
    EXPECT_EQ(shownWindows(), 0);
}

TEST_F(MpvMci, PlaysToTheEndOfTheRangeAndStaysThere) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    send("set movie time format frames");
    ASSERT_EQ(send("play movie from 40 wait").code, 0u);
    EXPECT_EQ(modeAndPosition(), "stopped 50");
    ASSERT_EQ(send("play movie from 42 to 46 wait").code, 0u);
    EXPECT_EQ(modeAndPosition(), "stopped 46");
    ASSERT_EQ(send("play movie from 46 wait").code, 0u);
    EXPECT_EQ(send("status movie position").reply, "50");
}

TEST_F(MpvMci, PauseResumeStopAndClose) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    ASSERT_EQ(send("play movie from 0 to 50").code, 0u);
    EXPECT_EQ(send("status movie mode").reply, "playing");
    EXPECT_EQ(send("Pause movie").code, 0u);
    EXPECT_EQ(send("status movie mode").reply, "paused");
    EXPECT_EQ(send("Resume movie").code, 0u);
    EXPECT_EQ(send("status movie mode").reply, "playing");
    EXPECT_EQ(send("Stop movie").code, 0u);
    EXPECT_EQ(send("status movie mode").reply, "stopped");
    EXPECT_EQ(send("Close movie").code, 0u);
    EXPECT_EQ(send("status movie mode").code, code(MciError::InvalidDeviceName));
}

TEST_F(MpvMci, SeekThenPlay) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    send("set movie time format frames");
    EXPECT_EQ(send("seek movie to 25").code, 0u);
    EXPECT_EQ(send("status movie position").reply, "25");
    EXPECT_EQ(send("status movie mode").reply, "stopped");
    EXPECT_EQ(send("Play movie").code, 0u);
    EXPECT_EQ(send("status movie mode").reply, "playing");
    EXPECT_GE(std::stoi(send("status movie position").reply), 25);
    EXPECT_EQ(send("seek movie to 50").code, 0u);
    EXPECT_EQ(send("Play movie").code, 0u);
    EXPECT_EQ(modeAndPosition(), "stopped 50");
    EXPECT_EQ(send("seek movie to 51").code, code(MciError::OutOfRange));
}

TEST_F(MpvMci, SoundOnlyFilesHaveNoWindow) {
    ASSERT_EQ(send(openCommand(path("tone.wav"))).code, 0u);
    EXPECT_EQ(send("Where movie destination").code, code(MciError::NoWindow));
    EXPECT_EQ(send("status movie length").reply, "1000");
    send("set movie time format frames");
    EXPECT_EQ(send("status movie length").reply, "25");
    EXPECT_EQ(shownWindows(), 0);
}

TEST_F(MpvMci, ChannelVolumesKeepPlaying) {
    ASSERT_EQ(send(openCommand(path("tone.wav"))).code, 0u);
    EXPECT_EQ(send("setaudio movie Volume to 500").code, 0u);
    EXPECT_EQ(send("setaudio movie left Volume to 100").code, 0u);
    ASSERT_EQ(send("play movie from 800 wait").code, 0u);
    EXPECT_EQ(modeAndPosition(), "stopped 1000");
}

// The engine cubes its volume: the MCI volume must still scale the amplitude in
// proportion, as the audio engine's does, or video plays far quieter.
TEST_F(MpvMci, VolumeScalesTheAmplitudeInProportion) {
    ASSERT_EQ(send(openCommand(path("tone.wav"))).code, 0u);
    auto* device = dynamic_cast<media::MpvDevice*>(mci_.device("movie"));
    ASSERT_NE(device, nullptr);
    const auto gain = [&] { return std::pow(std::stod(device->propertyText("volume")) / 100, 3); };
    for (const int level : {1000, 800, 370, 8, 0}) {
        ASSERT_EQ(send("setaudio movie Volume to " + std::to_string(level)).code, 0u);
        EXPECT_NEAR(gain(), level / 1000.0, 1e-4) << level;
    }
    ASSERT_EQ(send("setaudio movie right Volume to 500").code, 0u);
    EXPECT_NEAR(gain(), 0.5, 1e-4) << "the louder channel sets the volume";
}

TEST_F(MpvMci, BadFilesFailInBoundedTime) {
    std::mt19937 random(7);
    QByteArray noise(5000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const QByteArray video = testsupport::readAll(dir_->file("video.avi"));
    const std::pair<const char*, QByteArray> files[] = {
        {"noise.avi", noise}, {"empty.avi", {}}, {"list.avi", "video.avi\ntone.wav\n"}};
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(send(openCommand(dir_->write(name, bytes).toStdString())).code,
                  code(MciError::InvalidFile))
            << name;
    }
    QDir(dir_->path()).mkdir("folder.avi");
    EXPECT_EQ(send(openCommand(path("folder.avi"))).code, code(MciError::InvalidFile));
    EXPECT_EQ(send(openCommand("/dev/zero")).code, code(MciError::InvalidFile));
    EXPECT_EQ(send(openCommand(path("missing.avi"))).code, code(MciError::FileNotFound));
    EXPECT_EQ(send(openCommand("")).code, code(MciError::FilenameRequired));
    EXPECT_EQ(send("status movie mode").code, code(MciError::InvalidDeviceName));

    // A cut-off file plays what it has.
    ASSERT_EQ(
        send(openCommand(dir_->write("cut.avi", video.left(video.size() / 2)).toStdString())).code,
        0u);
    const int length = std::stoi(send("status movie length").reply);
    EXPECT_EQ(send("play movie from " + std::to_string(std::max(0, length - 200)) + " wait").code,
              0u);
    EXPECT_EQ(send("status movie mode").reply, "stopped");
}

TEST_F(MpvMci, OddCharactersInTheNameOpen) {
    const QString odd = dir_->file("vidéo ñ [1] 'it''s' type  x.avi");
    ASSERT_TRUE(QFile::copy(dir_->file("video.avi"), odd));
    EXPECT_EQ(send(openCommand(QFile::encodeName(odd).toStdString())).code, 0u);
    EXPECT_EQ(send("status movie length").reply, "2000");
}

TEST_F(MpvMci, ParentDestroyedWhileOpen) {
    auto* parent = new QWidget;
    const int handle = windows_.add(parent);
    ASSERT_EQ(send("open " + path("video.avi") + " type MPEGVideo alias movie parent " +
                   std::to_string(handle))
                  .code,
              0u);
    EXPECT_EQ(send("play movie").code, 0u);
    delete parent;
    EXPECT_EQ(send("put movie window at 1 1 50 50").code, 0u);
    EXPECT_EQ(
        send("open " + path("video.avi") + " alias other parent " + std::to_string(handle)).code,
        code(MciError::BadWindowHandle));
    EXPECT_EQ(send("Close movie").code, 0u);
}

TEST_F(MpvMci, CloseAllEndsEveryDevice) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    ASSERT_EQ(send("open " + path("tone.wav") + " alias tone").code, 0u);
    EXPECT_EQ(send("play tone").code, 0u);
    EXPECT_EQ(send("Close All").code, 0u);
    EXPECT_EQ(send("status tone mode").code, code(MciError::InvalidDeviceName));
    EXPECT_EQ(send("status movie mode").code, code(MciError::InvalidDeviceName));
}

TEST(MpvCd, WithoutADriveOnlyTheErrorComesBack) {
    testsupport::TempDir dir;
    media::MpvSettings settings{"null", "null", dir.file("cdrom").toStdString()};
    ui::WindowHandles windows;
    ui::WidgetVideoHost videos(windows);
    media::Mci mci(std::make_unique<media::MpvBackend>(settings), videos);
    EXPECT_EQ(mcitest::send(mci, "open cdaudio alias cd").code, code(MciError::NoCdDrive));
    EXPECT_EQ(mcitest::send(mci, "Set CDAudio Door Open").code, code(MciError::NoCdDrive));
    EXPECT_EQ(mcitest::send(mci, "Set CDAudio Door Closed").code, code(MciError::NoCdDrive));
}

}  // namespace

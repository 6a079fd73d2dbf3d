#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <memory>

#include "MciTestSupport.h"
#include "platform/media/Mci.h"
#include "platform/ui/Clock.h"
#include "platform/ui/WindowHandles.h"
#include "support/TempDir.h"

namespace {

using media::code;
using media::MciError;

class MpvMci : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new testsupport::TempDir;
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) return;
        ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-c:v", "mpeg4",
                dir_->file("video.avi")});
        ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=1", dir_->file("tone.wav")});
    }
    static void TearDownTestSuite() { delete dir_; }
    static void ffmpeg(QStringList args) {
        QProcess process;
        process.start("ffmpeg", QStringList{"-v", "error", "-y"} + args);
        process.waitForFinished(60000);
    }
    void SetUp() override {
        if (!QFileInfo::exists(dir_->file("video.avi"))) GTEST_SKIP() << "ffmpeg made no media";
        frame_.resize(640, 480);
        handle_ = windows_.add(&frame_);
    }
    mcitest::Sent send(const std::string& command) { return mcitest::send(mci_, command); }
    std::string path(const char* name) { return dir_->file(name).toStdString(); }
    std::string openCommand(const std::string& file) {
        return "open " + file + " type MPEGVideo Alias movie parent " + std::to_string(handle_) +
               " Style 1073741824";
    }

    static testsupport::TempDir* dir_;
    ui::ManualClock clock_;
    ui::WindowHandles windows_;
    QWidget frame_;
    int handle_ = 0;
    media::Mci mci_{media::Mci::Backend::Mpv, windows_, clock_};
};

testsupport::TempDir* MpvMci::dir_ = nullptr;

TEST_F(MpvMci, OpensAVideoWithItsLengthRateAndSize) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    EXPECT_EQ(send("status movie length").reply, "2000");
    EXPECT_EQ(send("set movie time format frames").code, 0u);
    EXPECT_EQ(send("status movie length").reply, "50");
    EXPECT_EQ(send("Where movie destination").reply, "0 0 160 120");
    EXPECT_EQ(send("status movie mode").reply, "stopped");
    EXPECT_EQ(send("status movie speed").reply, "1000");
    EXPECT_EQ(send("Close movie").code, 0u);
}

TEST_F(MpvMci, PlaysToTheEndOfTheRange) {
    ASSERT_EQ(send(openCommand(path("video.avi"))).code, 0u);
    send("set movie time format frames");
    ASSERT_EQ(send("play movie from 40 wait").code, 0u);
    EXPECT_EQ(send("status movie mode").reply, "stopped");
    EXPECT_EQ(send("status movie position").reply, "50");
}

}  // namespace

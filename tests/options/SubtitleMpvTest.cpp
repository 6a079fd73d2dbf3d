#include <gtest/gtest.h>

#include "options/Options.h"
#include "platform/media/MpvDevice.h"
#include "support/Ffmpeg.h"
#include "support/PlayerFixture.h"

namespace {

// "Apply now" on the real engine: a generated video with its subtitles beside it.
TEST(SubtitleMpv, ApplyNowReachesTheOpenVideoAndTheNextOpen) {
    testsupport::PlayerFixture p(testsupport::realMedia());
    const QString video = p.program.file("clip.avi");
    if (!testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=3",
                              "-c:v", "mpeg4", video}))
        GTEST_SKIP() << "ffmpeg made no video";
    p.program.write("clip.srt", "1\r\n00:00:00,000 --> 00:00:02,500\r\nHello\r\n\r\n");
    media::Mci& mci = p.app->mci();
    const std::string open = "open \"" + video.toStdString() + "\" type mpegvideo alias movie";
    ASSERT_EQ(mci.mciSendStringA(open.c_str(), nullptr, 0, 0), 0u);
    const auto property = [&](const char* name) {
        auto* device = dynamic_cast<media::MpvDevice*>(mci.device("movie"));
        return device ? device->propertyText(name) : std::string("<no device>");
    };
    EXPECT_EQ(property("track-list/count"), "2") << "the subtitles beside the video are loaded";
    EXPECT_EQ(property("sub-visibility"), "yes");

    Options& o = p.form<Options>();
    o.SubDelay.setText("-250");
    o.Check5.setValue(0);
    o.Command3_Click();
    EXPECT_DOUBLE_EQ(std::stod(property("sub-delay")), -0.25);
    EXPECT_EQ(property("sub-visibility"), "no");

    ASSERT_EQ(mci.mciSendStringA("close movie", nullptr, 0, 0), 0u);
    ASSERT_EQ(mci.mciSendStringA(open.c_str(), nullptr, 0, 0), 0u);
    EXPECT_DOUBLE_EQ(std::stod(property("sub-delay")), -0.25);
    EXPECT_EQ(property("sub-visibility"), "no");
    mci.mciSendStringA("close movie", nullptr, 0, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include "core/ClsMain.h"
#include "playlist/MediaLibrary.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/Ffmpeg.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

namespace {

// The controller on the real media engine: a generated two-second video.
TEST(MciIntegration, AVideoPlaysToItsEndThroughTheController) {
    testsupport::PlayerFixture p(testsupport::realMedia());
    const QString video = p.program.file("clip.avi");
    if (!testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2",
                              "-c:v", "mpeg4", video}))
        GTEST_SKIP() << "ffmpeg made no video";
    Main& m = p.form<Main>();
    testsupport::EndCounter ctl(*p.app);
    m.LbFileName(0).setCaption(video);
    p.form<DataForm>().FromPlaylist.setCaption("False");
    ctl.Play();
    m.TimerMisc(0).setEnabled(false);
    EXPECT_EQ(m.LbResult(0).Caption(), "Result calling Function is : Success");
    EXPECT_EQ(m.LbActualCx(0).Caption(), "160");
    EXPECT_EQ(m.LbActualCy(0).Caption(), "120");
    EXPECT_EQ(p.form<MediaLibrary>().LbTotalFrames(0).Caption(), "50");
    EXPECT_EQ(p.form<MediaLibrary>().LbFramesPerSecond(0).Caption(), "25");

    m.FrameVideo(0).Move(120, 370, 3000, 1500);
    ctl.ResizeTheVideo();
    EXPECT_EQ(m.LbCurrentCx(0).Caption(), "200");
    EXPECT_EQ(m.LbCurrentCy(0).Caption(), "100");

    // Play the last frames through to their end before the tick looks.
    char reply[128] = "";
    ASSERT_EQ(p.app->mci().mciSendStringA("play movie from 45 to 50 wait", reply, sizeof reply, 0),
              0u);
    ctl.TimerMixF();
    EXPECT_EQ(m.LbStatus(0).Caption(), "stopped");
    EXPECT_EQ(m.LbCurrPos(0).Caption(), "50");
    EXPECT_EQ(ctl.ends, 1);
    ctl.SStop();
    EXPECT_EQ(m.LbResult(0).Caption(), "Result calling Function is : Success");
}

}  // namespace

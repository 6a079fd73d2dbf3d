#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QMap>
#include <algorithm>

#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"
#include "support/display/MainWindowPoints.h"

using displaytest::kWaitMs;
using displaytest::mostlyLight;
using displaytest::PlayerSession;
using displaytest::waitUntil;
using namespace displaytest::mainwindow;

namespace {

// Points of the main window, in pixels from its corner: the equalizer button
// and the seek slider's row.
const QPoint kEqualizerButton(35, 104);
constexpr int kAudioSeekRow = 222;

QString str(int v) {
    return QString::number(v);
}

// The middle of the seek thumb on a row of the screen, found in a
// screenshot: the longest run (at least 10 pixels) of colours other than the
// track's, the row's most common colour between x0 and x1, right of after;
// -1 when none shows in time.
int thumbAt(PlayerSession& s, int row, int x0, int x1, int after = 0) {
    int found = -1;
    waitUntil(
        [&] {
            const QImage shot = s.screenshot();
            QMap<QRgb, int> counts;
            for (int x = x0; x <= x1; ++x)
                ++counts[shot.pixel(x, row)];
            const QRgb track = std::max_element(counts.begin(), counts.end()).key();
            int start = -1, best = 0;
            for (int x = x0; x <= x1 + 1; ++x) {
                const bool thumb = x <= x1 && shot.pixel(x, row) != track;
                if (thumb && start < 0) start = x;
                if (!thumb && start >= 0 && x - start >= std::max(10, best))
                    best = x - start, found = (start + x) / 2;
                if (!thumb) start = -1;
            }
            return found > after;
        },
        kWaitMs);
    return found > after ? found : -1;
}

// Most of the area drawn light, as a pop-up menu's background is.
QString makeVideo(PlayerSession& s) {
    const QString video = s.program().file("clip.mp4");
    EXPECT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t",
                                     "60", "-pix_fmt", "yuv420p", video}));
    return video;
}

// Seconds of "m:ss" or "mm:ss".
int seconds(const QString& time) {
    return time.section(':', 0, 0).toInt() * 60 + time.section(':', 1, 1).toInt();
}

TEST(MainInputOnDisplay, TheTitleStripDragsTheWindowAndDoubleClicksSwitchTheLayout) {
    PlayerSession s;
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect start = s.geometry(window);
    s.drag(start.topLeft() + kTitleStrip, start.topLeft() + kTitleStrip + QPoint(200, 150), 4);
    waitUntil([&] { return s.geometry(window).topLeft() == start.topLeft() + QPoint(200, 150); },
              kWaitMs);
    const QRect moved = s.geometry(window);
    EXPECT_EQ(moved.topLeft(), start.topLeft() + QPoint(200, 150));
    s.screenshot();

    s.doubleClick(moved.topLeft() + kTitleStrip);
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).height() == 133; }, kWaitMs))
        << "Small: " << s.geometry(window).height() << " " << s.geometry(window).y();
    EXPECT_EQ(s.geometry(window).topLeft(), moved.topLeft()) << "a double-click moves nothing";
    EXPECT_EQ(s.texts().value("DataForm.MainMode"), "Small");
    s.screenshot();
    s.doubleClick(moved.topLeft() + kTitleStrip);
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).height() == 235; }, kWaitMs));
    EXPECT_EQ(s.texts().value("DataForm.MainMode"), "Full");
}

// The yellow bar of the test card, at the top of the screen.
bool yellowAt(const QImage& shot, int y) {
    const QColor c = shot.pixelColor(575, y);
    return c.red() > 180 && c.green() > 180 && c.blue() < 90;
}

// In full screen the strip goes when the player's count of idle seconds
// (FullScreenSec) reaches six, however long the steps before took.  A move
// over the video starts a count from 0 while none runs; the head is clicked
// early in one, while the strip is surely there.
void clickTheStripEarlyInACount(PlayerSession& s, QPoint onVideo, QPoint head) {
    int wiggle = 0;
    const bool early = waitUntil(
        [&] {
            const QString count = s.texts().value("Main.FullScreenSec");
            if (count == "0")
                s.xdotool({"mousemove", str(onVideo.x() + (wiggle ^= 1)), str(onVideo.y())});
            return count == "1" || count == "2";
        },
        kWaitMs);
    EXPECT_TRUE(early) << "the strip comes back";
    s.click(head.x(), head.y());
}

TEST(MainInputOnDisplay, AVideoGoesFullScreenOpensItsMenusAndSeeksAtTheRelease) {
    PlayerSession s;
    s.start({makeVideo(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.LbActualCx(0)") == "320"; }, kWaitMs));
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() == 600; }, kWaitMs));
    const QPoint corner = s.geometry(window).topLeft();
    const QPoint onVideo = corner + QPoint(250, 200);

    s.doubleClick(onVideo);
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.FullScreenStat") == "True"; }, kWaitMs));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).width() >= 1024; }, kWaitMs));
    const QImage full =
        s.screenshotWhen([](const QImage& i) { return i.pixel(512, 400) != qRgb(0, 0, 0); });
    EXPECT_NE(full.pixel(512, 400), qRgb(0, 0, 0)) << "the video goes on drawing full screen";

    const QRect videoMenu(605, 403, 100, 30);
    s.clickAfterHover(QPoint(600, 400), 3);
    EXPECT_TRUE(s.waitForMenus(1)) << "the video menu shows";
    const QImage menu =
        s.screenshotWhen([&](const QImage& i) { return mostlyLight(i, videoMenu); });
    EXPECT_TRUE(mostlyLight(menu, videoMenu)) << "the video menu at the pointer";
    s.key("Escape");
    EXPECT_TRUE(s.waitForMenus(0)) << "and closes";

    clickTheStripEarlyInACount(s, QPoint(600, 400), QPoint(24, 5));
    EXPECT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.FullScreenStat") == "False"; }, kWaitMs));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).topLeft() == corner; }, kWaitMs));
    EXPECT_TRUE(s.waitForMenus(1)) << "the File menu shows";
    const QRect fileMenu(corner + QPoint(20, 22), QSize(60, 14));
    const QImage head = s.screenshotWhen([&](const QImage& i) { return mostlyLight(i, fileMenu); });
    EXPECT_TRUE(mostlyLight(head, fileMenu)) << "the File menu right under its head";
    s.key("Escape");
    EXPECT_TRUE(s.waitForMenus(0));

    // The seek thumb: the video goes on while it is dragged and jumps at the release.
    const int row = corner.y() + 453;
    const int thumb = thumbAt(s, row, corner.x() + 26, corner.x() + 200);
    ASSERT_GT(thumb, 0);
    const int before = s.texts().value("Main.LbCurrPos(0)").toInt();
    s.xdotool({"mousemove", "--sync", str(thumb), str(row), "mousedown", "1"});
    EXPECT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StartMoveSlider") == "True"; }, kWaitMs));
    s.xdotool({"mousemove", "--sync", str(thumb + 90), str(row)});
    EXPECT_GT(thumbAt(s, row, corner.x() + 26, corner.x() + 200, thumb + 45), 0)
        << "the thumb follows the pointer";
    // The jump: 300 frames on, and 150 past the 25 a second playing adds.
    displaytest::PlayingPosition frame([&] { return s.texts().value("Main.LbCurrPos(0)").toInt(); },
                                       25);
    const int held = frame.start();
    s.xdotool({"mouseup", "1"});
    EXPECT_TRUE(frame.waitForJump(held + 301, 150))
        << "the video jumped at the release: " << frame.last();
    const int after = frame.last();
    EXPECT_LT(held - before, (after - before) / 2) << "no seek while the thumb is held";
    EXPECT_EQ(s.texts().value("Main.StartMoveSlider"), "False");
    s.screenshot();
}

TEST(MainInputOnDisplay, InFullScreenTheSlidersGoAfterSomeIdleSecondsAndAMoveBringsThemBack) {
    PlayerSession s;
    s.start({makeVideo(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() == 600; }, kWaitMs));
    const QPoint onVideo = s.geometry(window).topLeft() + QPoint(250, 200);
    s.doubleClick(onVideo);
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.FullScreenStat") == "True"; }, kWaitMs));
    const auto stripOnTop = [](const QImage& i) {
        return !yellowAt(i, 5) && !yellowAt(i, 28) && yellowAt(i, 60);
    };
    const QImage shown = s.screenshotWhen(stripOnTop);
    EXPECT_FALSE(yellowAt(shown, 5) || yellowAt(shown, 28)) << "the strip and the sliders on top";
    EXPECT_TRUE(yellowAt(shown, 60)) << "the video below them";

    const QImage idle = s.screenshotWhen([](const QImage& i) { return yellowAt(i, 5); });
    EXPECT_TRUE(yellowAt(idle, 5) && yellowAt(idle, 28)) << "sliders gone, the video at the top";
    EXPECT_EQ(s.texts().value("Main.FullScreenSec"), "0");

    s.xdotool({"mousemove", str(onVideo.x() + 40), str(onVideo.y() + 30)});
    EXPECT_TRUE(waitUntil([&] { return s.texts().value("Main.FullScreenSec") != "0"; }, kWaitMs))
        << "the move over the video counts";
    const QImage back = s.screenshotWhen(stripOnTop);
    EXPECT_FALSE(yellowAt(back, 5) || yellowAt(back, 28))
        << "a move over the video brings them back";
    EXPECT_TRUE(yellowAt(back, 60));
}

TEST(MainInputOnDisplay, TheSeekThumbMovesASongWhileDraggedAndTheEqualizerButtonSwitches) {
    PlayerSession s;
    const QString song = s.program().file("song.mp3");
    ASSERT_TRUE(testsupport::ffmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=240", "-ac", "2", "-b:a", "64k", song}));
    s.start({song});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StarePlayer") == "Playing"; }, kWaitMs));
    const QPoint corner = s.geometry(window).topLeft();
    const int row = corner.y() + kAudioSeekRow;
    const int thumb = thumbAt(s, row, corner.x() + 26, corner.x() + 200);
    ASSERT_GT(thumb, 0);
    // The jump: 30 s on, and 10 s past the second a second playing adds.
    displaytest::PlayingPosition position([&] { return seconds(s.texts().value("Main.TSec")); }, 1);
    s.xdotool({"mousemove", "--sync", str(thumb), str(row), "mousedown", "1"});
    EXPECT_TRUE(waitUntil([&] { return s.texts().value("frmBass.Scrolling") == "True"; }, kWaitMs))
        << "the press takes the thumb";
    s.xdotool({"mousemove", "--sync", str(thumb + 80), str(row)});
    EXPECT_TRUE(position.waitForJump(position.start() + 31, 10))
        << "the song jumped while the thumb is held: " << position.last() << " s";
    s.xdotool({"mouseup", "1"});
    EXPECT_TRUE(
        waitUntil([&] { return s.texts().value("frmBass.Scrolling") == "False"; }, kWaitMs));

    const QRect button(corner + kEqualizerButton - QPoint(15, 6), QSize(30, 12));
    const QImage on = s.screenshot().copy(button);
    s.click(corner.x() + kEqualizerButton.x(), corner.y() + kEqualizerButton.y());
    s.xdotool({"mousemove", "--sync", "900", "700"});
    const QImage off = s.screenshotWhen([&](const QImage& i) { return i.copy(button) != on; });
    EXPECT_NE(off.copy(button), on) << "the equalizer button shows its off picture";
}

TEST(MainInputOnDisplay, MinimizedToTheTrayItComesBackAndTheTrayMenuOpens) {
    PlayerSession s;
    ASSERT_NO_FATAL_FAILURE(s.startTrayPanel());
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QPoint corner = s.geometry(window).topLeft();
    const QRect icon = s.waitForTrayIcon();
    ASSERT_FALSE(icon.isEmpty());
    const QPoint trayIcon = icon.center();
    s.screenshot();
    s.clickAfterHover(corner + kMinimize, 1);
    ASSERT_TRUE(waitUntil([&] { return !s.viewable(window); }, kWaitMs)) << "gone to the tray";
    s.screenshot();
    s.clickAfterHover(trayIcon, 1);
    EXPECT_TRUE(waitUntil([&] { return s.viewable(window); }, kWaitMs))
        << "the tray brings it back";
    s.clickAfterHover(corner + kMinimize, 1);
    ASSERT_TRUE(waitUntil([&] { return !s.viewable(window); }, kWaitMs));
    s.clickAfterHover(trayIcon, 3);
    ASSERT_TRUE(s.waitForMenus(1)) << "the tray menu shows";
    const QRect beside(trayIcon - QPoint(60, 30), QSize(40, 14));
    const QImage menu = s.screenshotWhen([&](const QImage& i) { return mostlyLight(i, beside); });
    EXPECT_TRUE(mostlyLight(menu, beside)) << "the tray menu beside the icon";
    s.clickAfterHover(trayIcon - QPoint(53, 12), 1);
    EXPECT_TRUE(s.waitForExit(kWaitMs)) << "its last item, Close, ends the program";
}

TEST(MainInputOnDisplay, WithoutATrayAMinimizedWindowStaysOnTheTaskBar) {
    PlayerSession s;
    s.startWindowManager();
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    // Answering a query, it has ended its start-up; managed by the window
    // manager, it stands where it stays.
    ASSERT_FALSE(s.texts().isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(
        waitUntil([&] { return s.property(window, "_NET_FRAME_EXTENTS").contains("="); }, kWaitMs));
    const QPoint corner = s.geometry(window).topLeft();
    s.clickAfterHover(corner + kMinimize, 1);
    EXPECT_TRUE(
        waitUntil([&] { return s.property(window, "WM_STATE").contains("Iconic"); }, kWaitMs))
        << s.property(window, "WM_STATE").toStdString();
}

TEST(MainInputOnDisplay, TheGripSizesAVideoWindowAndTheSizeIsKept) {
    PlayerSession s;
    s.start({makeVideo(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() == 600; }, kWaitMs));
    const QRect before = s.geometry(window);
    const QPoint grip = before.bottomRight() - QPoint(6, 6);
    s.drag(grip, grip + QPoint(90, 60), 6);
    // The size loop starts from the first move with the button held.
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() > 650; }, kWaitMs))
        << s.geometry(window).width();
    const QRect after = s.geometry(window);
    s.screenshot();
    s.close(window);
    ASSERT_TRUE(s.waitForExit(kWaitMs));
    QFile settings(s.program().file("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = settings.readAll().split('\n');
    EXPECT_EQ(lines.value(29).trimmed(), QByteArray::number(after.height() * 15)) << "height";
    EXPECT_EQ(lines.value(30).trimmed(), QByteArray::number(after.width() * 15)) << "width";
}

}  // namespace

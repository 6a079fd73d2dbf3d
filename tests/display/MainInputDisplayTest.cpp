#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QMap>
#include <QThread>
#include <algorithm>

#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"
#include "support/display/MainWindowPoints.h"

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

// A press at from, a move in steps to to, and the release there.
void drag(PlayerSession& s, QPoint from, QPoint to, int steps = 4) {
    // A hand takes a moment between the press and the first move.
    s.xdotool(
        {"mousemove", "--sync", str(from.x()), str(from.y()), "mousedown", "1", "sleep", "0.3"});
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        s.xdotool({"mousemove", "--sync", str(p.x()), str(p.y()), "sleep", "0.1"});
    }
    s.xdotool({"mouseup", "1"});
}

// The middle of the seek thumb on a row of the screen, found in a
// screenshot: the longest run (at least 10 pixels) of colours other than the
// track's, the row's most common colour between x0 and x1; -1 when none
// shows within 5 s.
int thumbAt(PlayerSession& s, int row, int x0, int x1) {
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
            return found > 0;
        },
        5000);
    return found;
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
    drag(s, start.topLeft() + kTitleStrip, start.topLeft() + kTitleStrip + QPoint(200, 150));
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).topLeft() != start.topLeft(); }, 5000));
    const QRect moved = s.geometry(window);
    EXPECT_EQ(moved.topLeft(), start.topLeft() + QPoint(200, 150));
    s.screenshot();

    s.doubleClick(moved.topLeft() + kTitleStrip);
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).height() == 133; }, 5000))
        << "Small: " << s.geometry(window).height() << " " << s.geometry(window).y();
    EXPECT_EQ(s.geometry(window).topLeft(), moved.topLeft()) << "a double-click moves nothing";
    EXPECT_EQ(s.texts().value("DataForm.MainMode"), "Small");
    s.screenshot();
    s.doubleClick(moved.topLeft() + kTitleStrip);
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).height() == 235; }, 5000));
    EXPECT_EQ(s.texts().value("DataForm.MainMode"), "Full");
}

TEST(MainInputOnDisplay, AVideoGoesFullScreenOpensItsMenusAndSeeksAtTheRelease) {
    PlayerSession s;
    s.start({makeVideo(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.LbActualCx(0)") == "320"; }, 10000));
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() == 600; }, 5000));
    const QPoint corner = s.geometry(window).topLeft();
    const QPoint onVideo = corner + QPoint(250, 200);

    s.doubleClick(onVideo);
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.FullScreenStat") == "True"; }, 5000));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).width() >= 1024; }, 5000));
    const QImage full = s.screenshot();
    EXPECT_NE(full.pixel(512, 400), qRgb(0, 0, 0)) << "the video goes on drawing full screen";

    s.clickAfterHover(QPoint(600, 400), 3);
    EXPECT_TRUE(s.waitForMenus(1)) << "the video menu shows";
    const QImage menu = s.screenshot();
    EXPECT_TRUE(mostlyLight(menu, QRect(605, 403, 100, 30))) << "the video menu at the pointer";
    s.key("Escape");
    EXPECT_TRUE(s.waitForMenus(0)) << "and closes";

    s.clickAfterHover(QPoint(24, 5), 1);
    EXPECT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.FullScreenStat") == "False"; }, 5000));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).topLeft() == corner; }, 5000));
    EXPECT_TRUE(s.waitForMenus(1)) << "the File menu shows";
    const QImage head = s.screenshot();
    EXPECT_TRUE(mostlyLight(head, QRect(corner + QPoint(20, 22), QSize(60, 14))))
        << "the File menu right under its head";
    s.key("Escape");

    // The seek thumb: the video goes on while it is dragged and jumps at the release.
    const int row = corner.y() + 453;
    const int thumb = thumbAt(s, row, corner.x() + 26, corner.x() + 200);
    ASSERT_GT(thumb, 0);
    const int before = s.texts().value("Main.LbCurrPos(0)").toInt();
    s.xdotool({"mousemove", "--sync", str(thumb), str(row), "mousedown", "1", "sleep", "0.3"});
    s.xdotool({"mousemove", "--sync", str(thumb + 90), str(row), "sleep", "0.3"});
    EXPECT_EQ(s.texts().value("Main.StartMoveSlider"), "True");
    EXPECT_LT(s.texts().value("Main.LbCurrPos(0)").toInt(), before + 50) << "no seek yet";
    s.xdotool({"mouseup", "1"});
    EXPECT_TRUE(waitUntil(
        [&] { return s.texts().value("Main.LbCurrPos(0)").toInt() > before + 300; }, 5000))
        << "the video jumped at the release";
    EXPECT_EQ(s.texts().value("Main.StartMoveSlider"), "False");
    s.screenshot();
}

// The yellow bar of the test card, at the top of the screen.
bool yellowAt(const QImage& shot, int y) {
    const QColor c = shot.pixelColor(575, y);
    return c.red() > 180 && c.green() > 180 && c.blue() < 90;
}

TEST(MainInputOnDisplay, InFullScreenTheSlidersGoAfterSomeIdleSecondsAndAMoveBringsThemBack) {
    PlayerSession s;
    s.start({makeVideo(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() == 600; }, 10000));
    const QPoint onVideo = s.geometry(window).topLeft() + QPoint(250, 200);
    s.doubleClick(onVideo);
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("DataForm.FullScreenStat") == "True"; }, 5000));
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.FullScreenSec") == "3"; }, 5000));
    const QImage shown = s.screenshot();
    EXPECT_FALSE(yellowAt(shown, 5) || yellowAt(shown, 28)) << "the strip and the sliders on top";
    EXPECT_TRUE(yellowAt(shown, 60)) << "the video below them";

    const QImage idle = s.screenshotWhen([](const QImage& i) { return yellowAt(i, 5); }, 6000);
    EXPECT_TRUE(yellowAt(idle, 5) && yellowAt(idle, 28)) << "sliders gone, the video at the top";
    EXPECT_EQ(s.texts().value("Main.FullScreenSec"), "0");

    s.xdotool({"mousemove", str(onVideo.x() + 40), str(onVideo.y() + 30)});
    EXPECT_TRUE(waitUntil([&] { return s.texts().value("Main.FullScreenSec") != "0"; }, 3000))
        << "the move over the video counts";
    const QImage back = s.screenshotWhen([](const QImage& i) { return !yellowAt(i, 5); }, 3000);
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
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.StarePlayer") == "Playing"; }, 10000));
    const QPoint corner = s.geometry(window).topLeft();
    const int row = corner.y() + kAudioSeekRow;
    const int thumb = thumbAt(s, row, corner.x() + 26, corner.x() + 200);
    ASSERT_GT(thumb, 0);
    const int before = seconds(s.texts().value("Main.TSec"));
    s.xdotool({"mousemove", "--sync", str(thumb), str(row), "mousedown", "1", "sleep", "0.3"});
    s.xdotool({"mousemove", "--sync", str(thumb + 80), str(row), "sleep", "0.2"});
    EXPECT_TRUE(
        waitUntil([&] { return seconds(s.texts().value("Main.TSec")) > before + 30; }, 5000))
        << "the song jumped while the thumb is held: "
        << s.texts().value("Main.TSec").toStdString();
    s.xdotool({"mouseup", "1"});
    EXPECT_EQ(s.texts().value("frmBass.Scrolling"), "False");

    const QRect button(corner + kEqualizerButton - QPoint(15, 6), QSize(30, 12));
    const QImage on = s.screenshot().copy(button);
    s.click(corner.x() + kEqualizerButton.x(), corner.y() + kEqualizerButton.y());
    s.xdotool({"mousemove", "--sync", "900", "700"});
    const QImage off = s.screenshotWhen([&](const QImage& i) { return i.copy(button) != on; });
    EXPECT_NE(off.copy(button), on) << "the equalizer button shows its off picture";
}

TEST(MainInputOnDisplay, MinimizedToTheTrayItComesBackAndTheTrayMenuOpens) {
    PlayerSession s;
    s.startHelper("trayer",
                  {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                   "--heighttype", "pixel", "--height", "24", "--transparent", "false"});
    QThread::msleep(500);
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QPoint corner = s.geometry(window).topLeft();
    const QPoint trayIcon(1012, 756);
    s.screenshot();
    s.clickAfterHover(corner + kMinimize, 1);
    ASSERT_TRUE(waitUntil([&] { return !s.viewable(window); }, 5000)) << "gone to the tray";
    s.screenshot();
    s.clickAfterHover(trayIcon, 1);
    EXPECT_TRUE(waitUntil([&] { return s.viewable(window); }, 5000)) << "the tray brings it back";
    s.clickAfterHover(corner + kMinimize, 1);
    ASSERT_TRUE(waitUntil([&] { return !s.viewable(window); }, 5000));
    s.clickAfterHover(trayIcon, 3);
    ASSERT_TRUE(s.waitForMenus(1)) << "the tray menu shows";
    const QImage menu = s.screenshot();
    EXPECT_TRUE(mostlyLight(menu, QRect(trayIcon - QPoint(60, 30), QSize(40, 14))))
        << "the tray menu beside the icon";
    s.clickAfterHover(trayIcon - QPoint(53, 12), 1);
    EXPECT_TRUE(s.waitForExit(10000)) << "its last item, Close, ends the program";
}

TEST(MainInputOnDisplay, WithoutATrayAMinimizedWindowStaysOnTheTaskBar) {
    PlayerSession s;
    s.startWindowManager();
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    // Answering a query, it has ended its start-up and stands where it stays.
    ASSERT_FALSE(s.texts().isEmpty()) << s.output().toStdString();
    QThread::msleep(500);
    const QPoint corner = s.geometry(window).topLeft();
    s.clickAfterHover(corner + kMinimize, 1);
    EXPECT_TRUE(waitUntil([&] { return s.property(window, "WM_STATE").contains("Iconic"); }, 5000))
        << s.property(window, "WM_STATE").toStdString();
}

TEST(MainInputOnDisplay, TheGripSizesAVideoWindowAndTheSizeIsKept) {
    PlayerSession s;
    s.start({makeVideo(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() == 600; }, 10000));
    const QRect before = s.geometry(window);
    const QPoint grip = before.bottomRight() - QPoint(6, 6);
    drag(s, grip, grip + QPoint(90, 60), 6);
    // The size loop starts from the first move with the button held.
    ASSERT_TRUE(waitUntil([&] { return s.geometry(window).width() > 650; }, 5000))
        << s.geometry(window).width();
    const QRect after = s.geometry(window);
    s.screenshot();
    s.close(window);
    ASSERT_TRUE(s.waitForExit(10000));
    QFile settings(s.program().file("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = settings.readAll().split('\n');
    EXPECT_EQ(lines.value(29).trimmed(), QByteArray::number(after.height() * 15)) << "height";
    EXPECT_EQ(lines.value(30).trimmed(), QByteArray::number(after.width() * 15)) << "width";
}

}  // namespace

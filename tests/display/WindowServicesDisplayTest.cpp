#include <gtest/gtest.h>

#include <QColor>
#include <QProcess>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// The server's screen, as the session starts it.
constexpr int kScreenWidth = 1024;

bool isBlack(const QColor& c) {
    return c.red() < 16 && c.green() < 16 && c.blue() < 16;
}

QString text(int value) {
    return QString::number(value);
}

// Presses the bottom-right grip and drags it by travel. The grip starts the
// size loop on the first pointer move with the button down, and the loop reads
// where the pointer is then: the first nudge is given time to land so the loop
// does not begin at the far end of the drag.
void dragGrip(PlayerSession& s, QPoint grip, QPoint travel) {
    const QPoint start = grip + QPoint(1, 0);
    s.xdotool({"mousemove", text(grip.x()), text(grip.y())});
    s.xdotool({"mousedown", "1"});
    s.xdotool({"mousemove", text(start.x()), text(start.y()), "sleep", "0.5"});
    for (int i = 1; i <= 4; ++i) {
        const QPoint at = start + travel * i / 4;
        s.xdotool({"mousemove", text(at.x()), text(at.y())});
    }
    s.xdotool({"mouseup", "1"});
}

}  // namespace

// The playlist window's bottom-right grip, dragged until the right edge is 6
// pixels short of the screen's, leaves the right edge flush with the screen:
// the program's own size loop snaps while sizing, and the window keeps its
// place and height.
TEST(WindowServicesOnDisplay, SizingThePlaylistNearTheScreenEdgeSnapsItsRightEdge) {
    PlayerSession s;
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    const QRect before = s.geometry(playlist);
    ASSERT_LT(before.right(), kScreenWidth - 20) << "the window already reaches the screen edge";
    s.screenshot();

    const int travel = (kScreenWidth - 6) - (before.right() + 1);
    dragGrip(s, before.bottomRight() - QPoint(4, 4), QPoint(travel, 0));

    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).right() == kScreenWidth - 1; }, 5000))
        << "the right edge stands at " << s.geometry(playlist).right();
    EXPECT_EQ(s.geometry(playlist).topLeft(), before.topLeft());
    EXPECT_EQ(s.geometry(playlist).height(), before.height());
    s.screenshot();
}

// The main window's corners are rounded off by its region: the very corner
// pixel shows the bare screen, a pixel 12 pixels in shows the window.
TEST(WindowServicesOnDisplay, TheMainWindowsCornersAreCutRound) {
    PlayerSession s;
    s.start();
    const QString window = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect at = s.geometry(window);
    const QPoint inside = at.topLeft() + QPoint(12, 12);
    const QImage shot =
        s.screenshotWhen([&](const QImage& i) { return !isBlack(i.pixelColor(inside)); });
    EXPECT_TRUE(isBlack(shot.pixelColor(at.topLeft()))) << "the corner shows the bare screen";
    EXPECT_FALSE(isBlack(shot.pixelColor(inside))) << "the window's own picture";
}

// The grip dragged far up and left stops at the playlist's least size,
// 4000 x 4530 twips; dragged back to 8 pixels short of the main window's
// right edge, the playlist's right edge snaps onto it.
TEST(WindowServicesOnDisplay, ThePlaylistGripStopsAtTheLeastSizeAndSnapsToItsNeighbour) {
    PlayerSession s;
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty());
    const QRect before = s.geometry(playlist);
    const int mainRight = s.geometry(main).right();

    dragGrip(s, before.bottomRight() - QPoint(4, 4), QPoint(-300, -300));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).width() < before.width(); }, 5000));
    const QRect least = s.geometry(playlist);
    EXPECT_NEAR(least.width(), 4000 / 15, 1) << "never narrower than the least size";
    EXPECT_NEAR(least.height(), 4530 / 15, 1);
    EXPECT_EQ(least.topLeft(), before.topLeft());
    s.screenshot();

    ASSERT_GT(mainRight - 8, least.right() + 20);
    dragGrip(s, least.bottomRight() - QPoint(4, 4), QPoint(mainRight - 8 - least.right(), 0));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).width() > least.width(); }, 5000));
    EXPECT_EQ(s.geometry(playlist).right(), mainRight) << "flush with the main window above";
    EXPECT_EQ(s.geometry(playlist).height(), least.height());
    s.screenshot();
}

namespace {

// Runs a program on the session's display and gives its output.
QString onDisplay(PlayerSession& s, const QString& program, const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", s.display());
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000)) tool.kill();
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

// The player's tray icon: its window that the tray panel, along the bottom
// of the screen, holds; empty while there is none.
QRect trayIcon(PlayerSession& s) {
    const QStringList ids = onDisplay(s, "xdotool", {"search", "--classname", "plenk-player"})
                                .split('\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        const QRect at = s.geometry(id);
        if (at.top() >= 700 && at.width() > 0 && at.width() <= 64) return at;
    }
    return {};
}

}  // namespace

// Under a tray panel (Debian's trayer), the player's icon sits in the
// panel, and minimizing puts the main window away into the tray.
TEST(WindowServicesOnDisplay, UnderTrayerTheIconShowsAndMinimizingHidesIntoIt) {
    PlayerSession s;
    QProcess panel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", s.display());
    panel.setProcessEnvironment(env);
    panel.start("trayer", {"--edge", "bottom", "--align", "left", "--widthtype", "pixel", "--width",
                           "64", "--height", "32", "--SetDockType", "false"});
    if (!panel.waitForStarted(5000)) GTEST_SKIP() << "trayer is not installed";
    ASSERT_TRUE(waitUntil(
        [&] {
            return !onDisplay(s, "xdotool", {"search", "--name", "panel"}).trimmed().isEmpty();
        },
        5000));
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return !trayIcon(s).isEmpty(); }, 10000));
    s.screenshot();

    // The minimize button stands 340, 9 into the window.
    const QPoint minimize = s.geometry(main).topLeft() + QPoint(340, 9);
    s.click(minimize.x(), minimize.y());
    EXPECT_TRUE(waitUntil([&] { return s.waitForWindow("Plenk Player", 200).isEmpty(); }, 5000))
        << "the main window stays on screen";
    s.screenshot();

    panel.kill();
    panel.waitForFinished(5000);
}

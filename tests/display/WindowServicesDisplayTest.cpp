#include <gtest/gtest.h>

#include <QColor>
#include <QProcess>
#include <utility>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// The server's screen, as the session starts it.
constexpr int kScreenWidth = 1024;

bool isBlack(const QColor& c) {
    return c.red() < 16 && c.green() < 16 && c.blue() < 16;
}

// A press at from, four steps of travel and the release.  The loops measure
// from the press, so however late the program takes up the drag, no step of
// it is lost.
void drag(PlayerSession& s, QPoint from, QPoint travel) {
    s.drag(from, from + travel, 4);
}

// Starts the player; its main and playlist windows, empty when they do not show.
std::pair<QString, QString> startPlayer(PlayerSession& s) {
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    return {main, s.waitForWindow("Playlist")};
}

// The windows' places as the user would look them up, by title.
QRect placeOf(PlayerSession& s, const QString& title) {
    return s.geometry(s.waitForWindow(title));
}

}  // namespace

// The playlist window's bottom-right grip, dragged until the right edge is 6
// pixels short of the screen's, leaves the right edge flush with the screen:
// the program's own size loop snaps while sizing, and the window keeps its
// place and height.
TEST(WindowServicesOnDisplay, SizingThePlaylistNearTheScreenEdgeSnapsItsRightEdge) {
    PlayerSession s;
    const QString playlist = startPlayer(s).second;
    ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    const QRect before = s.geometry(playlist);
    ASSERT_LT(before.right(), kScreenWidth - 20) << "the window already reaches the screen edge";
    s.screenshot();

    const int travel = (kScreenWidth - 6) - (before.right() + 1);
    drag(s, before.bottomRight() - QPoint(4, 4), QPoint(travel, 0));

    EXPECT_TRUE(
        waitUntil([&] { return s.geometry(playlist).right() == kScreenWidth - 1; }, kWaitMs))
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
    const auto [main, playlist] = startPlayer(s);
    ASSERT_FALSE(main.isEmpty() || playlist.isEmpty()) << s.output().toStdString();
    const QRect before = s.geometry(playlist);
    const int mainRight = s.geometry(main).right();

    drag(s, before.bottomRight() - QPoint(4, 4), QPoint(-300, -300));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).width() < before.width(); }, kWaitMs));
    const QRect least = s.geometry(playlist);
    EXPECT_NEAR(least.width(), 4000 / 15, 1) << "never narrower than the least size";
    EXPECT_NEAR(least.height(), 4530 / 15, 1);
    EXPECT_EQ(least.topLeft(), before.topLeft());
    s.screenshot();

    ASSERT_GT(mainRight - 8, least.right() + 20);
    drag(s, least.bottomRight() - QPoint(4, 4), QPoint(mainRight - 8 - least.right(), 0));
    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).width() > least.width(); }, kWaitMs));
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
    if (!tool.waitForFinished(kWaitMs)) tool.kill();
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
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
    if (!panel.waitForStarted(kWaitMs)) GTEST_SKIP() << "trayer is not installed";
    ASSERT_TRUE(waitUntil(
        [&] {
            return !onDisplay(s, "xdotool", {"search", "--name", "panel"}).trimmed().isEmpty();
        },
        kWaitMs));
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    ASSERT_FALSE(s.waitForTrayIcon().isEmpty());
    s.screenshot();

    // The minimize button stands 340, 9 into the window.
    const QPoint minimize = s.geometry(main).topLeft() + QPoint(340, 9);
    s.click(minimize.x(), minimize.y());
    EXPECT_TRUE(waitUntil([&] { return s.waitForWindow("Plenk Player", 200).isEmpty(); }, kWaitMs))
        << "the main window stays on screen";
    s.screenshot();

    panel.kill();
    panel.waitForFinished(kWaitMs);
}

// The playlist dragged by its top edge to 8 pixels right of the main window
// lands flush against it, at the height the pointer took it, its size kept.
TEST(WindowServicesOnDisplay, APlaylistDraggedBesideTheMainWindowLandsFlush) {
    PlayerSession s;
    const auto [main, playlist] = startPlayer(s);
    ASSERT_FALSE(main.isEmpty() || playlist.isEmpty()) << s.output().toStdString();
    const QRect beside = s.geometry(main);
    const QRect before = s.geometry(playlist);
    s.screenshot();

    // The top edge's middle picture, right of the menu buttons.
    const QPoint grab = before.topLeft() + QPoint(260, 8);
    const QPoint to(beside.right() + 1 + 8, beside.top() + 40);
    drag(s, grab, to - before.topLeft());

    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).top() == to.y(); }, kWaitMs))
        << "the window stands at " << s.geometry(playlist).top();
    EXPECT_EQ(s.geometry(playlist).left(), beside.right() + 1) << "flush with the main window";
    EXPECT_EQ(s.geometry(playlist).size(), before.size());
    EXPECT_EQ(s.geometry(main), beside) << "a playlist drag never moves the main window";
    s.screenshot();
}

// With the playlist and the library docked to the main window, the main
// window dragged by its title strip takes both along at the same offsets.
// The windows start at whole pixels (multiples of 15 twips), so the offsets
// in twips are whole pixels too.
TEST(WindowServicesOnDisplay, DockedWindowsFollowTheMainWindowExactly) {
    PlayerSession s;
    // Main and playlist left and top, the library's left and top, library shown.
    s.editSettings(
        {{2, "495"}, {3, "495"}, {7, "495"}, {8, "4095"}, {66, "6705"}, {67, "495"}, {70, "1"}});
    s.start();
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    ASSERT_FALSE(s.waitForWindow("Media Library").isEmpty()) << "the library is shown";
    const QRect mainBefore = s.geometry(main);
    const QRect playlistBefore = placeOf(s, "Playlist");
    const QRect libraryBefore = placeOf(s, "Media Library");
    // Docking is on while the main window is the active one.
    s.focus(main);
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("DataForm.Magnet") == "1"; }, kWaitMs))
        << s.texts().value("DataForm.Magnet").toStdString();
    s.screenshot();

    // The followers stay snap targets where they started: the travel keeps
    // every edge of the main window clear of those places.
    const QPoint travel(120, 150);
    drag(s, mainBefore.topLeft() + QPoint(287, 9), travel);
    EXPECT_TRUE(waitUntil(
        [&] { return s.geometry(main).topLeft() == mainBefore.topLeft() + travel; }, kWaitMs))
        << "the main window stands at " << s.geometry(main).x() << "," << s.geometry(main).y();
    EXPECT_EQ(placeOf(s, "Playlist"), playlistBefore.translated(travel));
    EXPECT_EQ(placeOf(s, "Media Library"), libraryBefore.translated(travel));
    s.screenshot();
}

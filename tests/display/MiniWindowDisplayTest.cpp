#include <gtest/gtest.h>

#include <QColor>
#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

const QString kTitle = "Plenk Player";
// The mini window's size in pixels: 6105 x 1485 twips.
constexpr int kMiniWidth = 407;
constexpr int kMiniHeight = 99;

QList<QByteArray> settingsLines(PlayerSession& s) {
    QFile file(s.program().file("settings.ini"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().split('\n');
}

// The shipped settings with the main window at left, top (twips) and the
// saved mode "mini", so the player starts with the mini window there.
void startInMiniMode(PlayerSession& s, int left, int top) {
    QList<QByteArray> lines = settingsLines(s);
    ASSERT_GT(lines.size(), 56);
    lines[2] = QByteArray::number(left) + "\r";
    lines[3] = QByteArray::number(top) + "\r";
    lines[56] = "mini\r";
    s.program().write("settings.ini", lines.join('\n'));
}

bool isBlack(const QColor& c) {
    return c.red() < 16 && c.green() < 16 && c.blue() < 16;
}

int seconds(const QString& clock) {
    return clock.section(':', 0, 0).toInt() * 60 + clock.section(':', 1, 1).toInt();
}

QString miniTime(PlayerSession& s) {
    return s.texts().value("MiniForm.TSec");
}

// A point 10 pixels into the seek thumb, as the screen shows it: the first
// pixel right of the track's left arrow lighter than the dark track; x is -1
// when none shows.
QPoint seekThumbOnTheScreen(PlayerSession& s, const QRect& place) {
    const int y = place.y() + 80;
    const int from = place.x() + 128 + 11;
    const int to = place.x() + 128 + 201 - 11;
    int left = -1;
    s.screenshotWhen([&](const QImage& shot) {
        for (int x = from; x < to && left < 0; ++x)
            if (qGray(shot.pixel(x, y)) > 40) left = x;
        return left >= 0;
    });
    return {left < 0 ? -1 : left + 10, y};
}

// Main's "Options" head, then the menu's last item by the keys: "Full / Mini
// mode"; true when the mini window shows.
bool switchToMiniByMainsMenu(PlayerSession& s, const QRect& mainPlace) {
    s.click(mainPlace.x() + 95, mainPlace.y() + 8);
    if (!s.waitForMenus(1)) return false;
    s.keys(QStringList(7, "Down") << "Return");
    return waitUntil([&] { return s.geometry(s.waitForWindow(kTitle, 0)).height() == kMiniHeight; },
                     kWaitMs);
}

TEST(MiniWindowOnDisplay, StartsWhereItStoodAndMirrorsThePlayingSample) {
    PlayerSession s;
    startInMiniMode(s, 1500, 1200);
    s.start({s.program().file("Samples/plenk-sample.ogg")});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect place = s.geometry(window);
    EXPECT_EQ(place, QRect(100, 80, kMiniWidth, kMiniHeight));
    ASSERT_TRUE(waitUntil([&] { return seconds(miniTime(s)) >= 1; }, kWaitMs));
    EXPECT_EQ(s.texts().value("MiniForm.StarePlayer"), "Playing");
    // Edges, heads and the visualisation drawn into the mini window's box.
    const QRect box(place.x() + 5, place.y() + 27, 121, 41);
    const QImage first = s.screenshotWhen(
        [&](const QImage& i) { return !isBlack(i.pixelColor(place.x() + 50, place.y() + 3)); });
    EXPECT_TRUE(isBlack(first.pixelColor(place.x() - 5, place.y() - 5)));
    EXPECT_FALSE(isBlack(first.pixelColor(place.right() - 3, place.y() + 40))) << "the right edge";
    const QImage later =
        s.screenshotWhen([&](const QImage& i) { return i.copy(box) != first.copy(box); });
    EXPECT_NE(later.copy(box), first.copy(box)) << "the visualisation moves";
}

TEST(MiniWindowOnDisplay, TheMenuSwitchShowsItPlayingWithItsFileMenuUnderTheHead) {
    PlayerSession s;
    s.start({s.program().file("Samples/plenk-sample.ogg")});
    const QString main = s.waitForWindow(kTitle);
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    const QRect mainPlace = s.geometry(main);
    ASSERT_TRUE(s.waitForPlaying("plenk-sample"));
    ASSERT_TRUE(switchToMiniByMainsMenu(s, mainPlace));
    const QString window = s.waitForWindow(kTitle, 0);
    const QRect place = s.geometry(window);
    EXPECT_EQ(place, QRect(mainPlace.topLeft(), QSize(kMiniWidth, kMiniHeight)));
    ASSERT_TRUE(waitUntil([&] { return seconds(miniTime(s)) >= 2; }, kWaitMs));
    // The skin's edges and heads, the time in the skin's colour and the
    // visualisation moving in the mini window's box.
    const QRect box(place.x() + 5, place.y() + 27, 121, 41);
    const QImage first = s.screenshotWhen(
        [&](const QImage& i) { return !isBlack(i.pixelColor(place.x() + 50, place.y() + 3)); });
    EXPECT_FALSE(isBlack(first.pixelColor(place.right() - 3, place.y() + 40))) << "the right edge";
    const QImage later =
        s.screenshotWhen([&](const QImage& i) { return i.copy(box) != first.copy(box); });
    EXPECT_NE(later.copy(box), first.copy(box)) << "the visualisation moves";
    // The File head opens its menu just below its left end.
    s.click(place.x() + 30, place.y() + 8);
    const QImage menu = s.screenshotWhen([&](const QImage& i) {
        return i.copy(QRect(place.x() + 17, place.y() + 21, 60, 40)) !=
               later.copy(QRect(place.x() + 17, place.y() + 21, 60, 40));
    });
    EXPECT_NE(menu.copy(QRect(place.x() + 17, place.y() + 21, 60, 40)),
              later.copy(QRect(place.x() + 17, place.y() + 21, 60, 40)));
    s.key("Escape");
}

TEST(MiniWindowOnDisplay, DragsOnTheSeekAndVolumeSlidersSeekAndSetTheVolume) {
    PlayerSession s;
    startInMiniMode(s, 1500, 1200);
    s.start({s.program().file("Samples/plenk-sample.ogg")});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect place = s.geometry(window);
    ASSERT_TRUE(waitUntil([&] { return seconds(miniTime(s)) >= 1; }, kWaitMs));
    // Paused, the thumb stays where the screen shows it until the drag takes it.
    s.click(place.x() + 365, place.y() + 31);
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("MiniForm.StarePlayer") == "Paused"; }, kWaitMs));
    const int before = seconds(miniTime(s));
    const QPoint seekThumb = seekThumbOnTheScreen(s, place);
    ASSERT_GE(seekThumb.x(), 0) << "the seek thumb shows";
    s.drag(seekThumb, seekThumb + QPoint(120, 0));
    ASSERT_TRUE(waitUntil([&] { return seconds(miniTime(s)) >= before + 4; }, kWaitMs))
        << "the elapsed time jumps: " << miniTime(s).toStdString();
    s.screenshot();
    // The volume thumb from its place (80 of 100) to the left end.
    const QPoint volumeThumb =
        place.topLeft() + QPoint(24 + 11 + (97 - 24 - 20) * 80 / 100 + 10, 80);
    s.drag(volumeThumb, place.topLeft() + QPoint(0, 80));
    s.screenshot();
    s.click(place.x() + 352 + 11, place.y() + 8);
    ASSERT_TRUE(s.waitForExit(kWaitMs));
    EXPECT_EQ(settingsLines(s).value(11).trimmed(), "0") << "the saved volume";
}

TEST(MiniWindowOnDisplay, MinimizedAndRestoredWithTheDockedPlaylist) {
    PlayerSession s;
    s.startWindowManager();
    startInMiniMode(s, 1500, 1200);
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect place = s.geometry(window);
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty());
    s.screenshot();
    s.click(place.x() + 328 + 11, place.y() + 8);
    EXPECT_TRUE(waitUntil([&] { return !s.viewable(window); }, kWaitMs))
        << "the mini window is minimized";
    EXPECT_TRUE(waitUntil([&] { return !s.viewable(playlist); }, kWaitMs))
        << "the playlist hides with it";
    s.screenshot();
    s.xdotool({"windowactivate", window});
    EXPECT_TRUE(waitUntil([&] { return s.viewable(window); }, kWaitMs));
    EXPECT_TRUE(waitUntil([&] { return s.viewable(playlist); }, kWaitMs))
        << "Main's window check brings the playlist back";
    s.screenshot();
    // Back to Main by the top strip, then to mini mode again by Main's menu:
    // the new mini window shows in its normal state, the playlist with it.
    s.doubleClick(place.topLeft() + QPoint(200, 8));
    ASSERT_TRUE(
        waitUntil([&] { return s.geometry(s.waitForWindow(kTitle, 0)).height() == 235; }, kWaitMs));
    const QRect mainPlace = s.geometry(s.waitForWindow(kTitle, 0));
    EXPECT_TRUE(switchToMiniByMainsMenu(s, mainPlace)) << "the mini window shows again";
    EXPECT_EQ(s.texts().value("MiniForm.WindowState"), "0");
    EXPECT_FALSE(s.property(window, "WM_HINTS").contains("Iconic"));
    EXPECT_TRUE(waitUntil([&] { return s.viewable(playlist); }, kWaitMs));
    s.screenshot();
}

TEST(MiniWindowOnDisplay, ADoubleClickOnTheTopStripBringsTheMainWindowInItsPlace) {
    PlayerSession s;
    startInMiniMode(s, 3000, 2250);
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    const QRect place = s.geometry(window);
    s.screenshot();
    s.doubleClick(place.topLeft() + QPoint(200, 8));
    ASSERT_TRUE(
        waitUntil([&] { return s.geometry(s.waitForWindow(kTitle, 0)).height() == 235; }, kWaitMs));
    EXPECT_EQ(s.geometry(s.waitForWindow(kTitle, 0)), QRect(place.topLeft(), QSize(407, 235)));
    s.screenshot();
}

TEST(MiniWindowOnDisplay, ClosedFromTheMiniWindowItComesBackWhereItStood) {
    PlayerSession s;
    startInMiniMode(s, 1500, 1200);
    s.start();
    QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    // Moved by the desktop to another place, then closed.
    const QRect place = s.geometry(window);
    s.xdotool({"windowmove", "--sync", window, QString::number(place.x() + 90),
               QString::number(place.y() + 60)});
    ASSERT_TRUE(waitUntil(
        [&] { return s.geometry(window).topLeft() == place.topLeft() + QPoint(90, 60); }, kWaitMs))
        << "the window stands at " << s.geometry(window).x() << ", " << s.geometry(window).y();
    s.screenshot();
    s.click(place.x() + 90 + 352 + 11, place.y() + 60 + 8);
    ASSERT_TRUE(s.waitForExit(kWaitMs));
    s.start();
    window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(s.geometry(window),
              QRect(place.topLeft() + QPoint(90, 60), QSize(kMiniWidth, kMiniHeight)));
    s.screenshot();
}

}  // namespace

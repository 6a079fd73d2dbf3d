#include <gtest/gtest.h>
#include <sys/stat.h>
#include <cstdlib>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"

// Xlib last: its macros clash with Qt names.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

const QString kTitle = "Plenk Player";

// The shipped settings with the main window's place and size (twips) replaced.
void placeMainWindow(PlayerSession& s, int left, int top, int width, int height) {
    QFile file(s.program().file("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    ASSERT_EQ(lines.value(1).trimmed(), "[Main]");
    const int values[] = {left, top, width, height};
    for (int i = 0; i < 4; ++i)
        lines[2 + i] = QByteArray::number(values[i]) + "\r";
    s.program().write("settings.ini", lines.join('\n'));
}

// Ten actions' key codes, then their names: Play (the second) on P, Stop
// (the fourth) on S, no key for the others.
void playOnPStopOnS(PlayerSession& s) {
    const QByteArray codes[10] = {"", "80", "", "83"};
    const QByteArray names[10] = {"0", "P", "0", "S", "0", "0", "0", "0", "0", "0"};
    QByteArray file;
    for (const QByteArray& code : codes)
        file += code + "\r\n";
    for (const QByteArray& name : names)
        file += name + "\r\n";
    s.program().write("Data/keyboard.data", file);
}

bool isBlack(const QColor& c) {
    return c.red() < 16 && c.green() < 16 && c.blue() < 16;
}

// The rightmost column of area holding a pixel of text, or -1: text stands
// out from the label's back colour, read at its top right corner, whatever
// the skin's colours.
int lastInkColumn(const QImage& shot, const QRect& area) {
    const int back = qGray(shot.pixel(area.topRight()));
    for (int x = area.right(); x >= area.left(); --x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (std::abs(qGray(shot.pixel(x, y)) - back) > 80) return x;
    return -1;
}

TEST(MainWindowOnDisplay, AppearsAtItsStoredPlaceAndSize) {
    PlayerSession s;
    placeMainWindow(s, 1500, 1200, 6105, 3525);
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    EXPECT_EQ(s.geometry(window), QRect(100, 80, 407, 235));

    const QImage shot =
        s.screenshotWhen([](const QImage& i) { return !isBlack(i.pixelColor(110, 90)); });
    EXPECT_TRUE(isBlack(shot.pixelColor(90, 70))) << "the bare screen left of and above the window";
    EXPECT_FALSE(isBlack(shot.pixelColor(110, 90))) << "the window's own background";
    EXPECT_FALSE(isBlack(shot.pixelColor(505, 313))) << "the window's far corner";
    EXPECT_TRUE(isBlack(shot.pixelColor(508, 317)));
}

// The program folder may be the user's own copy of it.
TEST(MainWindowOnDisplay, APipeInPlaceOfTheIconStillLetsTheWindowShow) {
    PlayerSession s;
    const QString icon = s.program().file("audio.ico");
    QFile::remove(icon);
    ASSERT_EQ(mkfifo(QFile::encodeName(icon).constData(), 0600), 0);
    s.start();
    EXPECT_FALSE(s.waitForWindow(kTitle).isEmpty()) << s.output().toStdString();
}

TEST(MainWindowOnDisplay, ThePlayKeyPlaysTheSampleAndTheTimeMoves) {
    PlayerSession s;
    playOnPStopOnS(s);
    // Started with the sample, the program plays it; the test stops it first.
    s.start({s.program().file("Samples/plenk-sample.ogg")});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    s.focus(window);
    ASSERT_TRUE(s.waitForPlaying("plenk-sample"));
    s.key("s");
    ASSERT_TRUE(s.waitForStopped()) << "the key went to " << s.texts().value("focus").toStdString();
    s.screenshot();

    s.key("p");
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StarePlayer") == "Playing"; }, kWaitMs))
        << "the key went to " << s.texts().value("focus").toStdString() << "\n"
        << s.output().toStdString();
    const QString first = s.texts().value("Main.TSec");
    s.screenshot();
    EXPECT_TRUE(waitUntil([&] { return s.texts().value("Main.TSec") != first; }, kWaitMs))
        << "the elapsed time stays at " << first.toStdString();
    s.screenshot();
}

// The caption the designs size the label for ends inside it, not at its edge.
TEST(MainWindowOnDisplay, TheChannelModeCaptionFitsItsLabel) {
    PlayerSession s;
    // Plain stereo (not joint stereo), as ffmpeg's encoder writes it at this rate.
    const QString song = s.program().file("stereo.mp3");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=20", "-ac",
                                     "2", "-ar", "44100", "-b:a", "128k", song}));
    s.start({song});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.labFreqChan") == "44100 Hz  Stereo"; },
                          kWaitMs))
        << s.texts().value("Main.labFreqChan").toStdString();

    // The label sits at 120, 2265 twips in a panel at 120, 360; 1410 x 195 twips.
    const QPoint origin = s.geometry(window).topLeft();
    const QRect label(origin + QPoint(16, 175), QSize(94, 13));
    const QImage shot =
        s.screenshotWhen([&](const QImage& i) { return lastInkColumn(i, label) >= 0; });
    const int ink = lastInkColumn(shot, label);
    EXPECT_GT(ink, label.left() + 47) << "the caption is drawn across the label";
    EXPECT_LT(ink, label.right() - 1) << "the caption runs into the label's edge";
}

TEST(MainWindowOnDisplay, ClosingTheWindowWritesTheSettings) {
    PlayerSession s;
    QFile::remove(s.program().file("settings.ini"));
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    s.screenshot();
    s.close(window);
    ASSERT_TRUE(s.waitForExit(kWaitMs)) << "the program goes on after its window closed";
    QFile settings(s.program().file("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "no settings.ini was written";
    const QList<QByteArray> lines = settings.readAll().split('\n');
    EXPECT_EQ(lines.value(1), "[Main]\r");
    EXPECT_EQ(lines.value(6), "[Playlist]\r");
}

// Qt ends the program at once when the X server goes away (a logout without
// a session manager): what the close saves is saved all the same, and each
// file that could not be is told on standard error.
TEST(MainWindowOnDisplay, AnXServerGoneSavesWhatTheCloseSavesAndTellsWhatItCouldNot) {
    PlayerSession s;
    QFile::remove(s.program().file("settings.ini"));
    // A file in place of the Data folder: no list can be saved.
    QDir(s.program().file("Data")).removeRecursively();
    s.program().write("Data", "");
    s.start();
    ASSERT_FALSE(s.waitForWindow(kTitle).isEmpty()) << s.output().toStdString();
    s.stopServer();
    ASSERT_TRUE(s.waitForExit(kWaitMs)) << "the program goes on without its X server";
    const QString output = s.output();
    EXPECT_EQ(testsupport::readLines(s.program().file("settings.ini")).value(1), "[Main]")
        << output.toStdString();
    for (const char* file : {"plst.data", "playlist.data", "keyboard.data", "top.data"})
        EXPECT_TRUE(output.contains(QRegularExpression("plenk-player: not saved: .*/Data/" +
                                                       QRegularExpression::escape(file) + ": ")))
            << file << ": " << output.toStdString();
}

// A key press sent straight to the window, as the X server's repeat of a
// held key brings it; the key stays down at the server.
void repeatInto(PlayerSession& s, const QString& windowId, KeySym key) {
    Display* x = XOpenDisplay(s.display().toLocal8Bit().constData());
    ASSERT_NE(x, nullptr);
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.window = windowId.toULong();
    event.xkey.root = DefaultRootWindow(x);
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(x, key);
    XSendEvent(x, event.xkey.window, True, KeyPressMask, &event);
    XCloseDisplay(x);
}

// A key left down (an earlier program lost its release) repeats into the box
// that a close whose saves failed brings up: the box waits for a key pressed
// while it shows, and Retry saves once room is made.
TEST(MainWindowOnDisplay, AKeyHeldFromBeforeTheCloseDoesNotAnswerItsBox) {
    PlayerSession s;
    s.startWindowManager();
    // A file in place of the Data folder: no list can be saved.
    QDir(s.program().file("Data")).removeRecursively();
    s.program().write("Data", "");
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    s.xdotool({"keydown", "Escape"});
    s.close(window);
    const QString box = s.waitForBox(kTitle, window);
    ASSERT_FALSE(box.isEmpty()) << "no box told of the files not saved";
    s.screenshot();
    // A busy box takes its keyboard, the repeat and the release all at once.
    s.pause();
    s.focus(box);
    repeatInto(s, box, XK_Escape);
    s.xdotool({"keyup", "Escape"});
    s.resume();
    QFile::remove(s.program().file("Data"));
    s.key("Return");
    ASSERT_TRUE(s.waitForExit(kWaitMs)) << "the box stayed after Retry";
    EXPECT_EQ(testsupport::readLines(s.program().file("Data/keyboard.data")).size(), 20)
        << "the box was answered before Retry: " << s.output().toStdString();
}

// Line 11 of settings.ini holds the volume the program kept on closing.
QByteArray savedVolume(PlayerSession& s) {
    QFile settings(s.program().file("settings.ini"));
    if (!settings.open(QIODevice::ReadOnly)) return {};
    return settings.readAll().split('\n').value(11).trimmed();
}

TEST(MainWindowOnDisplay, AClickOnTheVolumeSlidersLeftArrowLowersTheVolumeOneStep) {
    PlayerSession s;
    ASSERT_EQ(savedVolume(s), "80") << "the shipped settings start at 80";
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    // The Default skin puts the slider at 232, 216 pixels; its left arrow is 17 x 15.
    const QPoint arrow = s.geometry(window).topLeft() + QPoint(232 + 8, 216 + 7);
    s.screenshotWhen([&](const QImage& shot) { return !isBlack(shot.pixelColor(arrow)); });
    s.click(arrow.x(), arrow.y());
    s.screenshot();
    s.close(window);
    ASSERT_TRUE(s.waitForExit(kWaitMs)) << "the program goes on after its window closed";
    EXPECT_EQ(savedVolume(s), "79");
}

}  // namespace

TEST(MainWindowOnDisplay, ShortcutsFollowThePhysicalKeyOnARussianLayout) {
    PlayerSession s;
    playOnPStopOnS(s);
    ASSERT_EQ(QProcess::execute("setxkbmap", {"-display", s.display(), "-layout", "ru"}), 0);
    s.start({s.program().file("Samples/plenk-sample.ogg")});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    s.focus(window);
    ASSERT_TRUE(s.waitForPlaying("plenk-sample"));
    // The keys that carry S and P on a US keyboard type Cyrillic letters here.
    s.key("Cyrillic_yeru");
    ASSERT_TRUE(s.waitForStopped()) << "the key went to " << s.texts().value("focus").toStdString();
    s.key("Cyrillic_ze");
    EXPECT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StarePlayer") == "Playing"; }, kWaitMs));
    s.screenshot();
}

// A band's thumb dragged 20 pixels up raises that band alone: the settings
// the program writes on closing hold its new level.
TEST(MainWindowOnDisplay, DraggingABandsThumbUpMovesThatBandAlone) {
    PlayerSession s;
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    // Band 0 stands at 152, 120 in the window, 14 x 81: below its 7-pixel
    // button the 14-pixel thumb sits halfway along the 52-pixel travel.
    const QPoint thumb = s.geometry(window).topLeft() + QPoint(152 + 7, 120 + 7 + 26 + 7);
    s.screenshotWhen([&](const QImage& i) { return !isBlack(i.pixelColor(thumb)); });
    s.drag(thumb, thumb - QPoint(0, 20));
    s.screenshot();
    s.close(window);
    ASSERT_TRUE(s.waitForExit(kWaitMs));
    QFile settings(s.program().file("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = settings.readAll().split('\n');
    // Lines 33 to 43 hold the eleven bands.
    const int band0 = lines.value(33).trimmed().toInt();
    EXPECT_LT(band0, 25) << "band 0 moved up from 50";
    EXPECT_GT(band0, 0);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(lines.value(33 + i).trimmed(), "50") << "band " << i;
    EXPECT_EQ(lines.value(43).trimmed(), "100") << "the reverb";
}

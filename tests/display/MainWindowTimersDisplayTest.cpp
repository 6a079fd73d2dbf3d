#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>

#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

const QString kTitle = "Plenk Player";

// The shipped settings with some lines (0-based) replaced.
void changeSettings(PlayerSession& s, const std::map<int, QByteArray>& values) {
    QFile file(s.program().file("settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    for (const auto& [line, value] : values)
        lines[line] = value + "\r";
    s.program().write("settings.ini", lines.join('\n'));
}

// Stop (the fourth action) on S and minimize (the seventh) on M.
void stopOnSMinimizeOnM(PlayerSession& s) {
    const QByteArray codes[10] = {"", "", "", "83", "", "", "77"};
    const QByteArray names[10] = {"0", "0", "0", "S", "0", "0", "M", "0", "0", "0"};
    QByteArray file;
    for (const QByteArray& code : codes)
        file += code + "\r\n";
    for (const QByteArray& name : names)
        file += name + "\r\n";
    s.program().write("Data/keyboard.data", file);
}

QString makeVideo(PlayerSession& s) {
    const QString clip = s.program().file("clip.mpg");
    EXPECT_TRUE(
        testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=30:size=320x240:rate=25",
                             "-c:v", "mpeg1video", clip}));
    return clip;
}

TEST(MainWindowTimersOnDisplay, AVideoFromTheCommandLinePlaysInTheVideoLayout) {
    PlayerSession s;
    const QString clip = makeVideo(s);
    s.start({clip});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StarePlayer") == "playing"; }, kWaitMs))
        << s.texts().value("Main.StarePlayer").toStdString();
    EXPECT_EQ(s.texts().value("Main.LbActualCx(0)"), "320");
    const QRect place = s.geometry(window);
    EXPECT_GT(place.width(), 407) << "the window took the video's size";
    const QString firstTitle = s.texts().value("Main.Titlu");
    const QString firstTime = s.texts().value("Main.TSec");
    s.screenshot();
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto t = s.texts();
            return t.value("Main.TSec") != firstTime && t.value("Main.Titlu") != firstTitle;
        },
        kWaitMs));
    const auto texts = s.texts();
    EXPECT_EQ(texts.value("Main.Titlu").size(), 50) << "the marquee moves";
    EXPECT_TRUE(texts.value("Main.LabelVideo").startsWith(texts.value("Main.TSec")));
    s.screenshot();
}

TEST(MainWindowTimersOnDisplay, AVideoInMiniModeSwapsTheWindowsUntilStopped) {
    PlayerSession s;
    stopOnSMinimizeOnM(s);
    changeSettings(s, {{2, "3000"}, {3, "1500"}, {56, "mini"}});
    const QString clip = makeVideo(s);
    s.start({clip});
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StarePlayer") == "playing"; }, kWaitMs))
        << s.output().toStdString();
    auto texts = s.texts();
    EXPECT_EQ(texts.value("DataForm.MiniMode"), "False");
    EXPECT_EQ(texts.value("Main.Visible"), "True");
    EXPECT_FALSE(texts.contains("MiniForm.Visible")) << "the mini window is unloaded";
    const QString main = s.waitForWindow(kTitle);
    ASSERT_FALSE(main.isEmpty());
    EXPECT_EQ(s.geometry(main).topLeft(), QPoint(200, 100)) << "at the mini window's place";
    s.screenshot();

    s.focus(main);
    s.key("s");
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("DataForm.MiniMode") == "True"; }, kWaitMs));
    texts = s.texts();
    EXPECT_EQ(texts.value("MiniForm.Visible"), "True");
    EXPECT_EQ(texts.value("Main.Visible"), "False");
    const QString mini = s.waitForWindow(kTitle);
    EXPECT_EQ(s.geometry(mini).topLeft(), QPoint(200, 100)) << "at the main window's place";
    s.screenshot();
}

TEST(MainWindowTimersOnDisplay, SmallModeShowsAtLeastTheMinimumSize) {
    PlayerSession s;
    changeSettings(s, {{2, "1500"}, {3, "1200"}, {4, "5000"}, {5, "1500"}, {53, "Small"}});
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    EXPECT_TRUE(waitUntil([&] { return s.geometry(window).size() == QSize(407, 133); }, kWaitMs))
        << "6100 x 2000 twips";
    s.screenshot();
}

TEST(MainWindowTimersOnDisplay, MinimizeAndRestoreBringThePlaylistBack) {
    if (QStandardPaths::findExecutable("openbox").isEmpty()) GTEST_SKIP() << "no openbox";
    PlayerSession s;
    ASSERT_NO_FATAL_FAILURE(s.startWindowManager());
    stopOnSMinimizeOnM(s);
    s.start();
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Playlist.Visible") == "True"; }, kWaitMs));
    s.screenshot();

    s.focus(window);
    s.key("m");
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.WindowState") == "1"; }, kWaitMs));
    EXPECT_TRUE(waitUntil([&] { return s.texts().value("Playlist.Visible") == "False"; }, kWaitMs));
    EXPECT_EQ(s.texts().value("DataForm.PlaylistON"), "1");
    s.screenshot();

    s.xdotool({"windowactivate", window});
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.WindowState") == "0"; }, kWaitMs));
    EXPECT_TRUE(waitUntil([&] { return s.texts().value("Playlist.Visible") == "True"; }, kWaitMs));
    EXPECT_EQ(s.texts().value("Main.Visible"), "True");
    s.screenshot();
}

}  // namespace

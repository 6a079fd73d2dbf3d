#include <gtest/gtest.h>

#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// A playlist of three copies of the sample under different names.
void threeEntries(PlayerSession& s) {
    QFile sample(s.program().file("Samples/plenk-sample.ogg"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray bytes = sample.readAll();
    QByteArray list;
    for (const QString name : {"Alpha song", "Beta tune", "Gamma air"})
        list += s.program().write("Music/" + name + ".ogg", bytes).toUtf8() + "\r\n";
    s.program().write("Data/plst.data", list);
}

// A double-click on the playlist's second row plays that entry: the main
// window says "Playing" with the entry's title.
TEST(PlaylistPlayOnDisplay, DoubleClickOnARowPlaysThatEntry) {
    PlayerSession s;
    threeEntries(s);
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("Playlist.PicList[2]") == "Gamma air"; }, kWaitMs));
    s.screenshot();
    EXPECT_NE(s.texts().value("Main.StarePlayer"), "Playing");

    // The list starts 24 pixels down the window; its rows are one line of its
    // small font, 11 pixels, so 41 pixels down is the second row's middle.
    const QPoint row = s.geometry(playlist).topLeft() + QPoint(60, 41);
    s.doubleClick(row);
    ASSERT_TRUE(s.waitForPlaying("Beta tune"))
        << s.texts().value("Main.StarePlayer").toStdString() << " / "
        << s.texts().value("Main.PiesaCurenta").toStdString() << "\n"
        << s.output().toStdString();
    s.screenshot();
}

}  // namespace

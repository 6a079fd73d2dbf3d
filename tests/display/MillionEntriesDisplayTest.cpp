#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;

namespace {

// An ID3v1 tag with this title.
QByteArray titleTag(const QByteArray& title) {
    return "TAG" + title + QByteArray(30 - title.size(), '\0') + QByteArray(94, '\0') + '\x0C';
}

// A playlist of a million entries whose second one is a real file tagged
// "Clicked" (the others need not exist: nothing reads them at start).
void aMillionEntries(PlayerSession& s) {
    const QString clicked =
        s.program().write("Music/b.mp3", QByteArray(200, 'x') + titleTag("Clicked"));
    QByteArray list = "/music/a.mp3\r\n" + clicked.toUtf8() + "\r\n";
    list.reserve(70 * 1000000);
    for (int i = 2; i < 1000000; ++i)
        list += "/home/user/Music/Artist " + QByteArray::number(i % 300) + "/Album " +
                QByteArray::number(i % 40) + "/" + QByteArray::number(i) +
                " - Some song title.mp3\r\n";
    s.program().write("Data/plst.data", list);
}

// The player started with a million entries answers a click as soon as its
// playlist window shows: the clicked row's tag is read into the library's
// editor within 100 ms of the window appearing, while the rest of the
// entries are still coming in.
TEST(MillionEntriesOnDisplay, AClickIsAnsweredAtOnceAfterTheWindowAppears) {
    PlayerSession s;
    aMillionEntries(s);
    s.start();
    const QString playlist = s.waitForWindow("Playlist", 60000);
    QElapsedTimer sinceShown;
    sinceShown.start();
    ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    // The list starts 24 pixels down the window and its rows are 11 pixels
    // high: 41 pixels down is the second row.
    const QPoint row = s.geometry(playlist).topLeft() + QPoint(60, 41);
    s.clickAtOnce(row.x(), row.y());
    bool answered = false;
    while (!answered && sinceShown.elapsed() < 5000)
        answered = s.texts().value("MediaLibrary.Text1T") == "Clicked";
    const qint64 ms = sinceShown.elapsed();
    ASSERT_TRUE(answered) << s.output().toStdString();
    EXPECT_LT(ms, 100) << "the click was answered " << ms << " ms after the window appeared";
    s.screenshot();
}

}  // namespace

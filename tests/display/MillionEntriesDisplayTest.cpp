#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;

namespace {

// Asks for the texts this often while waiting for the answer.
constexpr int kQuickPollMs = 2;

// An ID3v1 tag with this title.
QByteArray titleTag(const QByteArray& title) {
    return "TAG" + title + QByteArray(30 - title.size(), '\0') + QByteArray(94, '\0') + '\x0C';
}

// A playlist of count entries whose second one is a real file tagged
// "Clicked" (the others need not exist: nothing reads them at start).
void entries(PlayerSession& s, int count) {
    const QString clicked =
        s.program().write("Music/b.mp3", QByteArray(200, 'x') + titleTag("Clicked"));
    QByteArray list = "/music/a.mp3\r\n" + clicked.toUtf8() + "\r\n";
    list.reserve(70 * qsizetype{count});
    for (int i = 2; i < count; ++i)
        list += "/home/user/Music/Artist " + QByteArray::number(i % 300) + "/Album " +
                QByteArray::number(i % 40) + "/" + QByteArray::number(i) +
                " - Some song title.mp3\r\n";
    s.program().write("Data/plst.data", list);
}

// Starts the player with count entries and clicks the second row the moment
// its playlist window shows; how long after that the clicked row's tag was
// read into the library's editor, in ms (-1 when never).
qint64 clickAnswer(int count) {
    PlayerSession s;
    entries(s, count);
    s.start();
    const QString playlist = s.waitForWindow("Playlist", 60000);
    QElapsedTimer sinceShown;
    sinceShown.start();
    if (playlist.isEmpty()) {
        ADD_FAILURE() << s.output().toStdString();
        return -1;
    }
    // The list starts 24 pixels down the window and its rows are 11 pixels
    // high: 41 pixels down is the second row.
    s.clickAtOnce(playlist, QPoint(60, 41));
    while (sinceShown.elapsed() < 5000)
        if (s.texts(kQuickPollMs).value("MediaLibrary.Text1T") == "Clicked")
            return sinceShown.elapsed();
    ADD_FAILURE() << s.output().toStdString();
    return -1;
}

// The quickest of up to tries answers, stopping at one under enough: a busy
// machine only ever adds to an answer's time.
qint64 quickest(int count, int tries, qint64 enough) {
    qint64 best = -1;
    for (int i = 0; i < tries && (best < 0 || best >= enough); ++i) {
        const qint64 answer = clickAnswer(count);
        if (answer < 0) return -1;
        best = best < 0 ? answer : std::min(best, answer);
    }
    return best;
}

// The player started with a million entries answers a click as soon as its
// playlist window shows, while the rest of the entries are still coming in:
// within 100 ms of the window appearing.  The rest of start-up also runs
// after the window first shows, and a busy machine stretches it, so the
// same gesture with a handful of entries sets how much later than 100 ms a
// busy machine may answer: the entries themselves must add less than 40 ms.
// Each is the quickest of a few tries, so that a moment's load in a parallel
// test run does not decide.
TEST(MillionEntriesOnDisplay, AClickIsAnsweredAtOnceAfterTheWindowAppears) {
    const qint64 few = quickest(20, 2, 0);
    ASSERT_GE(few, 0);
    const qint64 bound = std::max<qint64>(100, few + 40);
    const qint64 many = quickest(1000000, 3, bound);
    ASSERT_GE(many, 0);
    EXPECT_LT(many, bound) << "the click was answered " << many << " ms after the window appeared ("
                           << few << " ms with 20 entries)";
}

}  // namespace

#include <gtest/gtest.h>

#include <QFile>

#include "support/display/DisplaySession.h"

using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

QString text(int value) {
    return QString::number(value);
}

QByteArray sampleBytes(PlayerSession& s) {
    QFile sample(s.program().file("Samples/plenk-sample.ogg"));
    EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
    return sample.readAll();
}

// A playlist of copies of the sample, named by titles, in this order.
void playlistOf(PlayerSession& s, const QStringList& titles) {
    const QByteArray bytes = sampleBytes(s);
    QByteArray list;
    for (const QString& name : titles)
        list += s.program().write("Music/" + name + ".ogg", bytes).toUtf8() + "\r\n";
    s.program().write("Data/plst.data", list);
}

void doubleClick(PlayerSession& s, QPoint at) {
    s.xdotool({"mousemove", text(at.x()), text(at.y())});
    s.xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
}

// The list starts 24 pixels down the window, one 11-pixel row per entry; a
// point in a row's upper half, where the row the list counts from the
// pointer's height (rounded to the nearest) is the row itself.
QPoint row(const QRect& playlist, int index) {
    return playlist.topLeft() + QPoint(60, 24 + 11 * index + 2);
}

QString items(PlayerSession& s) {
    return s.texts().value("Playlist.ItemsLabel");
}

}  // namespace

// The first row dragged onto the third moves there: the row now third
// plays "Alpha song".
TEST(PlaylistGesturesOnDisplay, ARowDraggedOntoAnotherMovesThere) {
    PlayerSession s;
    playlistOf(s, {"Alpha song", "Beta tune", "Gamma air", "Delta hymn"});
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty());
    const QRect at = s.geometry(playlist);
    s.screenshot();

    // Small steps: the drag takes the row under the pointer's first move.
    s.drag(row(at, 0), row(at, 2), 11);
    s.screenshot();
    doubleClick(s, row(at, 2));
    EXPECT_TRUE(s.waitForPlaying("Alpha song"))
        << s.texts().value("Main.PiesaCurenta").toStdString();
}

// The playlist's scroll bar thumb dragged past the end of its track shows
// the end of a 100-entry list: the first row shown is far down the list.
TEST(PlaylistGesturesOnDisplay, TheScrollBarDraggedToTheEndShowsTheLastEntries) {
    PlayerSession s;
    QStringList titles;
    for (int i = 0; i < 100; ++i)
        titles << QString("Song %1").arg(i, 3, 10, QChar('0'));
    playlistOf(s, titles);
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty());
    ASSERT_TRUE(waitUntil([&] { return items(s) == "Total items: 100"; }, 5000));
    const QRect at = s.geometry(playlist);
    s.screenshot();

    // The bar stands 320 twips in from the right edge and 380 down; its
    // 7-pixel up button is followed by the 20-pixel thumb.
    const QPoint thumb = at.topLeft() + QPoint(at.width() - 21 + 8, 25 + 7 + 10);
    s.drag(thumb, thumb + QPoint(0, at.height() - 70));
    s.screenshot();
    doubleClick(s, row(at, 0));
    QString title;
    ASSERT_TRUE(waitUntil(
        [&] {
            title = s.texts().value("Main.PiesaCurenta");
            return title.startsWith("Song ");
        },
        10000))
        << title.toStdString();
    EXPECT_GT(title.mid(5).toInt(), 60) << title.toStdString();
    s.screenshot();
}

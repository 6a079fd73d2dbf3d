#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "support/display/DisplaySession.h"
#include "support/display/DragProgram.h"

using displaytest::DragProgram;
using displaytest::kWaitMs;
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

// The list starts 24 pixels down the window, one 11-pixel row per entry; a
// point in a row's upper half, where the row the list counts from the
// pointer's height (rounded to the nearest) is the row itself.
QPoint row(const QRect& playlist, int index) {
    return playlist.topLeft() + QPoint(60, 24 + 11 * index + 2);
}

QString items(PlayerSession& s) {
    return s.texts().value("Playlist.ItemsLabel");
}

// Starts the player on a hundred entries, "Song 000" to "Song 099"; the
// playlist window's place once it shows them all, or an empty rectangle.
QRect aHundredSongsShown(PlayerSession& s) {
    QStringList titles;
    for (int i = 0; i < 100; ++i)
        titles << QString("Song %1").arg(i, 3, 10, QChar('0'));
    playlistOf(s, titles);
    s.start();
    EXPECT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    if (!waitUntil([&] { return items(s) == "Total items: 100"; }, kWaitMs)) return {};
    return s.geometry(playlist);
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
    ASSERT_TRUE(waitUntil([&] { return items(s) == "Total items: 4"; }, kWaitMs));
    const QRect at = s.geometry(playlist);
    s.screenshot();

    // Small steps: the drag takes the row under the pointer's first move.
    s.drag(row(at, 0), row(at, 2), 11);
    EXPECT_TRUE(waitUntil(
        [&] {
            return s.rows("Playlist.PicList") ==
                   QStringList({"Beta tune", "Gamma air", "Alpha song", "Delta hymn"});
        },
        kWaitMs))
        << s.rows("Playlist.PicList").join(", ").toStdString();
    s.screenshot();
    s.doubleClick(row(at, 2));
    EXPECT_TRUE(s.waitForPlaying("Alpha song"))
        << s.texts().value("Main.PiesaCurenta").toStdString();
}

// The playlist's scroll bar thumb dragged past the end of its track shows
// the end of a 100-entry list: the first row shown is far down the list.
TEST(PlaylistGesturesOnDisplay, TheScrollBarDraggedToTheEndShowsTheLastEntries) {
    PlayerSession s;
    const QRect at = aHundredSongsShown(s);
    ASSERT_FALSE(at.isEmpty());
    s.screenshot();

    // The bar stands 320 twips in from the right edge and 380 down; its
    // 7-pixel up button is followed by the 20-pixel thumb.
    const QPoint thumb = at.topLeft() + QPoint(at.width() - 21 + 8, 25 + 7 + 10);
    s.drag(thumb, thumb + QPoint(0, at.height() - 70));
    ASSERT_TRUE(waitUntil([&] { return s.topIndex("Playlist.PicList") > 60; }, kWaitMs))
        << s.topIndex("Playlist.PicList");
    EXPECT_TRUE(s.showsItsRows("Playlist.PicList"));
    s.doubleClick(row(at, 0));
    QString title;
    ASSERT_TRUE(waitUntil(
        [&] {
            title = s.texts().value("Main.PiesaCurenta");
            return title.startsWith("Song ");
        },
        kWaitMs))
        << title.toStdString();
    EXPECT_GT(title.mid(5).toInt(), 60) << title.toStdString();
    s.screenshot();
}

// Page Down twice from the first row, then End: the screen shows the rows
// the list holds where the keys took it.
TEST(PlaylistGesturesOnDisplay, PageDownAndEndShowTheRowsTheyReach) {
    PlayerSession s;
    const QRect at = aHundredSongsShown(s);
    ASSERT_FALSE(at.isEmpty());
    displaytest::pageDownTwiceThenEnd(s, "Playlist.PicList", row(at, 0), 99);
}

// Two files and a folder dragged from another program onto the second row:
// the files go there in their order, the folder's files after the last
// entry; dropped on the window's frame instead, nothing is taken.  The
// program ends its drag (and quits) at the release, before the player has
// handled the drop.
TEST(PlaylistGesturesOnDisplay, FilesAndAFolderDroppedFromADragProgramLandAtTheDropRow) {
    PlayerSession s;
    playlistOf(s, {"Alpha song", "Beta tune", "Gamma air"});
    const QByteArray bytes = sampleBytes(s);
    const QStringList dropped{s.program().write("Dropped/one.ogg", bytes),
                              s.program().write("Dropped/two.ogg", bytes),
                              QFileInfo(s.program().write("Dropped/album/x1.ogg", bytes)).path()};
    s.program().write("Dropped/album/x2.ogg", bytes);
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty());
    ASSERT_TRUE(waitUntil([&] { return items(s) == "Total items: 3"; }, kWaitMs));
    const QRect at = s.geometry(playlist);

    // Released on the window's frame, above the list, the files are refused:
    // the program hears that nothing was dropped.
    {
        const QPoint frame = at.topLeft() + QPoint(at.width() / 2, 8);
        DragProgram refused(s, frame + QPoint(250, 0), dropped);
        ASSERT_FALSE(s.waitForWindow("Drag source").isEmpty());
        s.xdotool({"mousemove", text(frame.x() + 270), text(frame.y() + 20), "mousedown", "1"});
        ASSERT_TRUE(refused.says("dragging"));
        for (int i = 0; i <= 5; ++i)
            s.xdotool({"mousemove", text(frame.x() + 50 * (5 - i)), text(frame.y())});
        s.xdotool({"mouseup", "1"});
        EXPECT_TRUE(refused.says("dropped none"));
        EXPECT_EQ(items(s), "Total items: 3");
    }

    // The program's window to the right of the playlist, level with row 1.
    // The drag jumps into the list and then moves along that row only, so
    // that whichever position the list saw last is on row 1.
    const QPoint target = row(at, 1);
    const QPoint source(at.right() + 200, target.y());
    DragProgram program(s, source - QPoint(20, 20), dropped);
    ASSERT_FALSE(s.waitForWindow("Drag source").isEmpty());
    s.screenshot();

    s.xdotool({"mousemove", text(source.x()), text(source.y())});
    s.xdotool({"mousedown", "1"});
    ASSERT_TRUE(program.says("dragging"));
    const QPoint inList = target + QPoint(250, 0);
    for (int i = 0; i <= 5; ++i) {
        const QPoint step = inList + (target - inList) * i / 5;
        s.xdotool({"mousemove", text(step.x()), text(step.y())});
    }
    ASSERT_TRUE(program.says("over copy")) << "the list takes the files as a copy";
    s.xdotool({"mouseup", "1"});
    EXPECT_TRUE(program.says("dropped copy"));

    EXPECT_TRUE(waitUntil([&] { return items(s) == "Total items: 7"; }, kWaitMs))
        << items(s).toStdString();
    EXPECT_EQ(s.rows("Playlist.PicList"),
              QStringList({"Alpha song", "one", "two", "Beta tune", "Gamma air", "x1", "x2"}));
    s.screenshot();
}

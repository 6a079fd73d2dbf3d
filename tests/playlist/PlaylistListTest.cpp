#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <cmath>

#include "PlaylistFixture.h"
#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "windows/Main.h"

namespace {

using playlisttest::tagged;

class PlaylistListTest : public playlisttest::PlaylistFixture {
  protected:
    Playlist& w = p.form<Playlist>();

    // A height (twips from the list's top) inside a shown row.
    float rowY(int shownRow) const {
        const int h = w.PicList.SendMessageA(ui::LB_GETITEMHEIGHT, 0, 0);
        return static_cast<float>((shownRow * h + h / 2) * 15);
    }
    ui::DataObject filesDrop(const QStringList& files) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(f);
        mime.setUrls(urls);
        return ui::DataObject(&mime);
    }
    int drop(const QStringList& files, float y) {
        ui::DataObject data = filesDrop(files);
        int effect = -1;
        w.PicList_OLEDragDrop(data, effect, 1, 0, 100, y);
        return effect;
    }
    QStringList names(const QStringList& relative) {
        QStringList out;
        for (const QString& r : relative)
            out << put(r);
        return out;
    }
};

TEST_F(PlaylistListTest, RowUnderAHeight) {
    EXPECT_EQ(w.ListRowCalc(w.PicList, rowY(0)), -1) << "empty list";
    preload(100);
    EXPECT_EQ(w.ListRowCalc(w.PicList, rowY(3)), 3);
    EXPECT_EQ(w.ListRowCalc(w.PicList, rowY(300)), 99) << "below the last row";
    w.PicList.setTopIndex(10);
    EXPECT_EQ(w.ListRowCalc(w.PicList, rowY(2)), 12) << "scrolled";
}

TEST_F(PlaylistListTest, RowMoveShiftsTheRowsBetween) {
    preload(7);
    Playlist::ListRowMove(rows, 2, 5);
    EXPECT_EQ(rows.items(), QStringList({"e0", "e1", "e3", "e4", "e5", "e2", "e6"}));
    Playlist::ListRowMove(rows, 5, 2);
    EXPECT_EQ(rows.items(), QStringList({"e0", "e1", "e2", "e3", "e4", "e5", "e6"}));
    Playlist::ListRowMove(rows, 4, 4);
    EXPECT_EQ(rows.List(4), "e4");
}

TEST_F(PlaylistListTest, SelectingARowShowsItsWholeTag) {
    QByteArray tag = tagged("Title", "Artist");
    tag.replace(200 + 63, 5, "Album");
    tag.replace(200 + 93, 4, "1999");
    tag.replace(200 + 97, 7, "Comment");
    tag[200 + 127] = 3;
    paths.AddItem(put("a.mp3", tag));
    rows.AddItem("a");
    paths.AddItem(put("b.mp3", tagged("Other", "Band")));
    rows.AddItem("b");
    rows.setListIndex(0);
    EXPECT_EQ(paths.ListIndex(), 0);
    MediaLibrary& lib = p.form<MediaLibrary>();
    EXPECT_TRUE(lib.Text3T.Text().startsWith("Album"));
    EXPECT_EQ(lib.Text4T.Text(), "1999");
    EXPECT_TRUE(lib.Text5T.Text().startsWith("Comment"));
    EXPECT_EQ(lib.Combo1T.ListIndex(), 3);
    rows.setListIndex(1);
    EXPECT_EQ(paths.ListIndex(), 1);
    EXPECT_TRUE(lib.Text1T.Text().startsWith("Other"));
}

TEST_F(PlaylistListTest, DoubleClickPlaysTheRowFromThePlaylist) {
    preload(4);
    rows.setListIndex(2);
    p.form<Main>().StarePlayer.setCaption("Paused");
    p.media().clearCommands();
    w.PicList_DblClick();
    EXPECT_EQ(p.form<DataForm>().FromPlaylist.Caption(), "True");
    EXPECT_EQ(p.form<DataForm>().SongNumber.Caption(), "2");
    EXPECT_EQ(p.form<Main>().LbFileName(0).Caption(), paths.List(2));
    EXPECT_EQ(p.media().commands().size(), 4u) << "the paused media is stopped before playing";
    p.form<Main>().StarePlayer.setCaption("Stopped");
    p.media().clearCommands();
    w.PicList_DblClick();
    EXPECT_EQ(p.media().commands().size(), 2u);
}

TEST_F(PlaylistListTest, DraggingARowMovesItInBothLists) {
    preload(8);
    w.PicList_MouseMove(0, 0, 10, rowY(2));
    EXPECT_EQ(w.DragRow, -1) << "no button: no drag";
    w.Resizing = true;
    w.PicList_MouseMove(1, 0, 10, rowY(2));
    EXPECT_EQ(w.DragRow, -1) << "the grip is held";
    w.Resizing = false;
    w.PicList_MouseMove(1, 0, 10, rowY(2));
    EXPECT_EQ(w.DragRow, 2);
    w.PicList.Drag(ui::Control::vbCancel);
    w.PicList_DragOver(w.PicList, 10, rowY(4), 0);
    EXPECT_EQ(rows.ListIndex(), 4);
    EXPECT_EQ(paths.ListIndex(), 4) << "the selection follows the pointer";
    w.PicList_DragDrop(w.PicList, 10, rowY(5));
    EXPECT_EQ(rows.items(), QStringList({"e0", "e1", "e3", "e4", "e5", "e2", "e6", "e7"}));
    expectInStep();
    EXPECT_EQ(rows.ListIndex(), 5);

    w.DragRow = 0;
    w.PicList_DragDrop(w.PicList, 10, rowY(40));
    EXPECT_EQ(rows.List(7), "e0") << "below the last row: to the last row";
    w.DragRow = 3;
    w.PicList_DragDrop(w.PicList, 10, rowY(3));
    EXPECT_EQ(rows.List(3), "e5");
    EXPECT_EQ(rows.ListIndex(), 3) << "dropped on its own row: selected again";
    expectInStep();
}

TEST_F(PlaylistListTest, DeleteKeyGoesToTheShortcutsThenRemoves) {
    preload(3);
    int key = 46;
    w.PicList_KeyDown(key, 0);
    EXPECT_EQ(rows.ListCount(), 3) << "no selection: nothing removed";
    paths.setListIndex(1);
    w.PicList_KeyDown(key, 0);
    EXPECT_EQ(rows.ListCount(), 3) << "the path list's own selection does not count";
    rows.setListIndex(1);
    w.PicList_KeyDown(key, 0);
    EXPECT_EQ(rows.items(), QStringList({"e0", "e2"}));
    expectInStep();
}

TEST_F(PlaylistListTest, RightReleaseSelectsAndShowsTheMenu) {
    preload(5);
    w.PicList_MouseUp(2, 0, 100, rowY(3));
    EXPECT_EQ(rows.ListIndex(), 3);
    EXPECT_EQ(p.dialogs->count("Menu"), 1);
    EXPECT_EQ(p.dialogs->shown.back().text, "MeniuPlaylist");
    w.PicList_MouseUp(2, 0, 100, rowY(30));
    EXPECT_EQ(rows.ListIndex(), 3) << "off the rows: nothing selected";
    EXPECT_EQ(p.dialogs->count("Menu"), 2);
    w.PicList_MouseUp(1, 0, 100, rowY(1));
    EXPECT_EQ(p.dialogs->count("Menu"), 2) << "no menu on a left release";
}

// Rows past 65,535 are selected as they are, not by their low 16 bits.
TEST_F(PlaylistListTest, ARightReleaseSelectsARowPast65535) {
    preload(70000);
    for (const int target : {65535, 65536, 69979}) {
        w.PicList.setTopIndex(target - 2);
        w.PicList_MouseUp(2, 0, 100, rowY(2));
        EXPECT_EQ(rows.ListIndex(), target);
        EXPECT_EQ(paths.ListIndex(), target);
    }
}

TEST_F(PlaylistListTest, DroppedFilesKeepTheirOrder) {
    const QStringList f = names({"f1.mp3", "f2.mp3", "f3.mp3"});
    EXPECT_EQ(drop(f, rowY(0)), ui::vbDropEffectCopy);
    EXPECT_EQ(rows.items(), QStringList({"f1", "f2", "f3"})) << "empty playlist";
    rows.Clear();
    paths.Clear();
    preload(10);
    drop(f, rowY(4));
    EXPECT_EQ(rows.items().mid(4, 4), QStringList({"f1", "f2", "f3", "e4"}));
    expectInStep();
    rows.Clear();
    paths.Clear();
    preload(5);
    drop(f, rowY(20));
    EXPECT_EQ(rows.items().mid(4), QStringList({"e4", "f1", "f2", "f3"})) << "below the last row";
    expectInStep();
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
}

TEST_F(PlaylistListTest, DropTakesMediaFilesAndWalksFolders) {
    preload(2);
    put("x.mp3/inner.ogg");
    const QStringList items = names({"A.MP3", "b.txt", "c.Mpeg", "song.mp3.txt", "d.ogg"});
    drop(items + QStringList{music.file("x.mp3"), music.file("gone.mp3")}, rowY(1));
    EXPECT_EQ(relativePaths(), QStringList({"/old/e0.mp3", "A.MP3", "c.Mpeg", "d.ogg",
                                            "/old/e1.mp3", "x.mp3/inner.ogg"}));
    expectInStep();
}

// The files go to the row the pointer was over as the list stood; a folder
// dropped before them, walked first, only appends after the last entry.
TEST_F(PlaylistListTest, DroppedFilesLandAtTheDropRowAndAFoldersFilesAtTheEnd) {
    const QStringList walked{"fold/x1.ogg", "fold/x2.ogg", "fold/x3.ogg"};
    names(walked);
    const QStringList files = names({"f1.mp3", "f2.mp3"});
    drop(QStringList{music.file("fold")} + files, rowY(1));
    EXPECT_EQ(relativePaths(), QStringList({"f1.mp3", "f2.mp3"}) + walked)
        << "on an empty playlist";
    expectInStep();

    rows.Clear();
    paths.Clear();
    preload(2);
    drop(QStringList{music.file("fold")} + files, rowY(3));
    EXPECT_EQ(relativePaths(),
              QStringList({"/old/e0.mp3", "/old/e1.mp3", "f1.mp3", "f2.mp3"}) + walked)
        << "below the last row";
    drop(files + QStringList{music.file("fold")}, rowY(1));
    EXPECT_EQ(relativePaths().mid(0, 4),
              QStringList({"/old/e0.mp3", "f1.mp3", "f2.mp3", "/old/e1.mp3"}))
        << "onto a row";
    EXPECT_EQ(relativePaths().mid(9), walked);
    expectInStep();
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
}

TEST_F(PlaylistListTest, DroppedFilesShowTheirTagsInTheTagModes) {
    p.form<Options>().Option18.setValue(true);
    preload(3);
    drop({put("t.mp3", tagged("Song", "Band")), put("u.mp3")}, rowY(1));
    EXPECT_EQ(rows.items(), QStringList({"e0", "Band - Song", "u", "e1", "e2"}));
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
}

TEST_F(PlaylistListTest, OnlyFileListsAreAccepted) {
    QMimeData mime;
    mime.setText("https://example.org/song.mp3");
    ui::DataObject text(&mime);
    int effect = -1;
    w.PicList_OLEDragOver(text, effect, 1, 0, 0, 0, 0);
    EXPECT_EQ(effect, ui::vbDropEffectNone);
    w.PicList_OLEDragDrop(text, effect, 1, 0, 0, 0);
    EXPECT_EQ(effect, ui::vbDropEffectNone);
    EXPECT_EQ(paths.ListCount(), 0);
    ui::DataObject files = filesDrop({put("s.mp3")});
    w.PicList_OLEDragOver(files, effect, 1, 0, 0, 0, 0);
    EXPECT_EQ(effect, ui::vbDropEffectCopy);
}

TEST_F(PlaylistListTest, BadDropItemsAddNothing) {
    const QString good = put("good.mp3");
    const QString deleted = put("deleted.mp3");
    QFile::remove(deleted);
    QFile::link(music.file("nowhere.mp3"), music.file("broken.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(music.file("pipe.mp3")).constData(), 0600), 0);
    const QString lineBreak = put("two\nlines.mp3");
    QString longName = music.path();
    while (longName.size() < 4000)
        longName += "/" + QString(200, u'd');
    QDir().mkpath(longName);
    const QString longFile = longName + "/long.mp3";
    QFile(longFile).open(QIODevice::WriteOnly);
    QMimeData mime;
    mime.setUrls({QUrl("https://example.org/song.mp3"), QUrl("smb://host/share/song.mp3"),
                  QUrl::fromLocalFile(deleted), QUrl::fromLocalFile(music.file("broken.mp3")),
                  QUrl::fromLocalFile(music.file("pipe.mp3")), QUrl::fromLocalFile(lineBreak),
                  QUrl::fromLocalFile(good), QUrl::fromLocalFile(longFile)});
    ui::DataObject data(&mime);
    int effect = 0;
    w.PicList_OLEDragDrop(data, effect, 1, 0, 0, 0);
    EXPECT_EQ(paths.items(), QStringList({good, longFile}));
    expectInStep();
}

TEST_F(PlaylistListTest, ABigDropAddsEveryFile) {
    QStringList many;
    for (int i = 0; i < 3000; ++i)
        many << put(QString("many/%1.mp3").arg(i, 4, 10, QChar('0')));
    drop(many, rowY(0));
    ASSERT_EQ(paths.ListCount(), 3000);
    EXPECT_EQ(rows.List(2999), "2999");
    expectInStep();
}

}  // namespace

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "PlaylistFixture.h"
#include "options/Options.h"
#include "playlist/JumpForm.h"

namespace {

using playlisttest::tagged;

class ClsPlFoldersTest : public playlisttest::PlaylistFixture {
  protected:
    ui::ListBox& queue = p.form<DataForm>().Foldere;

    void walk(const QString& relative) {
        pl.AdaugaFolderDrag(music.file(relative));
        EXPECT_EQ(queue.ListCount(), 0) << "a walk ends with an empty queue";
    }
};

TEST_F(ClsPlFoldersTest, FilesInNameOrderEachSubFolderAfterItsOwn) {
    for (const char* f : {"root/b.mp3", "root/A.mp3", "root/notes.txt", "root/song.mp3.txt",
                          "root/.hidden.mp3", "root/Zed/z.wav", "root/alpha/x.mp3",
                          "root/alpha/deep/e.MP3", "root/alpha/deep/d.ogg", "root/.dot/h.mp3"})
        put(f);
    QDir(music.path()).mkpath("root/empty");
    preload(2);
    rows.setListIndex(1);
    walk("root");
    EXPECT_EQ(relativePaths().mid(2),
              QStringList({"root/A.mp3", "root/b.mp3", "root/.dot/h.mp3", "root/alpha/deep/d.ogg",
                           "root/alpha/deep/e.MP3", "root/alpha/x.mp3", "root/Zed/z.wav"}));
    expectInStep();
    EXPECT_EQ(rows.ListIndex(), -1) << "the playlist's selection is cleared";
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
}

TEST_F(ClsPlFoldersTest, MasksIgnoreCaseAndTwoTakeAnyNameEnding) {
    for (const char* f :
         {"m/a.M2V", "m/bxrmi", "m/c3gp", "m/d.Ogg", "m/e.midi", "m/f.mid.bak", "m/g.flac", "m/h"})
        put(f);
    walk("m");
    EXPECT_EQ(relativePaths(),
              QStringList({"m/a.M2V", "m/bxrmi", "m/c3gp", "m/d.Ogg", "m/e.midi"}));
}

TEST_F(ClsPlFoldersTest, FolderPickerAsksAndCancelAddsNothing) {
    put("picked/one.mp3");
    pl.AdaugaFolder();
    ASSERT_EQ(p.dialogs->count("Folder"), 1);
    EXPECT_EQ(p.dialogs->shown.back().text, "Adauga folder in playlist:");
    EXPECT_EQ(p.dialogs->shown.back().title, "") << "no initial folder";
    EXPECT_EQ(paths.ListCount(), 0);

    p.dialogs->folderAnswers.push_back(music.file("picked"));
    pl.AdaugaFolder();
    EXPECT_EQ(pl.ChosenFolder, music.file("picked"));
    EXPECT_EQ(relativePaths(), QStringList({"picked/one.mp3"}));
    expectInStep();
}

TEST_F(ClsPlFoldersTest, OnlyReadableFoldersGivenAreWalked) {
    const QString file = put("given/song.mp3");
    put("media.mp3/inside.mp3");
    queue.AddItem(file);
    queue.AddItem(music.file("gone"));
    pl.AdaugaFolderDrag(file);
    pl.AdaugaFolderDrag(music.file("missing"));
    pl.AdaugaFolderDrag("");
    EXPECT_EQ(paths.ListCount(), 0) << "a file or a missing folder is not walked";
    walk("media.mp3");
    EXPECT_EQ(relativePaths(), QStringList({"media.mp3/inside.mp3"}))
        << "stale queue rows are not walked; a folder named like a file is";
    expectInStep();
}

TEST_F(ClsPlFoldersTest, AFolderGoneBeforeItIsReachedAddsNothing) {
    put("t/a.mp3");
    put("t/sub/b.mp3");
    pl.RootPending = true;
    pl.GetDirs(music.file("t"));
    EXPECT_EQ(queue.items(), QStringList({music.file("t"), music.file("t/sub")}));
    QDir(music.file("t/sub")).removeRecursively();
    EXPECT_EQ(pl.QueuedFiles(), QStringList({music.file("t/a.mp3")}));
    EXPECT_EQ(queue.ListCount(), 0);
}

TEST_F(ClsPlFoldersTest, UnreadableSubFolderIsSkipped) {
    put("r/a.mp3");
    put("r/locked/b.mp3");
    put("r/z/c.mp3");
    QFile::setPermissions(music.file("r/locked"), QFileDevice::Permissions());
    walk("r");
    QFile::setPermissions(music.file("r/locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QStringList expected{"r/a.mp3", "r/z/c.mp3"};
    if (geteuid() == 0) expected.insert(1, "r/locked/b.mp3");  // root reads every folder
    EXPECT_EQ(relativePaths(), expected);
    expectInStep();
}

TEST_F(ClsPlFoldersTest, LinksThatLoopBackAreWalkedOnce) {
    put("c/a.mp3");
    put("c/sub/b.mp3");
    QFile::link(music.file("c"), music.file("c/sub/back"));
    QFile::link(music.file("c/sub"), music.file("c/again"));
    walk("c");
    EXPECT_EQ(relativePaths(), QStringList({"c/a.mp3", "c/again/b.mp3"}))
        << "the first name found walks the folder";
}

TEST_F(ClsPlFoldersTest, DeepTreesAreWalkedWithoutRecursion) {
    QString deep = "d";
    for (int i = 0; i < 2000; ++i)
        deep += "/a";
    ASSERT_TRUE(QDir(music.path()).mkpath(deep));
    put(deep + "/bottom.mp3");
    put("d/top.mp3");
    walk("d");
    ASSERT_EQ(paths.ListCount(), 2);
    EXPECT_TRUE(paths.List(1).endsWith("/a/a/bottom.mp3"));
    expectInStep();
}

TEST_F(ClsPlFoldersTest, LargeFoldersAreWalkedWhole) {
    for (int i = 0; i < 12000; ++i)
        QFile(music.file(QString("n%1.mp3").arg(i, 5, 10, QChar('0')))).open(QIODevice::WriteOnly);
    pl.AdaugaFolderDrag(music.path());
    ASSERT_EQ(paths.ListCount(), 12000);
    EXPECT_EQ(rows.List(11999), "n11999");
    expectInStep();
}

TEST_F(ClsPlFoldersTest, OddFilesInAWalkedFolder) {
    put("o/ok #1 50% \"q\" Ünï.mp3");
    put("o/line\nbreak.mp3");
    QFile::link(music.file("o/none.mp3"), music.file("o/broken.mp3"));
    ASSERT_EQ(mkfifo(QFile::encodeName(music.file("o/pipe.mp3")).constData(), 0600), 0);
    walk("o");
    EXPECT_EQ(relativePaths(), QStringList({"o/ok #1 50% \"q\" Ünï.mp3"}));
    expectInStep();
}

TEST_F(ClsPlFoldersTest, TagModesShowTheTagWhereItHasArtistAndTitle) {
    put("t/1.mp3", tagged("Song", "Band"));
    put("t/2.ogg", "no tag at all");
    put("t/3.mp3", tagged("", "Band only"));
    put("t/4.mp3", QByteArray(128, '\0'));
    put("t/5.mp3", "TAG");
    p.form<Options>().Option19.setValue(true);
    walk("t");
    EXPECT_EQ(rows.items(), QStringList({"Song - Band", "2", "3", "4", "5"}));
    EXPECT_EQ(paths.ListCount(), 5);
}

}  // namespace

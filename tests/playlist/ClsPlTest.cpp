#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "PlaylistFixture.h"
#include "core/Id3Module.h"
#include "options/Options.h"
#include "playlist/ClsPl.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

using playlisttest::tagBlock;

class ClsPlTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    ClsPl pl{*p.app};
    ui::ListBox& rows = p.form<Playlist>().PicList;
    ui::ListBox& paths = p.form<DataForm>().ListaCale;

    // Adds an entry showing its file name, with the given file content.
    void entry(const QString& name, const QByteArray& bytes) {
        paths.AddItem(p.program.write("Music/" + name, QByteArray(200, 'a') + bytes));
        rows.AddItem(ClsPl::displayName(paths.List(paths.ListCount() - 1)));
    }
};

TEST_F(ClsPlTest, DisplayNameIsTheFileNameWithoutItsExtension) {
    EXPECT_EQ(ClsPl::displayName("/music/Artist - Song.mp3"), "Artist - Song");
    EXPECT_EQ(ClsPl::displayName("/music/a.b.c.mp3"), "a.b.c");
    EXPECT_EQ(ClsPl::displayName("/music/No extension"), "No extension");
    EXPECT_EQ(ClsPl::displayName("/music/Trailing dot."), "Trailing dot");
    EXPECT_EQ(ClsPl::displayName("/music.d/plain"), "plain");
    EXPECT_EQ(ClsPl::displayName("/music/.hidden"), ".hidden");
    EXPECT_EQ(ClsPl::displayName("C:\\Music\\old.mp3"), "old");
    EXPECT_EQ(ClsPl::displayName("song.ogg"), "song");
    EXPECT_EQ(ClsPl::displayName(""), "");
}

TEST_F(ClsPlTest, ListNoCharAppendsTheNamesOfEveryPath) {
    rows.AddItem("kept");
    for (const char* path : {"/m/one.mp3", "/m/two", "/m/Ștefan și Élodie.ogg"})
        paths.AddItem(path);
    pl.ListNoChar(rows, paths);
    EXPECT_EQ(rows.items(), QStringList({"kept", "one", "two", "Ștefan și Élodie"}));
}

TEST_F(ClsPlTest, ExtractFilenameShowsTheNameAsTitleAndCurrentTitle) {
    pl.ExtractFilename("not read", "/music/Band - Tune.mp3");
    EXPECT_EQ(p.form<Main>().Titlu.Caption(), "Band - Tune");
    EXPECT_EQ(p.form<Main>().PiesaCurenta.Caption(), "Band - Tune");
}

TEST_F(ClsPlTest, TagTextsReplaceFileNamesInTheChosenOrder) {
    entry("one.mp3", tagBlock("Title One", "Artist"));
    entry("untagged.mp3", "");
    entry("no artist.mp3", tagBlock("Lonely title", ""));
    entry("padded.mp3", tagBlock("Two  Words   Three", "Blank padded", ' '));
    p.form<Options>().Option18.setValue(true);
    pl.FileNameToID3();
    EXPECT_EQ(rows.items(), QStringList({"Artist - Title One", "untagged", "no artist",
                                         "Blank padded - TwoWords Three"}));
    EXPECT_TRUE(rows.Visible());
    MediaLibrary& lib = p.form<MediaLibrary>();
    EXPECT_TRUE(lib.Text1T.Text().startsWith("Two  Words   Three"))
        << "the editor shows the last tag";
    EXPECT_EQ(lib.ID3Path.Caption(), paths.List(3));

    p.form<Options>().Option19.setValue(true);
    pl.FileNameToID3();
    EXPECT_EQ(rows.List(0), "Title One - Artist");
    EXPECT_EQ(rows.List(1), "untagged") << "the untagged entry keeps its own name";
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
}

TEST_F(ClsPlTest, UntaggedEntryAfterATaggedOneKeepsItsName) {
    entry("tagged.mp3", tagBlock("Song", "Band"));
    entry("plain.mp3", "");
    entry("Tag.mp3", QByteArray(tagBlock("Lower", "Case")).replace(0, 3, "Tag"));
    pl.FileNameToID3();
    EXPECT_EQ(rows.items(), QStringList({"Band - Song", "plain", "Tag"}));
}

TEST_F(ClsPlTest, EditorShowsTheWholeTagOfTheLastFileRead) {
    QByteArray withAlbum = tagBlock("Song", "Band");
    withAlbum.replace(63, 5, "Album");
    entry("album.mp3", withAlbum);
    entry("bare.mp3", tagBlock("Other", "Group"));
    MediaLibrary& lib = p.form<MediaLibrary>();
    lib.readTag(paths.List(0));
    pl.FileNameToID3();
    EXPECT_TRUE(lib.Text1T.Text().startsWith("Other"));
    EXPECT_FALSE(lib.Text3T.Text().startsWith("Album")) << "no album of an earlier file";
}

TEST_F(ClsPlTest, ConsecutiveEqualTitlesEachShowTheirTag) {
    entry("first.mp3", tagBlock("Intro", "Band A"));
    entry("second.mp3", tagBlock("Intro", "Band B"));
    entry("third.mp3", tagBlock("Intro", "Band C"));
    pl.FileNameToID3();
    EXPECT_EQ(rows.items(), QStringList({"Band A - Intro", "Band B - Intro", "Band C - Intro"}));
}

// The start-up reading: a slice of rows per tick, rows the tag would not
// change left alone (the selection stays), the search list at the end, and
// no more reading once the playlist shows file names again.
TEST_F(ClsPlTest, TagsReadLaterASliceAtATime) {
    p.form<Options>().Option18.setValue(true);
    for (int i = 0; i < 300; ++i)
        entry(QString("song%1.mp3").arg(i), tagBlock("Title " + QByteArray::number(i), "Band"));
    rows.setList(1, "Band - Title 1");
    rows.setListIndex(1);
    pl.FileNameToID3Later();
    EXPECT_EQ(rows.List(0), "song0");
    p.clock->advance(1);
    EXPECT_TRUE(pl.readingTags());
    EXPECT_EQ(rows.List(255), "Band - Title 255");
    EXPECT_EQ(rows.List(256), "song256");
    EXPECT_EQ(rows.ListIndex(), 1);
    EXPECT_TRUE(p.form<JumpForm>().Lista.items().isEmpty());
    p.clock->advance(1);
    EXPECT_FALSE(pl.readingTags());
    EXPECT_EQ(rows.List(299), "Band - Title 299");
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());

    rows.setList(0, "song0");
    pl.FileNameToID3Later();
    p.form<Options>().Option15.setValue(true);
    p.clock->advance(5);
    EXPECT_FALSE(pl.readingTags());
    EXPECT_EQ(rows.List(0), "song0");
}

TEST_F(ClsPlTest, SearchListIsRebuiltThroughItsFile) {
    JumpForm& jump = p.form<JumpForm>();
    jump.Lista.AddItem("stale");
    for (const char* row : {"first", "second  ", "third"})
        rows.AddItem(row);
    pl.SetJumpList();
    EXPECT_EQ(jump.Lista.items(), QStringList({"first", "second", "third"}));
    EXPECT_EQ(testsupport::readAll(p.program.file("Data/playlist.data")),
              "first\r\nsecond  \r\nthird\r\n");
}

TEST_F(ClsPlTest, SearchListFollowsThePlaylistWhenItsFileCannotBeWritten) {
    const QString file = p.program.write("Data/playlist.data", "old\r\n");
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    rows.AddItem("new");
    pl.SetJumpList();
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), QStringList({"new"}));
    EXPECT_EQ(testsupport::readAll(file), "old\r\n");
}

TEST_F(ClsPlTest, FileDialogGivesThePathOrNothing) {
    p.form<Options>().Check4.setValue(0);
    EXPECT_EQ(pl.ShowFileDialog(), "");
    ASSERT_EQ(p.dialogs->count("OpenFile"), 1);
    EXPECT_EQ(p.dialogs->shown[0].text, "Open file");
    EXPECT_EQ(p.dialogs->shown[0].title, "Media (*.*);|*.*");

    p.dialogs->fileAnswers.push_back({"/music/chosen.mp3"});
    p.form<Options>().Check4.setValue(1);
    EXPECT_EQ(pl.ShowFileDialog(), "/music/chosen.mp3");
    EXPECT_TRUE(p.dialogs->shown[1].title.startsWith("Media (*.mp3);(*.wav);"));
    EXPECT_TRUE(
        p.dialogs->shown[1].title.endsWith("|*.mp3;*.wav;*.mpg;*.avi;*.mov;*.wmv;*.mpv;"
                                           "*.mpe;*.mpa;*.qt;*.ogm;*.snd;*rmi;*.divx;"
                                           "*.wma;*.mpeg;*.cda;*.mp2;*.mp1;*.mid;*.midi;"
                                           "*.vob;*.dat;*.mp4;*.asf;*.flv;*.M2V;*.3gp;*.ogg;"));
}

}  // namespace

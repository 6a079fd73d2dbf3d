#include <gtest/gtest.h>

#include <QFile>

#include "core/Id3Module.h"
#include "playlist/MediaLibrary.h"
#include "support/PlayerFixture.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

QByteArray field(const QByteArray& text, int width) {
    return text.leftJustified(width, '\0', true);
}

// A tag block as a file would hold it.
QByteArray block(const QByteArray& title, const QByteArray& artist, char genre = 17) {
    return "TAG" + field(title, 30) + field(artist, 30) + field("Album", 30) + field("1999", 4) +
           field("Comment", 30) + genre;
}

class Id3Test : public ::testing::Test {
  protected:
    PlayerFixture p;
    Id3Module& id3 = p.app->module<Id3Module>();

    QString file(const QString& name, const QByteArray& bytes) {
        return p.program.write(name, bytes);
    }
    QString path() { return p.form<MediaLibrary>().ID3Path.Caption(); }
};

TEST_F(Id3Test, ReadTakesTheFieldsAsStored) {
    const QString song = file("song.mp3", QByteArray(500, 'a') + block("Title  ", "Artist", 17));
    id3.ReadId3v1Tag(song);
    EXPECT_EQ(id3.Tag.Title.text(), QString("Title  ") + QString(23, QChar(0)));
    EXPECT_EQ(id3.Tag.Artist.text().left(6), "Artist");
    EXPECT_EQ(id3.Tag.Year.text(), "1999");
    EXPECT_EQ(id3.Tag.Comment.text().size(), 30);
    EXPECT_EQ(id3.Tag.Genre, 17);
    EXPECT_EQ(path(), song);
}

TEST_F(Id3Test, RecordStartsWithZeroTextsAndGenreZero) {
    EXPECT_EQ(id3.Tag.Title.text(), QString(30, QChar(0)));
    EXPECT_EQ(id3.Tag.Year.text(), QString(4, QChar(0)));
    EXPECT_EQ(id3.Tag.Genre, 0);
}

TEST_F(Id3Test, FileWithoutTagEmptiesTheRecordInsteadOfKeepingTheLastOne) {
    id3.ReadId3v1Tag(file("tagged.mp3", QByteArray(300, 'x') + block("First", "Band")));
    const QString plain = file("plain.mp3", QByteArray(300, 'x'));
    id3.ReadId3v1Tag(plain);
    EXPECT_EQ(id3.Tag, Id3v1Tag::blank());
    EXPECT_EQ(id3.Tag.Title.text(), QString(30, ' '));
    EXPECT_EQ(id3.Tag.Genre, Id3v1Tag::kNoGenre);
    EXPECT_EQ(path(), plain);

    id3.ReadId3v1Tag(file("tagged2.mp3", block("Second", "Band")));
    const QString missing = p.program.file("missing.mp3");
    id3.ReadId3v1Tag(missing);
    EXPECT_EQ(id3.Tag, Id3v1Tag::blank()) << "an unreadable file has no tag either";
    EXPECT_EQ(path(), missing);
    id3.ReadId3v1Tag(p.program.path());
    EXPECT_EQ(id3.Tag, Id3v1Tag::blank()) << "nor has a folder";
}

TEST_F(Id3Test, MarkerMustBeCapitalTagAtTheBlockStart) {
    id3.ReadId3v1Tag(file("exact.mp3", block("Whole", "File")));
    EXPECT_TRUE(id3.Tag.Title.text().startsWith("Whole")) << "a 128-byte file can be all tag";
    QByteArray lower = QByteArray(200, 'x') + block("Lower", "Case");
    lower.replace(200, 3, "Tag");
    id3.ReadId3v1Tag(file("lower.mp3", lower));
    EXPECT_EQ(id3.Tag, Id3v1Tag::blank());
    id3.ReadId3v1Tag(file("short.mp3", block("Short", "File").left(127)));
    EXPECT_EQ(id3.Tag, Id3v1Tag::blank());
}

TEST_F(Id3Test, WriteAppendsABlockToAFileWithoutTag) {
    const QByteArray audio(100, 'a');
    const QString song = file("song.mp3", audio);
    Id3v1Tag tag;
    tag.Title = "Café – €uro";
    tag.Artist = "Ärtist";
    tag.Album = "Album";
    tag.Year = "99";
    tag.Comment = "";
    tag.Genre = 200;
    ASSERT_TRUE(id3.WriteId3v1Tag(song, tag));
    const QByteArray bytes = readAll(song);
    ASSERT_EQ(bytes.size(), 228);
    EXPECT_EQ(bytes.left(100), audio);
    EXPECT_EQ(bytes.mid(100, 3), "TAG");
    EXPECT_EQ(bytes.mid(103, 11), "Caf\xE9 \x96 \x80uro") << "one Windows-1252 byte a character";
    EXPECT_EQ(bytes.mid(193, 4), "99  ");
    EXPECT_EQ(static_cast<unsigned char>(bytes[227]), 200);

    id3.ReadId3v1Tag(song);
    EXPECT_EQ(id3.Tag, tag);
    EXPECT_EQ(id3.Tag.Genre, 200) << "a genre beyond the names is kept";
}

TEST_F(Id3Test, WriteOverATagChangesOnlyItsFields) {
    const QByteArray before = QByteArray(1000, 'a') + block("Old", "Old");
    const QString song = file("song.mp3", before);
    Id3v1Tag tag = Id3v1Tag::blank();
    tag.Title = "A title of thirty-five characters!!";
    ASSERT_TRUE(id3.WriteId3v1Tag(song, tag));
    const QByteArray once = readAll(song);
    ASSERT_EQ(once.size(), before.size());
    EXPECT_EQ(once.left(before.size() - 125), before.left(before.size() - 125));
    EXPECT_EQ(once.mid(1003, 30), "A title of thirty-five charact");
    ASSERT_TRUE(id3.WriteId3v1Tag(song, tag));
    EXPECT_EQ(readAll(song), once) << "the same record twice gives the same file";
}

TEST_F(Id3Test, FieldsAreCutOrPaddedToTheirWidth) {
    Id3v1Tag tag;
    tag.Title = QString(35, 'x');
    tag.Year = "99";
    EXPECT_EQ(tag.Title.text(), QString(30, 'x'));
    EXPECT_EQ(tag.Year.text(), "99  ");
    EXPECT_EQ(tag.toBlock().size(), 128);
}

TEST_F(Id3Test, FileThatCannotBeWrittenIsLeftAlone) {
    const QByteArray before = QByteArray(300, 'a');
    const QString locked = file("locked.mp3", before);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    Id3v1Tag tag = Id3v1Tag::blank();
    tag.Title = "New";
    EXPECT_FALSE(id3.WriteId3v1Tag(locked, tag));
    EXPECT_EQ(readAll(locked), before);

    const QString missing = p.program.file("missing.mp3");
    EXPECT_FALSE(id3.WriteId3v1Tag(missing, tag));
    EXPECT_FALSE(QFile::exists(missing)) << "no file is made for a stale path";
    EXPECT_FALSE(id3.WriteId3v1Tag(p.program.path(), tag));
}

TEST_F(Id3Test, LibraryFillsTheGenreNamesOnce) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    ASSERT_EQ(id3.GenreNames.size(), 148);
    EXPECT_EQ(id3.GenreNames[0], "Blues");
    EXPECT_EQ(id3.GenreNames[79], "Hard Rock");
    EXPECT_EQ(id3.GenreNames[147], "Synthpop");
    EXPECT_EQ(lib.Combo1T.ListCount(), 148);
    EXPECT_EQ(lib.Combo1T.List(17), "Rock");
    lib.Unload();
    p.form<MediaLibrary>();
    EXPECT_EQ(id3.GenreNames.size(), 148);
    EXPECT_EQ(lib.Combo1T.ListCount(), 148);
}

TEST_F(Id3Test, EditorSaveWritesTheEditedTagIntoTheFileItWasReadFrom) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    const QString song = file("song.mp3", QByteArray(400, 'a') + block("Old", "Old", 5));
    id3.ReadId3v1Tag(song);
    lib.Text1T.setText(QString(35, 't'));
    lib.Text2T.setText("Artist");
    lib.Text3T.setText("");
    lib.Text4T.setText("19");
    lib.Text5T.setText("Fine");
    lib.Combo1T.setListIndex(-1);
    lib.Command6_Click();
    id3.ReadId3v1Tag(song);
    EXPECT_EQ(id3.Tag.Title.text(), QString(30, 't'));
    EXPECT_EQ(id3.Tag.Artist.text(), QString("Artist").leftJustified(30));
    EXPECT_EQ(id3.Tag.Year.text(), "19  ");
    EXPECT_EQ(id3.Tag.Genre, 5) << "no genre chosen keeps the record's";
    lib.Combo1T.setListIndex(147);
    lib.Command6_Click();
    id3.ReadId3v1Tag(song);
    EXPECT_EQ(id3.Tag.Genre, 147);
    EXPECT_EQ(readAll(song).size(), 528);
}

TEST_F(Id3Test, SaveKeepsTheTrackNumberBehindACommentThatLeavesItRoom) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    QByteArray tagged = block("Song", "Band");
    tagged.replace(97, 30, field("Nice", 30));
    tagged[126] = 7;
    const QString song = file("track.mp3", QByteArray(200, 'a') + tagged);
    lib.readTag(song);
    lib.Command6_Click();
    EXPECT_EQ(readAll(song).mid(297, 30),
              QByteArray("Nice").leftJustified(28) + QByteArray("\0\7", 2));
    lib.Text5T.setText(QString(29, 'c'));
    lib.Command6_Click();
    EXPECT_EQ(readAll(song).mid(297, 30), QByteArray(29, 'c') + ' ') << "the comment wins";
}

TEST_F(Id3Test, GenreWithoutARowClearsTheBoxInsteadOfKeepingTheLastFiles) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    lib.readTag(file("rock.mp3", QByteArray(200, 'a') + block("Rock", "Band", 17)));
    ASSERT_EQ(lib.Combo1T.ListIndex(), 17);
    const QString none = file("none.mp3", QByteArray(200, 'a') + block("None", "Band", '\xFF'));
    lib.readTag(none);
    EXPECT_EQ(lib.Combo1T.ListIndex(), -1);
    EXPECT_EQ(lib.Combo1T.Text(), "");
    lib.Command6_Click();
    EXPECT_EQ(static_cast<unsigned char>(readAll(none).back()), 255) << "save keeps the byte";

    lib.readTag(file("rock2.mp3", QByteArray(200, 'a') + block("Rock", "Band", 17)));
    lib.readTag(file("odd.mp3", QByteArray(200, 'a') + block("Odd", "Band", char(148))));
    EXPECT_EQ(lib.Combo1T.ListIndex(), -1) << "first byte past the names";
    lib.readTag(file("rock3.mp3", QByteArray(200, 'a') + block("Rock", "Band", 17)));
    lib.readTag(file("plain.mp3", QByteArray(200, 'a')));
    EXPECT_EQ(lib.Combo1T.ListIndex(), -1) << "an untagged file";
}

}  // namespace

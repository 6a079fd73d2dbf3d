#include "PlaylistFixture.h"
#include "options/Options.h"
#include "playlist/JumpForm.h"

namespace {

using playlisttest::tagged;

class ClsPlEntriesTest : public playlisttest::PlaylistFixture {};

TEST_F(ClsPlEntriesTest, NameHelpersCutAtTheLastSeparatorAndCharacter) {
    EXPECT_EQ(ClsPl::GetLastBackSlash("/a/b/c.mp3"), "c.mp3");
    EXPECT_EQ(ClsPl::GetLastBackSlash("C:\\x\\y.ogg"), "y.ogg");
    EXPECT_EQ(ClsPl::GetLastBackSlash("plain"), "plain");
    EXPECT_EQ(ClsPl::GetLastBackSlash("/folder/"), "");
    EXPECT_EQ(ClsPl::CutAtLastChar("a.b.c", u'.'), "a.b");
    EXPECT_EQ(ClsPl::CutAtLastChar("none", u'.'), "");
    EXPECT_EQ(ClsPl::CutAtLastChar("trailing.", u'.'), "trailing");
}

TEST_F(ClsPlEntriesTest, AddedFileFollowsTheTitleFormat) {
    pl.AdaugaFisier();
    EXPECT_EQ(paths.ListCount(), 0) << "a cancelled dialog adds nothing";

    const QString song = put("Some Song.mp3", tagged("Title", "Band"));
    p.dialogs->fileAnswers.push_back({song});
    pl.AdaugaFisier();
    EXPECT_EQ(paths.items(), QStringList({song}));
    EXPECT_EQ(rows.items(), QStringList({"Some Song"}));

    p.form<Options>().Option19.setValue(true);
    p.dialogs->fileAnswers.push_back({song});
    pl.AdaugaFisier();
    EXPECT_EQ(rows.List(1), "Title - Band");
    p.form<Options>().Option18.setValue(true);
    p.dialogs->fileAnswers.push_back({put("bare.ogg", "no tag")});
    pl.AdaugaFisier();
    EXPECT_EQ(rows.List(2), "bare") << "no tag: the file name";
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
}

TEST_F(ClsPlEntriesTest, NamesThatCannotStayOnOneLineAreNotAdded) {
    for (const char* name : {"line\nbreak.mp3", "carriage\rreturn.mp3"}) {
        p.dialogs->fileAnswers.push_back({put(name)});
        pl.AdaugaFisier();
    }
    const QString odd = put("blanks \"quotes\" #50% Ünïcödé.mp3");
    p.dialogs->fileAnswers.push_back({odd});
    pl.AdaugaFisier();
    EXPECT_EQ(paths.items(), QStringList({odd}));
    EXPECT_EQ(rows.items(), QStringList({"blanks \"quotes\" #50% Ünïcödé"}));
}

TEST_F(ClsPlEntriesTest, TagFieldsLoseTheirTrailingBlanks) {
    p.form<Options>().Option18.setValue(true);
    // 27 blanks after the title: the double blanks go and one would remain.
    const QByteArray tag = QByteArray(200, 'a') + playlisttest::tagBlock("Odd", "Band", ' ');
    p.dialogs->fileAnswers.push_back({put("odd.mp3", tag)});
    pl.AdaugaFisier();
    EXPECT_EQ(rows.List(0), "Band - Odd");
    EXPECT_EQ(p.form<JumpForm>().Lista.List(0), "Band - Odd");
}

TEST_F(ClsPlEntriesTest, DeleteRemovesTheSelectedEntryFromBothLists) {
    preload(3);
    rows.setListIndex(1);
    pl.StergeFisier();
    EXPECT_EQ(rows.items(), QStringList({"e0", "e2"}));
    expectInStep();

    // The path list keeps a selection of its own, as after a folder add.
    paths.setListIndex(0);
    rows.setListIndex(-1);
    pl.StergeFisier();
    EXPECT_EQ(rows.ListCount(), 2) << "no playlist row selected: nothing removed";
    expectInStep();

    rows.setListIndex(1);
    pl.StergeFisier();
    rows.setListIndex(0);
    pl.StergeFisier();
    EXPECT_EQ(rows.ListCount(), 0);
    EXPECT_EQ(paths.ListCount(), 0);
}

TEST_F(ClsPlEntriesTest, DropInsertKeepsTheOrderAndCanAppend) {
    ui::ListBox& dropped = p.form<Playlist>().L1;
    for (const char* f : {"/d/f1.mp3", "/d/f2.mp3", "/d/f3.mp3"})
        dropped.AddItem(f);
    ui::Label& at = p.form<DataForm>().AddToIndex;
    struct Case {
        int before;
        QString row;
        int first;
    };
    for (const Case& c : {Case{10, "4", 4}, Case{5, "5", 5}, Case{5, "99", 5}, Case{0, "0", 0},
                          Case{3, "-2", 0}, Case{3, "", 0}, Case{3, "x", 0}}) {
        rows.Clear();
        for (int i = 0; i < c.before; ++i)
            rows.AddItem(QString("e%1").arg(i));
        at.setCaption(c.row);
        pl.ListNoCharDragDrop(rows, dropped);
        ASSERT_EQ(rows.ListCount(), c.before + 3);
        EXPECT_EQ(rows.List(c.first), "f1") << c.row.toStdString();
        EXPECT_EQ(rows.List(c.first + 1), "f2");
        EXPECT_EQ(rows.List(c.first + 2), "f3");
        if (c.first < c.before) {
            EXPECT_EQ(rows.List(c.first + 3), QString("e%1").arg(c.first));
        }
    }
}

TEST_F(ClsPlEntriesTest, OggIsAMediaTypeOfTheFileDialog) {
    p.form<Options>().Check4.setValue(1);
    pl.ShowFileDialog();
    EXPECT_TRUE(p.dialogs->shown.back().title.contains("(*.ogg)"));
    EXPECT_TRUE(p.dialogs->shown.back().title.endsWith("*.ogg;"));
}

}  // namespace

#include <gtest/gtest.h>
#include <algorithm>

#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/KeyMap.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

class JumpFormTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    JumpForm& jump = p.form<JumpForm>();
    Playlist& playlist = p.form<Playlist>();
    DataForm& data = p.form<DataForm>();
    QStringList calls;

    JumpFormTest() {
        jump.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
        jump.setVisible(true);
    }

    // Entries whose display text and search-list text are the same.
    void entries(const QStringList& texts) {
        for (const QString& text : texts) {
            data.ListaCale.AddItem("/music/" + text + ".mp3");
            playlist.PicList.AddItem(text);
            jump.Lista.AddItem(text);
        }
    }
    // Types the text and waits for the search.
    QStringList find(const QString& text) {
        jump.Cautare.setText(text);
        p.clock->advance(500);
        return jump.Rezultate.items();
    }
};

TEST_F(JumpFormTest, SearchRunsAtTheSecondTickAfterTheLastChange) {
    entries({"Banana - Abba", "Cherry"});
    jump.Cautare.setText("ch");
    EXPECT_EQ(jump.RealSearch.Text(), "ch");
    EXPECT_EQ(jump.Ticks(), 0);
    EXPECT_TRUE(jump.Actualizare.Enabled());
    p.clock->advance(250);
    EXPECT_EQ(jump.Ticks(), 1);
    EXPECT_EQ(jump.Rezultate.ListCount(), 0);
    jump.Cautare.setText("che");
    p.clock->advance(250);
    EXPECT_EQ(jump.Rezultate.ListCount(), 0);
    p.clock->advance(250);
    EXPECT_EQ(jump.Rezultate.items(), QStringList({"Cherry"}));
    EXPECT_EQ(jump.Ticks(), 0);
    EXPECT_FALSE(jump.Actualizare.Enabled());
    jump.Cautare.setText("cher");
    EXPECT_EQ(jump.Rezultate.ListCount(), 0);
}

TEST_F(JumpFormTest, EmptyQueryWaitsTwentyTicksThenRests) {
    entries({"Cherry"});
    jump.Cautare.setText("c");
    jump.Cautare.setText("");
    p.clock->advance(19 * 250);
    EXPECT_EQ(jump.Ticks(), 19);
    EXPECT_TRUE(jump.Actualizare.Enabled());
    p.clock->advance(250);
    EXPECT_EQ(jump.Ticks(), 3);
    EXPECT_FALSE(jump.Actualizare.Enabled());
    EXPECT_EQ(jump.Rezultate.ListCount(), 0);
}

TEST_F(JumpFormTest, EachMatchingEntryIsListedOnceInPlaylistOrderFirstSelected) {
    entries({"Banana - Abba", "Cherry", "abba again", "Zed"});
    EXPECT_EQ(find("a"), QStringList({"Banana - Abba", "abba again"}));
    EXPECT_EQ(jump.Rezultate.ListIndex(), 0);
    EXPECT_EQ(find("Cher"), QStringList({"Cherry"}));
    EXPECT_EQ(find("Xherry"), QStringList());
    EXPECT_EQ(jump.Rezultate.ListIndex(), -1);
    EXPECT_EQ(find("ZED"), QStringList({"Zed"}));
}

TEST_F(JumpFormTest, MatchingIgnoresCaseBeyondAscii) {
    entries({"Ștefan și Élodie", "Ärger", "𝄞 Clef", "Plain"});
    EXPECT_EQ(find("ȘTEFAN ȘI élodie"), QStringList({"Ștefan și Élodie"}));
    EXPECT_EQ(find("ärg"), QStringList({"Ärger"}));
    EXPECT_EQ(find("𝄞"), QStringList({"𝄞 Clef"}));
    EXPECT_EQ(find("\t\x01"), QStringList());
}

TEST_F(JumpFormTest, QueryIsTheFirstFiftyCharacters) {
    const QString head = QString("x").repeated(49) + "y";
    entries({head + "tail", "x"});
    EXPECT_EQ(find(head + QString("z").repeated(10000 - 50)), QStringList({head + "tail"}));
    EXPECT_EQ(jump.RealSearch.Text(), head);
}

TEST_F(JumpFormTest, EmptySearchListFindsNothing) {
    EXPECT_EQ(find("anything"), QStringList());
    int enter = ui::vbKeyReturn;
    jump.Cautare_KeyDown(enter, 0);
    jump.Command1_Click();
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(JumpFormTest, ArrowsAndEnterNeedASelectionEscapeAlwaysHides) {
    entries({"one a", "two a", "three"});
    int key = ui::vbKeyDown;
    jump.Cautare_KeyDown(key, 0);
    key = ui::vbKeyReturn;
    jump.Cautare_KeyDown(key, 0);
    EXPECT_TRUE(calls.isEmpty());
    find(" a");
    key = ui::vbKeyDown;
    jump.Cautare_KeyDown(key, 0);
    EXPECT_EQ(jump.Rezultate.ListIndex(), 1);
    jump.Cautare_KeyDown(key, 0);
    EXPECT_EQ(jump.Rezultate.ListIndex(), 1);
    key = ui::vbKeyUp;
    jump.Cautare_KeyDown(key, 0);
    jump.Cautare_KeyDown(key, 0);
    EXPECT_EQ(jump.Rezultate.ListIndex(), 0);
    key = ui::vbKeyEscape;
    jump.Cautare_KeyDown(key, 0);
    EXPECT_FALSE(jump.Visible());
    EXPECT_TRUE(calls.isEmpty());

    jump.setVisible(true);
    jump.Cautare.setText("");
    jump.Cautare_KeyDown(key, 0);
    EXPECT_FALSE(jump.Visible());
}

TEST_F(JumpFormTest, EnterPlaysTheSelectedEntryAndEmptiesTheBox) {
    QStringList texts;
    for (int i = 0; i < 40; ++i)
        texts << QString("song %1").arg(i, 2, 10, QChar(u'0'));
    entries(texts);
    data.FromPlaylist.setCaption("False");
    find("song 35");
    int key = ui::vbKeyReturn;
    jump.Cautare_KeyDown(key, 0);
    EXPECT_EQ(calls, QStringList({"Play"}));
    EXPECT_EQ(data.FromPlaylist.Caption(), "True");
    EXPECT_EQ(playlist.PicList.ListIndex(), 35);
    EXPECT_EQ(data.ListaCale.ListIndex(), 35);
    EXPECT_EQ(data.SongNumber.Caption(), "35");
    EXPECT_EQ(playlist.ScrollBar.max(), 10);
    EXPECT_EQ(playlist.ScrollBar.value(),
              std::min<double>(playlist.PicList.TopIndex(), playlist.ScrollBar.max()));
    EXPECT_FALSE(jump.Visible());
    EXPECT_EQ(jump.Cautare.Text(), "");
    EXPECT_EQ(jump.Rezultate.ListCount(), 0);
}

TEST_F(JumpFormTest, PausedMediaIsStoppedBeforeThePlay) {
    entries({"tune"});
    p.form<Main>().StarePlayer.setCaption("Paused");
    find("tune");
    jump.Command1_Click();
    EXPECT_EQ(calls, QStringList({"SStop", "Play"}));
}

// Each of two equal results plays its own row; a result whose row holds
// another text now plays the first equal row, trailing blanks aside.
TEST_F(JumpFormTest, EqualResultsPlayTheirOwnRowsTrailingBlanksAside) {
    entries({"other", "Same", "Same"});
    playlist.PicList.setList(0, "Song  ");
    jump.Lista.setList(0, "Song");
    find("Same");
    jump.Rezultate.setListIndex(1);
    jump.Rezultate_DblClick();
    EXPECT_EQ(data.SongNumber.Caption(), "2");
    jump.setVisible(true);
    find("Same");
    jump.Rezultate_DblClick();
    EXPECT_EQ(data.SongNumber.Caption(), "1");
    jump.setVisible(true);
    find("Song");
    int key = ui::vbKeyReturn;
    jump.Rezultate_KeyDown(key, 0);
    EXPECT_EQ(data.SongNumber.Caption(), "0");
    EXPECT_EQ(calls, QStringList({"Play", "Play", "Play"}));
}

TEST_F(JumpFormTest, DeletedEntryPlaysNothing) {
    entries({"kept", "deleted"});
    playlist.PicList.RemoveItem(1);
    data.ListaCale.RemoveItem(1);
    playlist.PicList.setListIndex(0);
    p.form<Main>().StarePlayer.setCaption("Paused");
    find("deleted");
    jump.PlaySelected();
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(playlist.PicList.ListIndex(), 0);
    EXPECT_TRUE(jump.Visible());
}

TEST_F(JumpFormTest, ShortcutZeroShowsTheWindowAndActivationEmptiesTheBox) {
    jump.setVisible(false);
    p.form<Options>().AsciBox(0).setText("74");
    p.app->module<KeyShortcut>().ProcessShortcutKey(74);
    EXPECT_TRUE(jump.Visible());
    jump.Cautare.setText("typed");
    jump.Form_Activate();
    EXPECT_EQ(jump.Cautare.Text(), "");
    EXPECT_EQ(p.app->focusedControl(), &jump.Cautare);
}

}  // namespace

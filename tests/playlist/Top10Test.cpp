#include <gtest/gtest.h>

#include <array>

#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "playlist/Top10.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

// Records which playlist row each Play or SStop found selected.
class RecordingMain : public ClsMain {
  public:
    RecordingMain(PlenkApp& app, std::vector<int>& plays, int& stops)
        : ClsMain(app), app_(app), plays_(plays), stops_(stops) {}
    void Play() override {
        const int row = app_.form<Playlist>().PicList.ListIndex();
        EXPECT_EQ(app_.form<DataForm>().ListaCale.ListIndex(), row);
        plays_.push_back(row);
    }
    void SStop() override { ++stops_; }

  private:
    PlenkApp& app_;
    std::vector<int>& plays_;
    int& stops_;
};

class Top10Test : public ::testing::Test {
  protected:
    PlayerFixture p;
    Top10& top = p.app->module<Top10>();
    MediaLibrary& lib = p.form<MediaLibrary>();
    std::vector<int> plays;
    int stops = 0;

    Top10Test() { top.MainCtl.set(std::make_unique<RecordingMain>(*p.app, plays, stops)); }

    QStringList titles() {
        QStringList out;
        for (int i = 0; i < 20; ++i)
            out << lib.Song(i).Caption();
        return out;
    }
    QStringList counts() {
        QStringList out;
        for (int i = 0; i < 20; ++i)
            out << lib.CountPlayed(i).Caption();
        return out;
    }
    // Ranks "t0" to "t19", once each, and lets the pass finish.
    void fillRanking() {
        for (int i = 0; i < 20; ++i)
            top.RegisterPlay(QString("t%1").arg(i));
        p.clock->advance(2000);
    }
    void playlist(const QStringList& rows) {
        for (const QString& row : rows) {
            p.form<Playlist>().PicList.AddItem(row);
            p.form<DataForm>().ListaCale.AddItem("/music/" + row + ".mp3");
        }
    }
    QString position(const QString& current) {
        p.form<Main>().PiesaCurenta.setCaption(current);
        top.ShowTopPosition();
        return p.form<Main>().PozInTop.Caption();
    }
};

TEST_F(Top10Test, NewTitlesTakeTheFirstFreeRowsAndRepeatsCount) {
    top.RegisterPlay("a");
    top.RegisterPlay("b");
    top.RegisterPlay("a");
    EXPECT_EQ(titles().mid(0, 3), QStringList({"a", "b", ""}));
    EXPECT_EQ(counts().mid(0, 3), QStringList({"2", "1", "0"}));
    EXPECT_EQ(lib.ListaAsteptare.ListCount(), 0);
    EXPECT_TRUE(lib.TimerClasament.Enabled());
}

TEST_F(Top10Test, EmptyTitleIsNeverCounted) {
    top.RegisterPlay("");
    EXPECT_EQ(counts(), QStringList(20, "0"));
    EXPECT_EQ(titles(), QStringList(20, ""));
    EXPECT_FALSE(lib.TimerClasament.Enabled());
    EXPECT_EQ(position(""), "Not in Top 20") << "nothing playing is not ranked";
}

TEST_F(Top10Test, TitleHoldingALineBreakIsNeverCounted) {
    // Such a title could not be saved as one line of the rankings file.
    for (const char* title : {"two\nlines", "two\rlines"})
        top.RegisterPlay(title);
    EXPECT_EQ(titles(), QStringList(20, ""));
    EXPECT_EQ(lib.ListaAsteptare.ListCount(), 0);
}

TEST_F(Top10Test, CountsAreNotLimitedTo16Bits) {
    top.RegisterPlay("a");
    lib.CountPlayed(0).setCaption("32767");
    top.RegisterPlay("a");
    EXPECT_EQ(lib.CountPlayed(0).Caption(), "32768");
}

TEST_F(Top10Test, WithEveryRowRankedNewTitlesWaitAndTheOldestLeavesAt20) {
    fillRanking();
    for (int i = 0; i < 19; ++i)
        top.RegisterPlay(QString("w%1").arg(i));
    EXPECT_EQ(lib.ListaAsteptare.ListCount(), 19);
    top.RegisterPlay("w19");
    EXPECT_EQ(lib.ListaAsteptare.ListCount(), 19);
    EXPECT_EQ(lib.ListaAsteptare.List(0), "w1");
    EXPECT_EQ(lib.ListaAsteptare.List(18), "w19");
    EXPECT_EQ(counts(), QStringList(20, "1"));
}

TEST_F(Top10Test, SecondPlayOfAWaitingTitlePromotesItIntoTheLastRow) {
    fillRanking();
    top.RegisterPlay("t3");
    p.clock->advance(2000);
    top.RegisterPlay("w");
    top.RegisterPlay("w");
    EXPECT_EQ(lib.Song(19).Caption(), "w");
    EXPECT_EQ(lib.CountPlayed(19).Caption(), "2");
    EXPECT_EQ(lib.ListaAsteptare.ListCount(), 0);
    EXPECT_FALSE(titles().contains("t19")) << "the former last title leaves the ranking";
    p.clock->advance(2000);
    EXPECT_EQ(titles().mid(0, 3), QStringList({"t3", "w", "t0"}));
    EXPECT_EQ(counts().mid(0, 3), QStringList({"2", "2", "1"}));
}

TEST_F(Top10Test, SortPassTakesTwentyTicksAndKeepsEqualCountsInOrder) {
    for (const char* t : {"a", "b", "c", "d"})
        top.RegisterPlay(t);
    for (int i = 0; i < 9; ++i)
        top.RegisterPlay("c");
    p.clock->advance(2000);
    EXPECT_EQ(titles().mid(0, 4), QStringList({"c", "a", "b", "d"}));
    for (int i = 0; i < 8; ++i)
        top.RegisterPlay("d");
    p.clock->advance(1900);
    EXPECT_TRUE(lib.TimerClasament.Enabled()) << "19 comparisons";
    p.clock->advance(100);
    EXPECT_FALSE(lib.TimerClasament.Enabled()) << "the 20th tick ends the pass";
    EXPECT_EQ(titles().mid(0, 4), QStringList({"c", "d", "a", "b"}));
    EXPECT_EQ(counts().mid(0, 4), QStringList({"10", "9", "1", "1"}));
    top.RegisterPlay("b");
    top.RegisterPlay("a");
    p.clock->advance(4000);
    EXPECT_EQ(titles().mid(0, 4), QStringList({"c", "d", "a", "b"}))
        << "equal counts never change places";
}

TEST_F(Top10Test, RegistrationDuringAPassRestartsIt) {
    top.RegisterPlay("a");
    p.clock->advance(500);
    top.RegisterPlay("b");
    p.clock->advance(1900);
    EXPECT_TRUE(lib.TimerClasament.Enabled());
    p.clock->advance(100);
    EXPECT_FALSE(lib.TimerClasament.Enabled()) << "2 s after the last registration";
}

TEST_F(Top10Test, PositionTextsInBothLanguages) {
    fillRanking();
    top.RegisterPlay("waiting");
    EXPECT_EQ(position("t2"), "Position 3 in Top 20");
    EXPECT_EQ(position("waiting"), "Not in Top 20");
    EXPECT_EQ(position("elsewhere"), "Not in Top 20");
    // The language list marks the language chosen.
    p.form<Options>().LanguageSelector.setListIndex(1);
    p.form<Options>().LanguageSelector.setSelected(1, true);
    EXPECT_EQ(position("t2"), "Locul 3 in clasament");
    EXPECT_EQ(position("waiting"), "Nu se afla in Top 20");
    EXPECT_EQ(position("elsewhere"), "Nu se afla in clasament");
}

TEST_F(Top10Test, SortTickShowsThePositionAsItStands) {
    top.RegisterPlay("a");
    top.RegisterPlay("b");
    top.RegisterPlay("b");
    p.form<Main>().PiesaCurenta.setCaption("b");
    p.clock->advance(100);
    EXPECT_EQ(p.form<Main>().PozInTop.Caption(), "Position 2 in Top 20");
    p.clock->advance(1900);
    EXPECT_EQ(p.form<Main>().PozInTop.Caption(), "Position 1 in Top 20");
}

TEST_F(Top10Test, PreferencePicksFollowTheRankTable) {
    fillRanking();
    QStringList rows;
    for (int i = 0; i < 20; ++i)
        rows << QString("t%1").arg(i);
    for (int i = 0; i < 10; ++i)
        rows << QString("other%1").arg(i);
    playlist(rows);
    p.app->random().seed(20240601);
    const int picks = 70000;
    for (int i = 0; i < picks; ++i)
        top.PlayByPreference();
    ASSERT_EQ(static_cast<int>(plays.size()), picks);
    EXPECT_EQ(stops, 0);
    std::array<int, 30> hits{};
    for (int row : plays)
        ++hits.at(row);
    // Ranks 1 to 4 have 13, 6, 5 and 3 draws of 70, ranks 5 to 20 two each;
    // 11 draws of 70 pick any of the 30 rows.
    for (int row = 0; row < 30; ++row) {
        const int draws = row == 0   ? 13
                          : row == 1 ? 6
                          : row == 2 ? 5
                          : row == 3 ? 3
                          : row < 20 ? 2
                                     : 0;
        const double share = draws / 70.0 + 11.0 / 70.0 / 30.0;
        const double expected = picks * share;
        EXPECT_NEAR(hits[row], expected, 5 * std::sqrt(expected)) << "row " << row;
    }
}

TEST_F(Top10Test, PreferenceFallsBackToAnyEntryAndStopsOnAnEmptyPlaylist) {
    p.app->random().seed(7);
    playlist({"x", "y", "z"});
    for (int i = 0; i < 300; ++i)
        top.PlayByPreference();
    EXPECT_EQ(plays.size(), 300u) << "an empty ranking always plays some entry";
    EXPECT_EQ(stops, 0);
    for (int row = 0; row < 3; ++row)
        EXPECT_GT(std::count(plays.begin(), plays.end(), row), 60);

    fillRanking();
    plays.clear();
    for (int i = 0; i < 100; ++i)
        top.PlayByPreference();
    EXPECT_EQ(plays.size(), 100u) << "ranked titles no longer in the playlist";

    p.form<Playlist>().PicList.Clear();
    p.form<DataForm>().ListaCale.Clear();
    plays.clear();
    top.PlayByPreference();
    EXPECT_TRUE(plays.empty());
    EXPECT_EQ(stops, 1);
}

}  // namespace

// How the skin loader reads the lines of skin.ini: values, colour names,
// numbers, and the lines it reads again when a file is short.
#include <gtest/gtest.h>

#include "playlist/Playlist.h"
#include "shared/NumberText.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"

namespace {

using testsupport::SkinFixture;

constexpr ui::OleColor kWhite = 0xFFFFFF, kBlack = 0, kRed = 0x0000FF, kGray = 0x8000000F;

// Seventeen lines whose colour lines are given, the rest plain numbers.
QStringList lines(const QStringList& colours, const QStringList& back = {"1", "2", "3"}) {
    QStringList l{"Test"};
    l << colours;
    while (l.size() < 7)
        l << "x=red";
    l << "0"
      << "0"
      << "0"
      << "0"
      << "1"
      << "1" << back << "false";
    return l;
}

ui::OleColor backColour(SkinFixture& f) {
    return f.form<Main>().BackColor();
}

TEST(SkinValues, ValueIsTheTextAfterTheLastEquals) {
    SkinFixture f;
    Main& m = f.form<Main>();
    f.applyLines(lines({"key=white"}));
    EXPECT_EQ(m.Label1.ForeColor(), kWhite);
    f.applyLines(lines({"x=red", "white"}));
    EXPECT_EQ(m.TSec.ForeColor(), kWhite);
    f.applyLines(lines({"x=red", "x=red", "a=b=white"}));
    EXPECT_EQ(m.labSize.ForeColor(), kWhite);
    // A blank after "=" or a capital letter names no colour: the group takes
    // the colour of the group before it.
    f.applyLines(lines({"x=red", "= white", "x=White", "x=gray"}));
    EXPECT_EQ(m.TSec.ForeColor(), kRed);
    EXPECT_EQ(m.labSize.ForeColor(), kRed);
    EXPECT_EQ(m.InfoLabel.ForeColor(), kGray);
    EXPECT_EQ(f.form<DataForm>().SkinValues.List(2), " white");
}

TEST(SkinValues, BackColourComponents) {
    SkinFixture f;
    f.applyLines(lines({}, {"300", "40", "word"}));
    EXPECT_EQ(backColour(f), 255u + 256u * 40u);
    f.applyLines(lines({}, {"12.5", "-7", "13.5"}));
    EXPECT_EQ(backColour(f), 12u + 65536u * 14u);
    // Values that are no number, or too large for a whole number, leave the
    // component at 0.
    f.applyLines(lines({}, {"1e308", "nan", "-0"}));
    EXPECT_EQ(backColour(f), 0u);
    f.applyLines(lines({}, {" 12", "=", "40000"}));
    EXPECT_EQ(backColour(f), 12u);
}

TEST(SkinValues, ComponentsFollowTheUsersDecimalSeparator) {
    SkinFixture f;
    shared::ScopedDecimalSeparator comma(',');
    f.applyLines(lines({}, {"2,5", "3.5", "7"}));
    EXPECT_EQ(backColour(f), 2u + 256u * 4u + 65536u * 7u);
}

TEST(SkinValues, BackColourReachesEveryTarget) {
    SkinFixture f;
    f.applyLines(lines({}, {"10", "20", "30"}));
    const ui::OleColor c = 10 + 256 * 20 + 65536 * 30;
    Main& m = f.form<Main>();
    Playlist& p = f.form<Playlist>();
    EXPECT_EQ(m.BackColor(), c);
    EXPECT_EQ(p.BackColor(), c);
    EXPECT_EQ(m.RightFrame.BackColor(), c);
    EXPECT_EQ(p.FrameScroll.BackColor(), c);
    EXPECT_EQ(m.FrameVideo(0).BackColor(), c);
    EXPECT_EQ(m.MainFrame(1).BackColor(), c);
}

TEST(SkinValues, FirstRunWithoutSkinFileIsBlackEverywhere) {
    SkinFixture f(false);
    QFile::remove(f.skinFile("Default", "skin.ini"));
    f.start();
    Main& m = f.form<Main>();
    Playlist& p = f.form<Playlist>();
    EXPECT_EQ(f.form<DataForm>().SkinValues.ListCount(), 0);
    for (ui::Label* l :
         {&m.Label1, &m.Label3, &m.Label4, &m.TSec, &m.TotalTime, &m.Titlu, &m.StarePlayer,
          &m.InfoIDTag, &m.LabelVideo, &m.labBitRate, &m.MultimediaInfoLabel, &m.labSize,
          &m.labLength, &m.labLayer, &m.labFreqChan, &m.ResizeArea, &m.InfoLabel, &m.PlaylistLabel})
        EXPECT_EQ(l->ForeColor(), kBlack) << l->Name().toStdString();
    EXPECT_EQ(p.PicList.ForeColor(), kBlack);
    EXPECT_EQ(p.PicList.BackColor(), kBlack);
    EXPECT_EQ(m.BackColor(), kBlack);
    EXPECT_EQ(m.MainFrame(1).BackColor(), kBlack);
    EXPECT_TRUE(p.ScrollBar.Visible());
    EXPECT_TRUE(p.FrameScroll.Visible());
}

TEST(SkinValues, ShortFilesReadTheLineSelectedLast) {
    SkinFixture f;
    Main& m = f.form<Main>();
    // One line: group 1 reads line 0 again.
    f.applyLines({"white"});
    EXPECT_EQ(m.Label1.ForeColor(), kWhite);
    EXPECT_EQ(f.form<Playlist>().PicList.ForeColor(), kWhite);
    // Fourteen lines: green and blue read line 13 again, a grey level.
    QStringList fourteen = lines({}).mid(0, 14);
    fourteen[13] = "x=90";
    f.applyLines(fourteen);
    EXPECT_EQ(backColour(f), 90u * 0x010101u);
    // Thirteen lines: lines 13 to 15 read line 6 again, the list's text
    // colour, so the back colour is black.
    f.applyLines(lines({"white", "cyan"}, {}).mid(0, 13));
    EXPECT_EQ(backColour(f), 0u);
}

TEST(SkinValues, SkinColourCarriesIntoTheNextRun) {
    SkinFixture f;
    f.applyLines(lines({"x=red", "x=red", "x=red", "x=red", "x=red", "yellow"}));
    EXPECT_EQ(f.skins().SkinColour(), 0x00FFFFu);
    f.applyLines(lines({"none", "none", "none", "none", "none", "none"}));
    Main& m = f.form<Main>();
    EXPECT_EQ(m.Label1.ForeColor(), 0x00FFFFu);
    EXPECT_EQ(m.InfoLabel.ForeColor(), 0x00FFFFu);
    EXPECT_EQ(f.form<Playlist>().PicList.BackColor(), 0x00FFFFu);
}

TEST(SkinValues, LineSixteenHidesTheSkinnedScrollbar) {
    SkinFixture f;
    Playlist& p = f.form<Playlist>();
    QStringList l = lines({});
    l[16] = "x=true  ";
    f.applyLines(l);
    EXPECT_TRUE(p.ScrollBar.Visible());  // the blanks stay when not read from a file
    f.writeIni("Mine", l.join("\r\n").toLatin1());
    f.pick("Mine");
    EXPECT_FALSE(p.ScrollBar.Visible());
    EXPECT_FALSE(p.FrameScroll.Visible());
    l[16] = "True";
    f.applyLines(l);
    EXPECT_TRUE(p.ScrollBar.Visible());
    EXPECT_TRUE(p.FrameScroll.Visible());
}

TEST(SkinValues, StandardScrollbarChoiceHoldsOverTheSkin) {
    SkinFixture f;
    Playlist& p = f.form<Playlist>();
    f.form<::Options>().Check8.setValue(1);
    f.pick("Silver");
    EXPECT_FALSE(p.ScrollBar.Visible());
    EXPECT_FALSE(p.FrameScroll.Visible());
    f.form<::Options>().Check8.setValue(0);
    f.pick("Default");
    EXPECT_TRUE(p.ScrollBar.Visible());
}

}  // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>

#include "core/Id3Module.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Twips.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/FileLimits.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

class MediaLibraryTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    MediaLibrary& lib = p.form<MediaLibrary>();
    DataForm& data = p.form<DataForm>();
    ui::ListBox& rows = p.form<Playlist>().PicList;

    // Scripted media entries, shown by the given titles.
    void entries(const QStringList& titles) {
        for (const QString& title : titles) {
            const QString path = p.program.write("media/" + title + ".mpg", "x");
            p.media().addMedium(path.toStdString(), {10000, 25, QSize(320, 240)});
            data.ListaCale.AddItem(path);
            rows.AddItem(title);
        }
    }
    void showPage(ui::Frame& page) {
        for (ui::Frame* f : {&lib.FrameIDTag, &lib.FrameLibrary, &lib.FrameTop10})
            f->setVisible(f == &page);
        lib.Form_Activate();
    }
};

TEST_F(MediaLibraryTest, SizeNeverGoesBelowTheMinimumAndTheLayoutFollows) {
    lib.Move(0, 0, 5000, 3000);
    EXPECT_EQ(lib.Width(), 6100);
    EXPECT_EQ(lib.Height(), 3530);
    EXPECT_EQ(lib.FrameLibrary.Width(), 5850);
    EXPECT_EQ(lib.FrameLibrary.Height(), 2880);
    EXPECT_EQ(lib.CloseButton.Left(), 6100 - 750);
    EXPECT_EQ(lib.ImgRight.Left(), 6100 - 180);
    EXPECT_EQ(lib.ImgBottomCenter.Top(), 3530 - 180);
    // Too small for the edges even to have a length.
    for (const float tiny : {0.0f, 15.0f, 1000.0f}) {
        lib.Move(0, 0, tiny, tiny);
        EXPECT_EQ(lib.Width(), 6100) << tiny;
        EXPECT_EQ(lib.Height(), 3530) << tiny;
    }

    lib.Move(0, 0, 9000, 7000);
    EXPECT_EQ(lib.FrameLibrary.Width(), 8750);
    EXPECT_EQ(lib.FrameLibrary.Height(), 6350);
    EXPECT_EQ(lib.ResizeArea.Left(), 9000 - 195);
    EXPECT_EQ(lib.ResizeArea.Top(), 7000 - 195);
    EXPECT_EQ(lib.ImgTopCenter.Width(), 9000 - 2800);
    EXPECT_EQ(lib.ImgTopRight.Left(), 9000 - 1500);
    EXPECT_EQ(lib.ImgLeft.Height(), 7000 - 300);
    EXPECT_EQ(lib.FrameIDTag.Width(), 7455) << "the other pages keep their size";
    EXPECT_EQ(lib.ImgTopLeft.Left(), 0);
}

TEST_F(MediaLibraryTest, GripShowsOnlyWithTheLibraryPage) {
    showPage(lib.FrameTop10);
    EXPECT_FALSE(lib.ResizeArea.Visible());
    showPage(lib.FrameLibrary);
    EXPECT_TRUE(lib.ResizeArea.Visible());
    showPage(lib.FrameIDTag);
    EXPECT_FALSE(lib.ResizeArea.Visible());
}

TEST_F(MediaLibraryTest, HoverPaintsOneTitleRedAndShowsTheHand) {
    lib.Song_MouseMove(4, 0, 0, 10, 10);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(lib.Song(i).ForeColor(), i == 4 ? 0x0000FFu : 0xFFFFFFu) << i;
    EXPECT_EQ(lib.MousePointer(), 2);
    lib.Song(12).MouseMove.raise(0, 0, 5, 5);
    EXPECT_EQ(lib.Song(4).ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(lib.Song(12).ForeColor(), 0x0000FFu);
    lib.FrameTop10_MouseMove(0, 0, 10, 10);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(lib.Song(i).ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(lib.MousePointer(), 0);
}

TEST_F(MediaLibraryTest, GripAndBackgroundSetTheScreenPointer) {
    lib.ResizeArea_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(p.app->screen().MousePointer(), ui::vbSizeNWSE);
    lib.FrameLibrary_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(p.app->screen().MousePointer(), ui::vbDefault);
    lib.ResizeArea_MouseMove(0, 0, 10, 10);
    lib.Form_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(p.app->screen().MousePointer(), ui::vbDefault);
}

TEST_F(MediaLibraryTest, CloseHidesAndRecordsIt) {
    lib.setVisible(true);
    data.MediaOn.setCaption("1");
    lib.CloseButton_Click();
    EXPECT_FALSE(lib.Visible());
    EXPECT_EQ(data.MediaOn.Caption(), "0");
}

TEST_F(MediaLibraryTest, ClickOnARankedTitleStopsThenPlaysTheEntry) {
    QStringList calls;
    lib.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
    entries({"one", "two"});
    lib.Song(0).setCaption("two");
    data.FromPlaylist.setCaption("False");
    lib.Song_Click(0);
    EXPECT_EQ(calls, QStringList({"SStop", "Play"}));
    EXPECT_EQ(rows.ListIndex(), 1);
    EXPECT_EQ(data.ListaCale.ListIndex(), 1);
    EXPECT_EQ(data.FromPlaylist.Caption(), "True");

    calls.clear();
    lib.Song_Click(5);
    EXPECT_TRUE(calls.isEmpty()) << "a free row does nothing";
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
}

TEST_F(MediaLibraryTest, ClickedTitleIsPlayedAndCountedOnce) {
    entries({"one", "two"});
    lib.Song(0).setCaption("two");
    lib.CountPlayed(0).setCaption("1");
    lib.Song_Click(0);
    EXPECT_EQ(p.form<Main>().LbFileName(0).Caption(), data.ListaCale.List(1));
    EXPECT_EQ(lib.CountPlayed(0).Caption(), "2");
    EXPECT_EQ(lib.ListaAsteptare.ListCount(), 0);
}

TEST_F(MediaLibraryTest, ClickOnATitleGoneFromThePlaylistSaysSo) {
    QStringList calls;
    lib.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
    entries({"one"});
    rows.setListIndex(0);
    lib.Song(3).setCaption("deleted");
    lib.Song_Click(3);
    ASSERT_EQ(p.dialogs->count("MsgBox"), 1);
    EXPECT_EQ(p.dialogs->shown.back().text,
              "Sorry, the song that you have selected is no longer in Playlist");
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(rows.ListIndex(), 0);
}

TEST_F(MediaLibraryTest, FailedTagSaveNamesTheFileAndAGoodOneIsSilent) {
    const QString good = p.program.write("good.mp3", QByteArray(300, 'a'));
    const QString missing = p.program.file("gone/missing.mp3");
    const QString folder = p.program.file("Data");
    const QString empty = p.program.write("empty.mp3", "");
    const QString small = p.program.write("small.mp3", QByteArray(100, 'b'));
    lib.Text1T.setText(QString("Ünïcödé ☃ title that is longer than thirty"));
    for (const QString& path : {good, empty, small}) {
        lib.ID3Path.setCaption(path);
        lib.Command6_Click();
    }
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
    EXPECT_EQ(readAll(good).size(), 300 + 128);
    EXPECT_EQ(readAll(small).size(), 100 + 128);
    for (const QString& path : {missing, folder, QString("C:\\")}) {
        p.dialogs->shown.clear();
        lib.ID3Path.setCaption(path);
        lib.Command6_Click();
        ASSERT_EQ(p.dialogs->count("MsgBox"), 1) << path.toStdString();
        EXPECT_TRUE(p.dialogs->shown.back().text.contains(path));
    }
    EXPECT_FALSE(QFile::exists(missing));

    const QString locked = p.program.write("locked.mp3", QByteArray(300, 'c'));
    {
        testsupport::PermissionsHold hold;
        QFile::setPermissions(locked, QFileDevice::ReadOwner);
        p.dialogs->shown.clear();
        lib.ID3Path.setCaption(locked);
        lib.Command6_Click();
        EXPECT_EQ(p.dialogs->count("MsgBox"), 1);
    }
    EXPECT_EQ(readAll(locked), QByteArray(300, 'c'));
}

// An untagged file's fields, and fields padded with blanks or zeros, show
// empty after their text: what is typed there is what Save writes.
TEST_F(MediaLibraryTest, TagFieldsShowWithoutTheirPaddingAndTypedTextIsSaved) {
    const QString song = p.program.write("untagged.mp3", QByteArray(300, 'a'));
    lib.readTag(song);
    for (const ui::TextBox* box : {&lib.Text1T, &lib.Text2T, &lib.Text3T, &lib.Text4T, &lib.Text5T})
        EXPECT_EQ(box->Text(), "") << box->Name().toStdString();
    lib.Text1T.setText(lib.Text1T.Text() + "My Song");
    lib.Text4T.setText(lib.Text4T.Text() + "1999");
    lib.Command6_Click();
    const QByteArray block = readAll(song).right(128);
    EXPECT_EQ(block.mid(3, 30), QByteArray("My Song").leftJustified(30, ' '));
    EXPECT_EQ(block.mid(93, 4), "1999");
    lib.readTag(song);
    EXPECT_EQ(lib.Text1T.Text(), "My Song") << "a field the player wrote";

    const QString zeros = p.program.write(
        "zeros.mp3", QByteArray(200, 'a') + "TAG" + QByteArray("A  B").leftJustified(30, '\0') +
                         QByteArray(" x \0 ").leftJustified(95, '\0'));
    lib.readTag(zeros);
    EXPECT_EQ(lib.Text1T.Text(), "A  B");
    EXPECT_EQ(lib.Text2T.Text(), " x") << "leading blanks are text";
}

TEST_F(MediaLibraryTest, TopPageHasGreyRulesBetweenTheRows) {
    ASSERT_EQ(lib.TopLine.Count(), 18);
    EXPECT_EQ(lib.TopLine(0).BorderColor(), 0x808080u);
    EXPECT_LT(lib.TopLine(0).Y1(), lib.Song(1).Top());
    EXPECT_GT(lib.TopLine(0).Y1(), lib.Song(0).Top());
}

// White and light grey texts are readable only on the dark page.
TEST_F(MediaLibraryTest, TopPageRowsLetTheDarkPageShowThrough) {
    EXPECT_EQ(lib.FrameTop10.BackColor(), 0x404040u);
    for (int i : {0, 9, 19}) {
        EXPECT_EQ(lib.TopLabel(i).BackStyle(), 0) << i;
        EXPECT_EQ(lib.Song(i).BackStyle(), 0) << i;
        EXPECT_EQ(lib.CountPlayed(i).BackStyle(), 0) << i;
    }
}

}  // namespace

namespace {

// The title's letters, descenders too, stay on the top edge's picture: below
// it the window's own background, pale, hid the white "g", "y" and "p".
TEST_F(MediaLibraryTest, TheTitleLiesWithinTheTopEdge) {
    const QFontMetrics metrics(ui::toQFont(lib.Label7.Font()));
    EXPECT_EQ(ui::toPixels(lib.ImgTopLeft.Height()), 19);
    EXPECT_LE(ui::toPixels(lib.Label7.Top()) + metrics.height(), 19);
    EXPECT_GE(ui::toPixels(lib.Label7.Height()), metrics.height());
}

TEST_F(MediaLibraryTest, EdgesAndTitleDragOnlyANormalWindowOutsideFullScreen) {
    lib.setVisible(true);
    lib.Label7.MouseDown.raise(1, 0, 10, 10);
    lib.ImgBottomRight.MouseDown.raise(2, 0, 10, 10);
    EXPECT_EQ(p.dialogs->count("MoveLoop"), 2);
    data.FullScreenStat.setCaption("True");
    lib.Form_MouseDown(1, 0, 10, 10);
    EXPECT_EQ(p.dialogs->count("MoveLoop"), 2);
    data.FullScreenStat.setCaption("False");
    lib.setWindowState(ui::Form::vbMaximized);
    lib.ImgLeft.MouseDown.raise(1, 0, 10, 10);
    EXPECT_EQ(p.dialogs->count("MoveLoop"), 2);
    lib.ResizeArea_MouseMove(1, 0, 10, 10);
    EXPECT_EQ(p.dialogs->count("MoveLoop"), 3) << "the grip sizes in any state";
}

}  // namespace

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>

#include "options/Options.h"
#include "platform/ui/Twips.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

ui::Picture blank(int w, int h) {
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::gray);
    return ui::Picture(pixmap);
}

class OptionsFrame : public ::testing::Test {
  protected:
    PlayerFixture p;
    Options& o = p.form<Options>();

    // The one page frame shown, by its caption.
    QString shownPage() {
        QString shown;
        for (ui::Frame* f :
             {&o.GeneralFrame, &o.PlaylistFrame, &o.AudioFrame, &o.VideoFrame, &o.AssociationFrame,
              &o.SkinFrame, &o.LanguageFrame, &o.KeyboardFrame, &o.InfoFrame})
            if (f->Visible()) shown += (shown.isEmpty() ? "" : "+") + f->Caption();
        return shown;
    }
    QString readme() const { return p.program.file("readme.txt"); }
    // What a show does after the showing code: the window's activation.
    void activate() { o.Form_Activate(); }
};

TEST_F(OptionsFrame, LoadingLeavesTheGeneralPageOpen) {
    EXPECT_EQ(shownPage(), "General settings");
    EXPECT_EQ(o.Fr.Caption(), "General");
    EXPECT_EQ(o.Tlabel.Caption(), "General settings");
    EXPECT_TRUE(o.Label2.Font().underline);
    EXPECT_FALSE(o.Label3.Font().underline);
    EXPECT_FALSE(o.ShowInTaskbar());
    EXPECT_EQ(o.BorderStyle(), ui::Form::vbBSNone);
    EXPECT_EQ(o.Width(), 8835);
    EXPECT_EQ(o.Height(), 5895);
}

TEST_F(OptionsFrame, TheGraphicEqualizerHeadingSpansBothItsGroups) {
    EXPECT_EQ(o.Label1.Left(), o.Frame2.Left());
    EXPECT_EQ(o.Label1.Left() + o.Label1.Width(), o.Frame5.Left() + o.Frame5.Width());
}

// Fr is matched exactly: another case or a word naming no page keeps the
// page shown last.
TEST_F(OptionsFrame, ActivationOpensThePageFrNamesExactly) {
    o.Fr.setCaption("Skin");
    activate();
    EXPECT_EQ(shownPage(), "Skins");
    EXPECT_TRUE(o.Label5.Font().underline);
    EXPECT_FALSE(o.Label2.Font().underline);
    for (const char* other : {"skin", "0", "General ", ""}) {
        o.Fr.setCaption(other);
        activate();
        EXPECT_EQ(shownPage(), "Skins") << other;
        EXPECT_EQ(o.Fr.Caption(), other);
    }
    o.Fr.setCaption(QString(10000, u'x'));
    activate();
    EXPECT_EQ(shownPage(), "Skins");
    o.Fr.setCaption("Advanced");
    activate();
    EXPECT_EQ(shownPage(), "Advanced settings");
    EXPECT_EQ(o.Tlabel.Caption(), "Advanced settings") << "the frame's caption, not the label's";
    o.Label8_Click();
    EXPECT_EQ(o.Tlabel.Caption(), "Info Plenk Player");
    EXPECT_EQ(o.Fr.Caption(), "About");
}

TEST_F(OptionsFrame, ActivationShowsTheSkinsMenuPictureInTheTitleStrip) {
    p.form<DataForm>().MeniuHover.setPicture(blank(7, 3));
    activate();
    EXPECT_EQ(o.TopImage.picture().pixmap().size(), QSize(7, 3));
}

// The info page reads readme.txt at every opening; what cannot be read
// leaves the text read last.
TEST_F(OptionsFrame, TheInfoPageReadsTheReadmeAtEveryOpening) {
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), "Readme") << "no file yet";
    QFile::remove(readme());
    p.program.write("readme.txt", "");
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), "");
    p.program.write("readme.txt", "Line one\r\nLine two\n");
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), "Line one\r\nLine two\n");
    QFile::remove(readme());
    o.Label2_Click();
    o.Fr.setCaption("About");
    activate();
    EXPECT_EQ(o.Readme.Text(), "Line one\r\nLine two\n") << "deleted after a read";
    p.program.write("readme.txt", "caf\xE9 na\xEFve\r\nUTF-8 \xC3\xA9");
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), QString::fromUtf8("café naïve\r\nUTF-8 é"));
}

TEST_F(OptionsFrame, AReadmeThatIsNoRegularFileKeepsTheText) {
    p.program.write("readme.txt", "kept");
    o.Label8_Click();
    QFile::remove(readme());
    QDir(p.program.path()).mkdir("readme.txt");
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), "kept") << "a folder";
    QDir(p.program.path()).rmdir("readme.txt");
    QFile::link(readme(), readme());
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), "kept") << "a link to itself";
    EXPECT_THROW(o.FileText(p.program.file("*.txt")), ui::RuntimeError) << "no globbing";
    try {
        o.FileText(p.program.file("missing.txt"));
        FAIL();
    } catch (const ui::RuntimeError& e) {
        EXPECT_EQ(e.number(), ui::kFileNotFound);
    }
    QFile::remove(readme());
    p.program.write("readme.txt", QByteArray("bin\0ary\xFF\xFE", 9));
    o.Label8_Click();
    EXPECT_EQ(o.Readme.Text(), "bin") << "a text box holds text up to its first NUL";
}

TEST_F(OptionsFrame, OnlyTheLabelUnderTheMouseIsDarkBlue) {
    o.PageLabel_MouseMove(o.Label3);
    o.PageLabel_MouseMove(o.Label4);
    for (ui::Label* l : {&o.Label2, &o.Label3, &o.Label15, &o.Label13, &o.Label5, &o.Label6,
                         &o.Label25, &o.Label8})
        EXPECT_EQ(l->ForeColor(), 0x404040u) << l->Name().toStdString();
    EXPECT_EQ(o.Label4.ForeColor(), 0xC00000u);
    o.LinksFrame_MouseMove();
    EXPECT_EQ(o.Label4.ForeColor(), 0x404040u);
}

TEST_F(OptionsFrame, TheCloseButtonShowsItsHoverPictureUntilTheWindowIsUnderTheMouse) {
    DataForm& d = p.form<DataForm>();
    d.CloseFocus.setPicture(blank(9, 9));
    d.CloseNormal.setPicture(blank(5, 5));
    o.CloseButton_MouseMove();
    EXPECT_EQ(o.CloseButton.picture().pixmap().size(), QSize(9, 9));
    o.LinksFrame_MouseMove();
    EXPECT_EQ(o.CloseButton.picture().pixmap().size(), QSize(9, 9)) << "the column leaves it";
    o.Form_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(o.CloseButton.picture().pixmap().size(), QSize(5, 5));
}

// The press hands the window to the move loop; the page labels start none.
TEST_F(OptionsFrame, ThePressOnTheTitleStripMovesTheWindow) {
    o.Show();
    o.TopImage_MouseDown();
    o.Tlabel_MouseDown();
    o.Form_MouseDown(ui::vbRightButton, 0, 100, 100);
    EXPECT_EQ(p.dialogs->count("MoveLoop"), 3);
    o.Label2.MouseDown.raise(ui::vbLeftButton, 0, 10, 10);
    EXPECT_EQ(p.dialogs->count("MoveLoop"), 3);
    o.Hide();
}

// The modal show returns once the close button has hidden the window and
// saved, exactly as OK saves.
TEST_F(OptionsFrame, TheCloseButtonSavesAsOkAndEndsTheShow) {
    const QString settings = p.program.file("settings.ini");
    o.Check1.setValue(1);
    o.Command1_Click();
    const QByteArray afterOk = readAll(settings);
    ASSERT_FALSE(afterOk.isEmpty());
    QFile::remove(settings);
    bool activated = false;
    p.dialogs->whileShown = [&](const ui::RecordingDialogs::Shown&) {
        QCoreApplication::processEvents();
        activated = o.LanguageFrame.Visible();
        o.CloseButton_Click();
    };
    o.Open("Language");
    EXPECT_TRUE(activated) << "activation runs after the showing code";
    EXPECT_FALSE(o.Visible());
    EXPECT_EQ(readAll(settings), afterOk);
    EXPECT_EQ(p.dialogs->count("Modal"), 1);
}

// OK keeps the page: a show without a page name reopens it.
TEST_F(OptionsFrame, AShowWithoutAPageNameReopensThePageLeftWithOk) {
    int shows = 0;
    p.dialogs->whileShown = [&](const ui::RecordingDialogs::Shown&) {
        QCoreApplication::processEvents();
        if (++shows == 1) o.Label5_Click();
        o.Command1_Click();
    };
    o.Open("General");
    EXPECT_EQ(o.Fr.Caption(), "Skin");
    o.SkinFrame.setVisible(false);
    o.Open();
    EXPECT_EQ(shownPage(), "Skins") << "the second show activates again";
}

// The desktop's close hides without saving; the window stays loaded.
TEST_F(OptionsFrame, TheDesktopsCloseHidesWithoutSaving) {
    o.Show();
    o.requestClose();
    EXPECT_TRUE(o.isLoaded());
    EXPECT_FALSE(o.Visible());
    EXPECT_FALSE(QFile::exists(p.program.file("settings.ini")));
}

}  // namespace

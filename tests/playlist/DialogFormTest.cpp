#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "options/Options.h"
#include "playlist/DialogForm.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/FileLimits.h"
#include "support/PlayerFixture.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

QByteArray tagged(const QByteArray& title, const QByteArray& artist) {
    return QByteArray(200, 'a') + "TAG" + title.leftJustified(30, '\0') +
           artist.leftJustified(30, '\0') + QByteArray(64, '\0') + '\x11';
}

class DialogFormTest : public ::testing::Test {
  protected:
    PlayerFixture p;
    DialogForm& dialog = p.form<DialogForm>();
    DataForm& data = p.form<DataForm>();
    ui::ListBox& rows = p.form<Playlist>().PicList;

    void entries(const QStringList& paths) {
        for (const QString& path : paths) {
            data.ListaCale.AddItem(path);
            rows.AddItem(path.section(u'/', -1));
        }
    }
    void open(const QString& page) {
        dialog.setVisible(true);
        dialog.Fereastra.setCaption(page);
        dialog.Form_Activate();
    }
    QString playlist(const QString& name) { return p.program.file("Playlists/" + name); }
    QStringList playlists() { return QDir(p.program.file("Playlists")).entryList(QDir::Files); }
    void saveAs(const QString& name) {
        open("SavePlaylist");
        dialog.PlaylistName.setText(name);
        dialog.Command4_Click();
    }
    void load(const QString& file) {
        open("LoadPlaylist");
        dialog.File1.setText(file);
        dialog.Command2_Click();
    }
    QString lastMessage() const {
        return p.dialogs->shown.empty() ? QString() : p.dialogs->shown.back().text;
    }
};

TEST_F(DialogFormTest, SavedPlaylistLoadsBackInOrder) {
    const QStringList paths = {"/music/Ștefan/Élodie.mp3", "/music/b.ogg", "/music/a.wav"};
    entries(paths);
    saveAs("Mix ăîș");
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(readAll(playlist("Mix ăîș.mpl")), paths.join("\r\n").toUtf8() + "\r\n");

    rows.Clear();
    data.ListaCale.Clear();
    entries({"/music/other.mp3"});
    load("Mix ăîș.mpl");
    EXPECT_EQ(data.ListaCale.items(), paths);
    EXPECT_EQ(rows.items(), QStringList({"Élodie", "b", "a"}));
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
}

TEST_F(DialogFormTest, SaveReplacesAFileOfTheSameName) {
    p.program.write("Playlists/Mix.mpl", "/old/one\r\n/old/two\r\n");
    entries({"/new.mp3"});
    saveAs("Mix");
    EXPECT_EQ(readAll(playlist("Mix.mpl")), "/new.mp3\r\n");
}

TEST_F(DialogFormTest, ClickingAListedFileTakesItsNameWithoutTheExactExtension) {
    p.program.write("Playlists/Rock.MPL", "/r.mp3\r\n");
    p.program.write("Playlists/Jazz.mpl", "/j.mp3\r\n");
    open("SavePlaylist");
    EXPECT_EQ(dialog.File2.items(), QStringList({"Jazz.mpl", "Rock.MPL"}));
    EXPECT_FALSE(dialog.Command7.Enabled());
    dialog.File2.setListIndex(0);
    EXPECT_EQ(dialog.PlaylistName.Text(), "Jazz");
    EXPECT_TRUE(dialog.Command7.Enabled());
    dialog.File2.setListIndex(1);
    EXPECT_EQ(dialog.PlaylistName.Text(), "Rock.MPL");
    entries({"/x.mp3"});
    int enter = 13;
    dialog.PlaylistName_KeyPress(enter);
    EXPECT_EQ(readAll(playlist("Rock.MPL.mpl")), "/x.mp3\r\n");
}

TEST_F(DialogFormTest, UnsafeNamesAreRefusedAndNothingIsWritten) {
    entries({"/x.mp3"});
    for (const QString& name : {QString(""), QString(".hidden"), QString(".."),
                                QString("..\\..\\x"), QString("a/b"), QString("../x")}) {
        p.dialogs->shown.clear();
        saveAs(name);
        EXPECT_EQ(p.dialogs->count("MsgBox"), 1) << name.toStdString();
        EXPECT_TRUE(dialog.Visible());
        EXPECT_TRUE(dialog.SavePlaylistFrame.Visible());
    }
    EXPECT_TRUE(playlists().isEmpty());
    EXPECT_FALSE(QFile::exists(p.program.file("x.mpl")));
    EXPECT_FALSE(QFile::exists(p.program.file("Playlists/a/b.mpl")));
}

TEST_F(DialogFormTest, FailedSaveNamesTheFileAndKeepsTheWindow) {
    entries({"/x.mp3"});
    const QString tooLong = QString("n").repeated(300);
    saveAs(tooLong);
    EXPECT_TRUE(lastMessage().contains(tooLong + ".mpl"));
    EXPECT_TRUE(dialog.Visible());

    {
        testsupport::PermissionsHold hold;
        QFile::setPermissions(p.program.file("Playlists"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        saveAs("Locked");
        EXPECT_TRUE(lastMessage().contains("Locked.mpl"));
        EXPECT_TRUE(dialog.Visible());
        QFile::setPermissions(p.program.file("Playlists"), QFileDevice::ReadOwner |
                                                               QFileDevice::WriteOwner |
                                                               QFileDevice::ExeOwner);
    }
    EXPECT_TRUE(playlists().isEmpty());
}

TEST_F(DialogFormTest, MissingPlaylistsFolderIsMadeAndAFileInItsPlaceIsReported) {
    entries({"/x.mp3"});
    QDir(p.program.file("Playlists")).removeRecursively();
    saveAs("First");
    EXPECT_EQ(readAll(playlist("First.mpl")), "/x.mp3\r\n");
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);

    QDir(p.program.file("Playlists")).removeRecursively();
    p.program.write("Playlists", "not a folder");
    saveAs("Second");
    EXPECT_EQ(p.dialogs->count("MsgBox"), 1);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.File2.ListCount(), 0);
}

TEST_F(DialogFormTest, LoadWithoutASelectionAsksForOneAndClearsNothing) {
    entries({"/kept.mp3"});
    p.program.write("Playlists/Mix.mpl", "/x.mp3\r\n");
    open("LoadPlaylist");
    dialog.Command2_Click();
    ASSERT_EQ(p.dialogs->count("MsgBox"), 1);
    EXPECT_EQ(lastMessage(), "Please chose a playlist file to load");
    EXPECT_EQ(data.ListaCale.items(), QStringList({"/kept.mp3"}));
    EXPECT_TRUE(dialog.isLoaded());
}

TEST_F(DialogFormTest, VanishedFileIsReportedAndThePlaylistKept) {
    entries({"/kept.mp3"});
    p.form<JumpForm>().Lista.AddItem("kept.mp3");
    p.program.write("Playlists/Gone.mpl", "/x.mp3\r\n");
    open("LoadPlaylist");
    dialog.File1.setText("Gone.mpl");
    QFile::remove(playlist("Gone.mpl"));
    dialog.File1_DblClick();
    EXPECT_TRUE(lastMessage().contains("Gone.mpl"));
    EXPECT_EQ(data.ListaCale.items(), QStringList({"/kept.mp3"}));
    EXPECT_EQ(rows.items(), QStringList({"kept.mp3"}));
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), QStringList({"kept.mp3"}));
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.File1.ListCount(), 0);
}

TEST_F(DialogFormTest, EveryLineEndAndBlankLineMakesAnEntry) {
    p.program.write("Playlists/Ends.mpl", "/a.mp3\r\r\n/b.mp3\n/c.mp3  \r/d\xff\x01.mp3");
    load("Ends.mpl");
    EXPECT_EQ(data.ListaCale.ListCount(), 5);
    EXPECT_EQ(data.ListaCale.List(0), "/a.mp3");
    EXPECT_EQ(data.ListaCale.List(1), "");
    EXPECT_EQ(rows.List(1), "");
    EXPECT_EQ(data.ListaCale.List(3), "/c.mp3");

    p.program.write("Playlists/Empty.mpl", "");
    load("Empty.mpl");
    EXPECT_EQ(data.ListaCale.ListCount(), 0);
    EXPECT_EQ(rows.ListCount(), 0);
}

TEST_F(DialogFormTest, LoadFollowsTheTitleFormatAndPlaybackGoesOn) {
    const QString song = p.program.write("Music/song.mp3", tagged("Tune", "Band"));
    const QString plain = p.program.write("Music/plain.mp3", QByteArray(300, 'b'));
    p.program.write("Playlists/Tags.mpl", (song + "\r\n" + plain + "\r\n").toUtf8());
    Options& options = p.form<Options>();
    p.media().clearCommands();
    const struct {
        ui::OptionButton& format;
        QString first;
    } formats[] = {{options.Option15, "song"},
                   {options.Option18, "Band - Tune"},
                   {options.Option19, "Tune - Band"}};
    for (const auto& f : formats) {
        f.format.setValue(true);
        load("Tags.mpl");
        EXPECT_EQ(rows.items(), QStringList({f.first, "plain"}));
        EXPECT_EQ(p.form<JumpForm>().Lista.items(), rows.items());
        EXPECT_EQ(data.ListaCale.ListCount(), 2);
    }
    EXPECT_TRUE(p.media().commands().empty());
}

TEST_F(DialogFormTest, BothDeletesRemoveTheSelectedFileAndHide) {
    p.program.write("Playlists/One.mpl", "/1\r\n");
    p.program.write("Playlists/Two.mpl", "/2\r\n");
    open("LoadPlaylist");
    EXPECT_FALSE(dialog.Command6.Enabled());
    dialog.File1.setText("One.mpl");
    EXPECT_TRUE(dialog.Command6.Enabled());
    dialog.Command6_Click();
    EXPECT_EQ(playlists(), QStringList({"Two.mpl"}));
    EXPECT_EQ(dialog.File1.items(), QStringList({"Two.mpl"}));
    EXPECT_FALSE(dialog.Visible());

    open("SavePlaylist");
    dialog.File2.setText("Two.mpl");
    QFile::remove(playlist("Two.mpl"));
    dialog.Command7_Click();
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(dialog.File2.ListCount(), 0);
    open("SavePlaylist");
    dialog.Command7_Click();
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
}

TEST_F(DialogFormTest, PageFollowsFereastraWrittenAfterTheWindowShows) {
    const struct {
        const char* name;
        ui::Frame& frame;
        const char* title;
    } pages[] = {{"LoadPlaylist", dialog.LoadPlaylistFrame, "Load playlist file"},
                 {"SavePlaylist", dialog.SavePlaylistFrame, "Save playlist"},
                 {"CDFrame", dialog.CdFrame, "Open CD"}};
    for (const auto& page : pages) {
        dialog.setVisible(true);
        dialog.Fereastra.setCaption(page.name);
        p.app->noteActivated(p.form<Main>());
        p.app->noteActivated(dialog);
        p.clock->advance(1);
        for (const auto& other : pages)
            EXPECT_EQ(other.frame.Visible(), &other == &page) << page.name;
        EXPECT_EQ(dialog.TitluMesaj.Caption(), page.title);
    }
    dialog.Fereastra.setCaption("Other");
    dialog.Form_Activate();
    EXPECT_TRUE(dialog.CdFrame.Visible());
    EXPECT_EQ(dialog.TitluMesaj.Caption(), "Open CD");
}

TEST_F(DialogFormTest, CdPageClosesTheDoor) {
    open("CDFrame");
    p.media().clearCommands();
    dialog.Command1_Click();
    ASSERT_EQ(p.media().commands().size(), 1u);
    EXPECT_EQ(QString::fromStdString(p.media().commands().front()).toLower(),
              "set cdaudio door closed");
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(DialogFormTest, CancelAndCloseHide) {
    for (auto close : {&DialogForm::Command3_Click, &DialogForm::Command5_Click,
                       &DialogForm::ImageClose_Click}) {
        open("LoadPlaylist");
        (dialog.*close)();
        EXPECT_FALSE(dialog.Visible());
    }
}

}  // namespace

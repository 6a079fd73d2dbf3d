#include <functional>

#include <gtest/gtest.h>

#include <QStringList>

#include "options/FormPreset.h"
#include "options/Options.h"
#include "playlist/DialogForm.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using testsupport::PlayerFixture;
using testsupport::RecordingMain;

namespace {

class CountingChecker : public UpdateChecker {
  public:
    explicit CountingChecker(QStringList& log) : log_(log) {}
    void CheckVersion(QString& version) override { log_ << version; }

  private:
    QStringList& log_;
};

QByteArray tagged(const QByteArray& title, const QByteArray& artist, char genre) {
    return QByteArray(200, 'a') + "TAG" + title.leftJustified(30, '\0') +
           artist.leftJustified(30, '\0') + QByteArray("Album").leftJustified(30, '\0') + "1999" +
           QByteArray(30, '\0') + genre;
}

class MenuActions : public ::testing::Test {
  protected:
    PlayerFixture p;
    FormMeniuri& menus = p.form<FormMeniuri>();
    DataForm& data = p.form<DataForm>();
    ui::ListBox& rows = p.form<Playlist>().PicList;
    Main& main = p.form<Main>();
    QStringList log;
    QStringList opened;
    QStringList checks;

    void SetUp() override {
        fakeController();
        p.app->shell().setOpener([this](const QString& target) {
            opened << target;
            return true;
        });
    }
    void fakeController() { menus.MainCtl.set(std::make_unique<RecordingMain>(*p.app, log)); }
    void entries(const QStringList& names) {
        for (const QString& name : names) {
            data.ListaCale.AddItem("/music/" + name + ".mp3");
            rows.AddItem(name);
            p.form<JumpForm>().Lista.AddItem(name);
        }
    }
    template <class F>
    void closing(F&& handler) {
        EXPECT_THROW(handler(), ui::ProcessExit);
    }
    QStringList settingsLines() { return testsupport::readLines(p.program.file("settings.ini")); }
};

TEST_F(MenuActions, PlaybackItemsCallTheWindowsController) {
    menus.SysTrayPlay_Click();
    menus.SysTrayPause_Click();
    menus.SysTrayStop_Click();
    menus.SysTrayBack_Click();
    menus.SysTrayNext_Click();
    EXPECT_EQ(log, QStringList({"Play", "Pause", "SStop", "PlayPrevious", "PlayNext"}));
    closing([&] { menus.MainClosePlenk_Click(); });
    EXPECT_EQ(log.last(), "ClosePlenk");
}

TEST_F(MenuActions, OpenFileItemsPlayTheChosenFile) {
    p.dialogs->fileAnswers = {{"/music/chosen.mp3"}};
    menus.MainOpenFile_Click();
    menus.SysTrayOpen_Click();
    EXPECT_EQ(p.dialogs->count("OpenFile"), 2);
    EXPECT_EQ(log, QStringList({"Play"})) << "the cancelled second dialog plays nothing";
    EXPECT_EQ(main.LbFileName(0).Caption(), "/music/chosen.mp3");
}

TEST_F(MenuActions, SetAsNextQueuesTheSelectedRowOnly) {
    entries({"a", "b"});
    menus.MeniuProgrameaza_Click();
    EXPECT_EQ(data.ListaProgramate.ListCount(), 0) << "no row selected, nothing queued";
    rows.setListIndex(1);
    menus.MeniuProgrameaza_Click();
    EXPECT_EQ(data.ListaProgramate.items(), QStringList({"b"}));
}

TEST_F(MenuActions, PlayPlaysTheRightClickedRowFromThePlaylist) {
    entries({"a", "b", "c"});
    menus.MeniuPlayPl_Click();
    EXPECT_TRUE(log.isEmpty()) << "no row, nothing played";

    // After a file from the open dialog the flag says "not from the playlist".
    data.FromPlaylist.setCaption("False");
    data.SongNumber.setCaption("0");
    rows.setListIndex(2);
    menus.MeniuPlayPl_Click();
    EXPECT_EQ(log, QStringList({"Play"}));
    EXPECT_EQ(data.FromPlaylist.Caption(), "True");
    EXPECT_EQ(data.SongNumber.Caption(), "2");

    log.clear();
    main.StarePlayer.setCaption("Paused");
    rows.setListIndex(1);
    menus.MeniuPlayPl_Click();
    EXPECT_EQ(log, QStringList({"SStop", "Play"}));
    EXPECT_EQ(data.SongNumber.Caption(), "1");
}

TEST_F(MenuActions, EachClearEmptiesThePlaylistItsPathsAndTheSearchList) {
    for (auto handler :
         {&FormMeniuri::MeniuStergeLista_Click, &FormMeniuri::MenuClearPlaylist_Click,
          &FormMeniuri::NewPlaylistMenu_Click}) {
        entries({"a", "b"});
        std::invoke(handler, menus);
        EXPECT_EQ(rows.ListCount(), 0);
        EXPECT_EQ(data.ListaCale.ListCount(), 0);
        EXPECT_EQ(p.form<JumpForm>().Lista.ListCount(), 0);
    }
    menus.MeniuStergeFisier_Click();
    menus.MeniuStergeLista_Click();
    EXPECT_EQ(rows.ListCount(), 0) << "an empty playlist stays empty";
}

TEST_F(MenuActions, DialogItemsNameTheirPageAfterShowingTheWindow) {
    DialogForm& dialog = p.form<DialogForm>();
    menus.MenuOpenPlaylist_Click();
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Fereastra.Caption(), "LoadPlaylist");
    dialog.Form_Activate();
    EXPECT_TRUE(dialog.LoadPlaylistFrame.Visible());
    menus.MenuSavePlaylist_Click();
    EXPECT_TRUE(dialog.SavePlaylistFrame.Visible()) << "the window, already active, shows it";
    EXPECT_FALSE(dialog.LoadPlaylistFrame.Visible());
    p.media().clearCommands();
    menus.OpenCdMenu_Click();
    dialog.Form_Activate();
    EXPECT_TRUE(dialog.CdFrame.Visible());
    ASSERT_FALSE(p.media().commands().empty());
    EXPECT_EQ(QString::fromStdString(p.media().commands().front()), "Set CDAudio Door Open");
}

TEST_F(MenuActions, SearchItemsShowTheSearchWindow) {
    for (auto handler : {&FormMeniuri::JumpToFileMenu_Click, &FormMeniuri::SearchInPlMenu_Click,
                         &FormMeniuri::SysTrayJump_Click}) {
        p.form<JumpForm>().Hide();
        std::invoke(handler, menus);
        EXPECT_TRUE(p.form<JumpForm>().Visible());
    }
}

TEST_F(MenuActions, PlayOrderItemsSelectTheOptionAndMarkBothMenus) {
    Options& o = p.form<Options>();
    menus.MeniuAleatoriu_Click();
    EXPECT_TRUE(o.Option2.Value());
    EXPECT_TRUE(menus.MeniuAleatoriu.Checked());
    EXPECT_TRUE(menus.ShuffleOnMenu.Checked());
    EXPECT_FALSE(menus.MeniuLaRand.Checked());
    EXPECT_FALSE(menus.ShuffleOfMenu.Checked());
    menus.PlayTheBestMenu_Click();
    EXPECT_TRUE(o.Option3.Value());
    EXPECT_TRUE(menus.MeniuPreferinte.Checked());
    EXPECT_FALSE(menus.MeniuAleatoriu.Checked());
    menus.MeniuLaRand_Click();
    EXPECT_TRUE(o.Option1.Value());
    EXPECT_TRUE(menus.ShuffleOfMenu.Checked());
    menus.ShuffleOnMenu_Click();
    EXPECT_TRUE(o.Option2.Value());
    menus.MeniuPreferinte_Click();
    menus.ShuffleOfMenu_Click();
    EXPECT_TRUE(o.Option1.Value());

    menus.OriginalSizeMenu_Click();
    EXPECT_TRUE(o.Option16.Value());
    EXPECT_TRUE(menus.OriginalSizeMenu.Checked());
    EXPECT_FALSE(menus.StretchMenu.Checked());
    menus.OriginalSize2Menu_Click();
    EXPECT_TRUE(o.Option17.Value());
    menus.StretchMenu_Click();
    EXPECT_TRUE(o.Option14.Value());
    EXPECT_TRUE(menus.StretchMenu.Checked());
    EXPECT_FALSE(menus.OriginalSize2Menu.Checked());
}

TEST_F(MenuActions, PageItemsNameTheOptionsPageAndWaitForTheWindow) {
    Options& o = p.form<Options>();
    const std::pair<void (FormMeniuri::*)(), const char*> pages[] = {
        {&FormMeniuri::MainMenuSettings_Click, "General"},
        {&FormMeniuri::ChangeSkinMenu_Click, "Skin"},
        {&FormMeniuri::LanguageMenu_Click, "Language"},
        {&FormMeniuri::FileAssociationMenu_Click, "Association"},
        {&FormMeniuri::PlaylistSettingsMenu_Click, "Playlist"},
        {&FormMeniuri::VideoSettingsMenu_Click, "Video"},
        {&FormMeniuri::AboutPlenkMenu_Click, "About"},
        {&FormMeniuri::KeyboardShortcutsMenu_Click, "Keyboard"},
    };
    QStringList seen;
    p.dialogs->whileShown = [&](const ui::RecordingDialogs::Shown& s) {
        if (s.kind == "Modal") seen << s.text + ":" + o.Fr.Caption();
    };
    for (const auto& [handler, page] : pages)
        std::invoke(handler, menus);
    menus.MeniuOptiuni_Click();
    EXPECT_EQ(seen, QStringList({"Options:General", "Options:Skin", "Options:Language",
                                 "Options:Association", "Options:Playlist", "Options:Video",
                                 "Options:About", "Options:Keyboard", "Options:Keyboard"}));
}

TEST_F(MenuActions, LibraryItemsOpenTheirPageAtTheirSize) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    const auto page = [&] {
        return QString("%1%2%3")
            .arg(lib.FrameIDTag.Visible())
            .arg(lib.FrameTop10.Visible())
            .arg(lib.FrameLibrary.Visible());
    };
    menus.ShowTop20Menu_Click();
    EXPECT_TRUE(lib.Visible());
    EXPECT_EQ(lib.Width(), 7725.0f);
    EXPECT_EQ(lib.Height(), 5025.0f);
    EXPECT_EQ(page(), "010");

    lib.Move(lib.Left(), lib.Top(), 9000, 6000);
    menus.MeniuAfisareClasament_Click();
    EXPECT_EQ(lib.Width(), 9000.0f);
    EXPECT_EQ(page(), "010");
    menus.MediaLibraryMenu_Click();
    EXPECT_EQ(lib.Width(), 9000.0f);
    EXPECT_EQ(page(), "001");
    menus.ID3InfoMenu_Click();
    EXPECT_EQ(lib.Width(), 7725.0f);
    EXPECT_EQ(page(), "100");
}

TEST_F(MenuActions, TagPageShowsTheCurrentEntrysWholeTag) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    const QString song = p.program.write("song.mp3", tagged("Title", "Artist", 17));
    const QString plain = p.program.write("plain.mp3", QByteArray(300, 'b'));
    data.ListaCale.AddItem(song);
    data.ListaCale.AddItem(plain);
    data.ListaCale.setListIndex(0);
    menus.MenuInfo_Click();
    EXPECT_EQ(lib.Text1T.Text().trimmed(), "Title");
    EXPECT_EQ(lib.Text2T.Text().trimmed(), "Artist");
    EXPECT_EQ(lib.Text3T.Text().trimmed(), "Album");
    EXPECT_EQ(lib.Text4T.Text(), "1999");
    EXPECT_EQ(lib.Combo1T.ListIndex(), 17);
    EXPECT_TRUE(lib.FrameIDTag.Visible());

    data.ListaCale.setListIndex(1);
    menus.FileInfoMenu_Click();
    EXPECT_EQ(lib.Text1T.Text().trimmed(), "");
    EXPECT_EQ(lib.Text4T.Text().trimmed(), "");
    EXPECT_EQ(lib.Combo1T.ListIndex(), -1) << "no genre clears the box";
}

TEST_F(MenuActions, TagPageOnUnreadablePathsShowsEmptyFields) {
    MediaLibrary& lib = p.form<MediaLibrary>();
    const QString paths[] = {p.program.file("missing.mp3"), p.program.write("empty.mp3", ""),
                             p.program.write("short.mp3", QByteArray(100, 'T')),
                             p.program.file("Data")};
    for (const QString& path : paths) {
        data.ListaCale.Clear();
        data.ListaCale.AddItem(path);
        data.ListaCale.setListIndex(0);
        menus.MenuInfo_Click();
        EXPECT_EQ(lib.Text1T.Text().trimmed(), "") << path.toStdString();
        EXPECT_TRUE(lib.Visible());
    }
    data.ListaCale.Clear();
    menus.FileInfoMenu_Click();
    EXPECT_EQ(lib.Text1T.Text().trimmed(), "") << "no entry at all";
}

TEST_F(MenuActions, ShowPlaylistTogglesTheWindowAndItsFlag) {
    Playlist& list = p.form<Playlist>();
    list.Show();
    menus.ShowPlaylistMenu_Click();
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(data.PlaylistON.Caption(), "0");
    menus.ShowPlaylistMenu_Click();
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(data.PlaylistON.Caption(), "1");
}

TEST_F(MenuActions, FullMiniTwiceComesBackWhereTheMiniWindowWas) {
    main.Show();
    main.Move(1500, 1200);
    menus.FullMiniMenu_Click();
    MiniForm& mini = p.form<MiniForm>();
    EXPECT_FALSE(main.Visible());
    EXPECT_TRUE(mini.Visible());
    EXPECT_EQ(mini.Left(), 1500.0f);
    EXPECT_EQ(mini.Top(), 1200.0f);
    EXPECT_EQ(mini.IconPath(), main.IconPath());
    EXPECT_EQ(data.MiniMode.Caption(), "True");

    mini.Move(4500, 3000);
    menus.FullMiniMenu_Click();
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.Left(), 4500.0f);
    EXPECT_EQ(main.Top(), 3000.0f);
    EXPECT_EQ(data.MiniMode.Caption(), "False");
}

TEST_F(MenuActions, FullMiniWithAnOddModeTextGoesBackToTheMainWindow) {
    data.MiniMode.setCaption("maybe");
    menus.FullMiniMenu_Click();
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
    EXPECT_EQ(data.MiniMode.Caption(), "False");
}

TEST_F(MenuActions, EqualizerFromTheMiniWindowEndsInTheFullLayoutAtItsPlace) {
    main.Show();
    data.MainMode.setCaption("Full");
    menus.FullMiniMenu_Click();
    p.form<MiniForm>().Move(3000, 2400);
    menus.EqualizerMenu_Click();
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
    EXPECT_EQ(main.Left(), 3000.0f);
    EXPECT_EQ(main.Top(), 2400.0f);
    EXPECT_EQ(data.MainMode.Caption(), "Full");
    EXPECT_EQ(main.Height(), 3530.0f);
    EXPECT_EQ(data.MiniMode.Caption(), "False");
    menus.EqualizerMenu_Click();
    EXPECT_EQ(data.MainMode.Caption(), "Small");
}

TEST_F(MenuActions, PresetItemsOpenThePresetWindowForTheirUse) {
    FormPreset& presets = p.form<FormPreset>();
    menus.SavePreset_Click();
    EXPECT_TRUE(presets.Visible());
    EXPECT_TRUE(presets.NumePreset.Visible());
    menus.LoadPreset_Click();
    EXPECT_FALSE(presets.NumePreset.Visible());
    EXPECT_FALSE(presets.DelButton.Visible());
    menus.DeletePreset_Click();
    EXPECT_TRUE(presets.DelButton.Visible());
}

TEST_F(MenuActions, WebItemsOpenTheSiteInTheInterfacesLanguage) {
    menus.MainMenuHelp_Click();
    menus.ReportBugsMenu_Click();
    p.form<Options>().LanguageSelector.setSelected(0, false);
    p.form<Options>().LanguageSelector.setSelected(1, true);
    menus.MainMenuHelp_Click();
    menus.ReportBugsMenu_Click();
    EXPECT_EQ(opened, QStringList({"https://plenkplayer.example/",
                                   "https://plenkplayer.example/support/contact/",
                                   "https://plenkplayer.example/ro/",
                                   "https://plenkplayer.example/ro/support/contact/"}));
    p.app->shell().setOpener([](const QString&) { return false; });
    menus.MainMenuHelp_Click();
    EXPECT_TRUE(p.dialogs->shown.empty()) << "no browser shows nothing";
}

TEST_F(MenuActions, UpdateItemHandsTheVersionOncePerClick) {
    menus.Updates.set(std::make_unique<CountingChecker>(checks));
    menus.LastVersionMenu_Click();
    menus.LastVersionMenu_Click();
    const QString version = QString("%1.%2.%3")
                                .arg(PlenkApp::versionMajor())
                                .arg(PlenkApp::versionMinor())
                                .arg(PlenkApp::versionRevision());
    EXPECT_EQ(checks, QStringList({version, version}));
}

TEST_F(MenuActions, TrayCloseRestoresAMinimizedOrTrayHiddenMainWindowBeforeSaving) {
    main.Show();
    main.setWindowState(ui::Form::vbMinimized);
    main.Hide();
    menus.MainCtl.set(nullptr);
    closing([&] { menus.SysTrayClose_Click(); });
    EXPECT_TRUE(settingsLines().contains("main")) << "restored before the save";
    EXPECT_EQ(main.WindowState(), ui::Form::vbNormal);
}

TEST_F(MenuActions, TrayCloseKeepsMiniModeAndAClosedPlaylist) {
    main.Show();
    menus.FullMiniMenu_Click();
    p.form<Playlist>().Hide();
    data.PlaylistON.setCaption("0");
    menus.MainCtl.set(nullptr);
    closing([&] { menus.SysTrayClose_Click(); });
    const QStringList lines = settingsLines();
    EXPECT_TRUE(lines.contains("mini"));
    EXPECT_TRUE(lines.contains("Playlist=False"));
}

TEST_F(MenuActions, ItemsRightAfterAReloadUseFreshObjects) {
    entries({"a"});
    menus.Unload();
    FormMeniuri& again = p.form<FormMeniuri>();
    again.MenuClearPlaylist_Click();
    EXPECT_EQ(rows.ListCount(), 0);
    again.MainCtl.set(std::make_unique<RecordingMain>(*p.app, log));
    again.SysTrayNext_Click();
    EXPECT_EQ(log, QStringList({"PlayNext"}));
}

TEST_F(MenuActions, EveryItemCopesWithAnEmptyPlayer) {
    // Everything that opens a window or ends the program is left out here.
    for (auto handler : {&FormMeniuri::MeniuPlayPl_Click, &FormMeniuri::MeniuProgrameaza_Click,
                         &FormMeniuri::MeniuStergeFisier_Click, &FormMeniuri::MenuInfo_Click,
                         &FormMeniuri::SysTrayStop_Click, &FormMeniuri::SysTrayNext_Click,
                         &FormMeniuri::MenuAddFile_Click, &FormMeniuri::MenuAddFolder_Click,
                         &FormMeniuri::MainOpenFile_Click})
        std::invoke(handler, menus);
    EXPECT_EQ(rows.ListCount(), 0);
    EXPECT_EQ(data.ListaProgramate.ListCount(), 0);
}

}  // namespace

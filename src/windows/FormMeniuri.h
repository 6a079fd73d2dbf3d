#pragma once

#include <memory>

#include "core/ClsMain.h"
#include "core/UpdateChecker.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "shared/PlayerForm.h"

class ClsPl;

// The hidden window that owns every pop-up menu of the player, the tray menu
// included; it is never shown.  The items are declared below in the order of
// the menu tree (a menu's items follow it, each sub-menu's items follow their
// head), which is the order the owner-drawn set-up walks them in.  Captions
// and picture numbers are the design table of FormMeniuriTree.cpp; a language
// replaces the captions after every load.
//
// The window keeps its own controller, playlist operations and update
// component while loaded, each made on first use; unloading releases them, so
// a reload (a language change, also from inside one of its items) starts
// afresh and nothing outside keeps a menu of an earlier load.
class FormMeniuri : public PlayerForm {
  public:
    explicit FormMeniuri(ui::Application& app);
    ~FormMeniuri() override;

    // Hides the two items no menu ever shows and numbers every item's picture.
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // Checks the play-order and video-size items from the options, then makes
    // every menu owner-drawn with the window's pictures.
    void SetMenuStuff();

    // The window's own controller, playlist operations and update component.
    ControllerSlot MainCtl{app()};
    UpdateCheckerSlot Updates;

    // Playback, queue and exit.
    void MeniuPlayPl_Click();
    void SysTrayPlay_Click();
    void SysTrayPause_Click();
    void SysTrayStop_Click();
    void SysTrayBack_Click();
    void SysTrayNext_Click();
    void MainOpenFile_Click();
    void SysTrayOpen_Click();
    void MeniuProgrameaza_Click();
    void OpenCdMenu_Click();
    void MainClosePlenk_Click();
    void SysTrayClose_Click();

    // Playlist.
    void MeniuAdaugaFisier_Click();
    void MenuAddFile_Click();
    void MeniuAdaugaFolder_Click();
    void MenuAddFolder_Click();
    void MeniuStergeFisier_Click();
    void MeniuStergeLista_Click();
    void MenuClearPlaylist_Click();
    void NewPlaylistMenu_Click();
    void MenuOpenPlaylist_Click();
    void MenuSavePlaylist_Click();
    void JumpToFileMenu_Click();
    void SearchInPlMenu_Click();
    void SysTrayJump_Click();

    // Play order and video size.
    void MeniuLaRand_Click();
    void MeniuAleatoriu_Click();
    void MeniuPreferinte_Click();
    void ShuffleOfMenu_Click();
    void ShuffleOnMenu_Click();
    void PlayTheBestMenu_Click();
    void StretchMenu_Click();
    void OriginalSizeMenu_Click();
    void OriginalSize2Menu_Click();

    // Options window pages.
    void MainMenuSettings_Click();
    void ChangeSkinMenu_Click();
    void LanguageMenu_Click();
    void KeyboardShortcutsMenu_Click();
    void FileAssociationMenu_Click();
    void PlaylistSettingsMenu_Click();
    void VideoSettingsMenu_Click();
    void AboutPlenkMenu_Click();
    void MeniuOptiuni_Click();

    // Media library and windows.
    void MenuInfo_Click();
    void FileInfoMenu_Click();
    void ID3InfoMenu_Click();
    void ShowTop20Menu_Click();
    void MeniuAfisareClasament_Click();
    void MediaLibraryMenu_Click();
    void ShowPlaylistMenu_Click();
    void FullMiniMenu_Click();
    void EqualizerMenu_Click();

    // Equalizer presets.
    void LoadPreset_Click();
    void SavePreset_Click();
    void DeletePreset_Click();

    // Web and update.
    void MainMenuHelp_Click();
    void ReportBugsMenu_Click();
    void LastVersionMenu_Click();

    // The playlist row menu.
    ui::Menu MeniuPlaylist{*this, "MeniuPlaylist"};
    ui::Menu MeniuPlayPl{*this, "MeniuPlayPl", &MeniuPlaylist};
    ui::Menu MenuInfo{*this, "MenuInfo", &MeniuPlaylist};
    ui::Menu MeniuProgrameaza{*this, "MeniuProgrameaza", &MeniuPlaylist};
    ui::Menu JumpToFileMenu{*this, "JumpToFileMenu", &MeniuPlaylist};
    ui::Menu Separator1{*this, "Separator1", &MeniuPlaylist};
    ui::Menu MeniuOptiuni{*this, "MeniuOptiuni", &MeniuPlaylist};
    ui::Menu MeniuMelodie{*this, "MeniuMelodie", &MeniuPlaylist};
    ui::Menu MeniuAleatoriu{*this, "MeniuAleatoriu", &MeniuMelodie};
    ui::Menu MeniuLaRand{*this, "MeniuLaRand", &MeniuMelodie};
    ui::Menu MeniuPreferinte{*this, "MeniuPreferinte", &MeniuMelodie};
    ui::Menu Separator4{*this, "Separator4", &MeniuPlaylist};
    ui::Menu MeniuAdaugaFolder{*this, "MeniuAdaugaFolder", &MeniuPlaylist};
    ui::Menu MeniuAdaugaFisier{*this, "MeniuAdaugaFisier", &MeniuPlaylist};
    ui::Menu MeniuStergeFisier{*this, "MeniuStergeFisier", &MeniuPlaylist};
    ui::Menu MeniuStergeLista{*this, "MeniuStergeLista", &MeniuPlaylist};
    ui::Menu Separator2{*this, "Separator2", &MeniuPlaylist};
    ui::Menu MeniuAfisareClasament{*this, "MeniuAfisareClasament", &MeniuPlaylist};
    ui::Menu Separator3{*this, "Separator3", &MeniuPlaylist};

    // The main window's (and the mini window's) three menus.
    ui::Menu MainMenu1{*this, "MainMenu1"};
    ui::Menu MainOpenFile{*this, "MainOpenFile", &MainMenu1};
    ui::Menu OpenCdMenu{*this, "OpenCdMenu", &MainMenu1};
    ui::Menu Separator5{*this, "Separator5", &MainMenu1};
    ui::Menu FileInfoMenu{*this, "FileInfoMenu", &MainMenu1};
    ui::Menu Separator12{*this, "Separator12", &MainMenu1};
    ui::Menu MainClosePlenk{*this, "MainClosePlenk", &MainMenu1};

    ui::Menu MainMenu2{*this, "MainMenu2"};
    ui::Menu MainMenuSettings{*this, "MainMenuSettings", &MainMenu2};
    ui::Menu ChangeSkinMenu{*this, "ChangeSkinMenu", &MainMenu2};
    ui::Menu LanguageMenu{*this, "LanguageMenu", &MainMenu2};
    ui::Menu KeyboardShortcutsMenu{*this, "KeyboardShortcutsMenu", &MainMenu2};
    ui::Menu FileAssociationMenu{*this, "FileAssociationMenu", &MainMenu2};
    ui::Menu ShowMenu{*this, "ShowMenu", &MainMenu2};
    ui::Menu ShowPlaylistMenu{*this, "ShowPlaylistMenu", &ShowMenu};
    ui::Menu MediaLibraryMenu{*this, "MediaLibraryMenu", &ShowMenu};
    ui::Menu ShowTop20Menu{*this, "ShowTop20Menu", &ShowMenu};
    ui::Menu ID3InfoMenu{*this, "ID3InfoMenu", &ShowMenu};
    ui::Menu EqualizerMenu{*this, "EqualizerMenu", &ShowMenu};
    ui::Menu Separator9{*this, "Separator9", &MainMenu2};
    // Disabled by the main window while a video has it stand in for the mini window.
    ui::Menu FullMiniMenu{*this, "FullMiniMenu", &MainMenu2};

    ui::Menu MainMenu3{*this, "MainMenu3"};
    ui::Menu MainMenuHelp{*this, "MainMenuHelp", &MainMenu3};
    ui::Menu ReportBugsMenu{*this, "ReportBugsMenu", &MainMenu3};
    ui::Menu LastVersionMenu{*this, "LastVersionMenu", &MainMenu3};
    ui::Menu Separator8{*this, "Separator8", &MainMenu3};
    ui::Menu AboutPlenkMenu{*this, "AboutPlenkMenu", &MainMenu3};

    // The playlist window's "File" and "Options" menus.
    ui::Menu PlaylistMenu1{*this, "PlaylistMenu1"};
    ui::Menu NewPlaylistMenu{*this, "NewPlaylistMenu", &PlaylistMenu1};
    ui::Menu MenuOpenPlaylist{*this, "MenuOpenPlaylist", &PlaylistMenu1};
    ui::Menu MenuSavePlaylist{*this, "MenuSavePlaylist", &PlaylistMenu1};
    ui::Menu Separator6{*this, "Separator6", &PlaylistMenu1};
    ui::Menu SearchInPlMenu{*this, "SearchInPlMenu", &PlaylistMenu1};
    ui::Menu Separator10{*this, "Separator10", &PlaylistMenu1};
    ui::Menu MenuAddFile{*this, "MenuAddFile", &PlaylistMenu1};
    ui::Menu MenuAddFolder{*this, "MenuAddFolder", &PlaylistMenu1};
    ui::Menu MenuClearPlaylist{*this, "MenuClearPlaylist", &PlaylistMenu1};

    ui::Menu PlaylistMenu2{*this, "PlaylistMenu2"};
    ui::Menu PlaylistSettingsMenu{*this, "PlaylistSettingsMenu", &PlaylistMenu2};
    ui::Menu PlaybackModeMenu{*this, "PlaybackModeMenu", &PlaylistMenu2};
    ui::Menu ShuffleOnMenu{*this, "ShuffleOnMenu", &PlaybackModeMenu};
    ui::Menu ShuffleOfMenu{*this, "ShuffleOfMenu", &PlaybackModeMenu};
    ui::Menu PlayTheBestMenu{*this, "PlayTheBestMenu", &PlaybackModeMenu};
    ui::Menu Separator7{*this, "Separator7", &PlaylistMenu2};

    // The equalizer's preset button.
    ui::Menu PresetMenu{*this, "PresetMenu"};
    ui::Menu LoadPreset{*this, "LoadPreset", &PresetMenu};
    ui::Menu SavePreset{*this, "SavePreset", &PresetMenu};
    ui::Menu DeletePreset{*this, "DeletePreset", &PresetMenu};

    // A right click on the video.
    ui::Menu VideoMenu{*this, "VideoMenu"};
    ui::Menu VideoSettingsMenu{*this, "VideoSettingsMenu", &VideoMenu};
    ui::Menu VideoSizeMenu{*this, "VideoSizeMenu", &VideoMenu};
    ui::Menu StretchMenu{*this, "StretchMenu", &VideoSizeMenu};
    ui::Menu OriginalSizeMenu{*this, "OriginalSizeMenu", &VideoSizeMenu};
    ui::Menu OriginalSize2Menu{*this, "OriginalSize2Menu", &VideoSizeMenu};

    // The tray icon's menu.
    ui::Menu SysTrayMenu{*this, "SysTrayMenu"};
    ui::Menu SysTrayPlay{*this, "SysTrayPlay", &SysTrayMenu};
    ui::Menu SysTrayPause{*this, "SysTrayPause", &SysTrayMenu};
    ui::Menu SysTrayStop{*this, "SysTrayStop", &SysTrayMenu};
    ui::Menu SysTrayBack{*this, "SysTrayBack", &SysTrayMenu};
    ui::Menu SysTrayNext{*this, "SysTrayNext", &SysTrayMenu};
    ui::Menu Separator11{*this, "Separator11", &SysTrayMenu};
    ui::Menu SysTrayOpen{*this, "SysTrayOpen", &SysTrayMenu};
    ui::Menu SysTrayJump{*this, "SysTrayJump", &SysTrayMenu};
    ui::Menu Separator13{*this, "Separator13", &SysTrayMenu};
    ui::Menu SysTrayClose{*this, "SysTrayClose", &SysTrayMenu};

    // The items' pictures, numbered by their Tag: 28 of 17 x 18 pixels,
    // silver transparent.
    ui::ImageList Icons{*this, "Icons"};

    // The site the web items open, and the version the update item hands on.
    static const QString kSite;
    static QString versionText();

  private:
    ClsPl& playlistOps();
    void designTree();
    void designIcons();
    void connectItems();
    void openOptionsPage(const QString& page);
    void showLibraryPage(ui::Control& page, bool designSize);
    void showTagPage();
    void showDialogPage(const QString& page);
    void clearPlaylist();
    void selectPlayOrder(int option);
    void openSite(const QString& page);

    std::unique_ptr<ClsPl> PlaylistOps;
};

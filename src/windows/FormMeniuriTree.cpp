// The menu window's design: every menu's caption and picture number, and the
// handler each choosable item runs.
#include <QDir>
#include <QImage>
#include <QPixmap>

#include "windows/FormMeniuri.h"

namespace {

using M = ui::Menu FormMeniuri::*;
using Handler = void (FormMeniuri::*)();

struct ItemDesign {
    M item;
    const char* caption;
    int image;  // 1-based in Icons; 0 for none
};

// In tree order.  "-" is a separator.
const ItemDesign kTree[] = {
    {&FormMeniuri::MeniuPlaylist, "Playlist", 0},
    {&FormMeniuri::MeniuPlayPl, "Play", 16},
    {&FormMeniuri::MenuInfo, "Informations", 18},
    {&FormMeniuri::MeniuProgrameaza, "Set as next (schedule)", 1},
    {&FormMeniuri::JumpToFileMenu, "Jump to file", 5},
    {&FormMeniuri::Separator1, "-", 0},
    {&FormMeniuri::MeniuOptiuni, "Options", 4},
    {&FormMeniuri::MeniuMelodie, "Playback mode", 21},
    {&FormMeniuri::MeniuAleatoriu, "Shuffle on", 27},
    {&FormMeniuri::MeniuLaRand, "Shuffle off", 26},
    {&FormMeniuri::MeniuPreferinte, "Play the best", 28},
    {&FormMeniuri::Separator4, "-", 0},
    {&FormMeniuri::MeniuAdaugaFolder, "Add folder to playlist", 10},
    {&FormMeniuri::MeniuAdaugaFisier, "Add file to playlist", 12},
    {&FormMeniuri::MeniuStergeFisier, "Delete selected", 14},
    {&FormMeniuri::MeniuStergeLista, "Delete all", 6},
    {&FormMeniuri::Separator2, "-", 0},
    {&FormMeniuri::MeniuAfisareClasament, "Top 20", 19},
    {&FormMeniuri::Separator3, "-", 0},

    {&FormMeniuri::MainMenu1, "MainMenu1", 0},
    {&FormMeniuri::MainOpenFile, "Play file", 16},
    {&FormMeniuri::OpenCdMenu, "Open CD / Dvd", 7},
    {&FormMeniuri::Separator5, "-", 0},
    {&FormMeniuri::FileInfoMenu, "File info", 18},
    {&FormMeniuri::Separator12, "-", 0},
    {&FormMeniuri::MainClosePlenk, "Close Plenk Player", 23},

    {&FormMeniuri::MainMenu2, "MainMenu2", 0},
    {&FormMeniuri::MainMenuSettings, "Settings", 4},
    {&FormMeniuri::ChangeSkinMenu, "Change skin", 21},
    {&FormMeniuri::LanguageMenu, "Set language", 23},
    {&FormMeniuri::KeyboardShortcutsMenu, "Keyboard shortcuts", 8},
    {&FormMeniuri::FileAssociationMenu, "File association", 7},
    {&FormMeniuri::ShowMenu, "Show / hide", 0},
    {&FormMeniuri::ShowPlaylistMenu, "Playlist", 12},
    {&FormMeniuri::MediaLibraryMenu, "Media Library", 0},
    {&FormMeniuri::ShowTop20Menu, "Top 20", 19},
    {&FormMeniuri::ID3InfoMenu, "ID3 info", 18},
    {&FormMeniuri::EqualizerMenu, "Equalizer", 2},
    {&FormMeniuri::Separator9, "-", 0},
    {&FormMeniuri::FullMiniMenu, "Full / Mini mode", 0},

    {&FormMeniuri::MainMenu3, "MainMenu3", 0},
    {&FormMeniuri::MainMenuHelp, "Support", 17},
    {&FormMeniuri::ReportBugsMenu, "Report bugs", 17},
    {&FormMeniuri::LastVersionMenu, "Last version available", 17},
    {&FormMeniuri::Separator8, "-", 0},
    {&FormMeniuri::AboutPlenkMenu, "About Plenk Player", 18},

    {&FormMeniuri::PlaylistMenu1, "PlaylistMenu1", 0},
    {&FormMeniuri::NewPlaylistMenu, "New playlist (clear)", 20},
    {&FormMeniuri::MenuOpenPlaylist, "Open playlist", 11},
    {&FormMeniuri::MenuSavePlaylist, "Save Playlist", 1},
    {&FormMeniuri::Separator6, "-", 0},
    {&FormMeniuri::SearchInPlMenu, "Search in playlist", 5},
    {&FormMeniuri::Separator10, "-", 0},
    {&FormMeniuri::MenuAddFile, "Add file", 12},
    {&FormMeniuri::MenuAddFolder, "Add folder", 10},
    {&FormMeniuri::MenuClearPlaylist, "Clear Playlist", 6},

    {&FormMeniuri::PlaylistMenu2, "PlaylistMenu2", 0},
    {&FormMeniuri::PlaylistSettingsMenu, "Playlist settings", 4},
    {&FormMeniuri::PlaybackModeMenu, "Playback mode", 21},
    {&FormMeniuri::ShuffleOnMenu, "Shuffle on", 27},
    {&FormMeniuri::ShuffleOfMenu, "Shuffle off", 26},
    {&FormMeniuri::PlayTheBestMenu, "Play the best", 28},
    {&FormMeniuri::Separator7, "-", 0},

    {&FormMeniuri::PresetMenu, "Presets", 0},
    {&FormMeniuri::LoadPreset, "Load", 11},
    {&FormMeniuri::SavePreset, "Save", 1},
    {&FormMeniuri::DeletePreset, "Delete", 14},

    {&FormMeniuri::VideoMenu, "Video", 0},
    {&FormMeniuri::VideoSettingsMenu, "Video settings", 13},
    {&FormMeniuri::VideoSizeMenu, "Video size", 21},
    {&FormMeniuri::StretchMenu, "Stretch to window", 0},
    {&FormMeniuri::OriginalSizeMenu, "Original size", 0},
    {&FormMeniuri::OriginalSize2Menu, "Original size x 2", 0},

    {&FormMeniuri::SysTrayMenu, "System Tray", 0},
    {&FormMeniuri::SysTrayPlay, "Play", 16},
    {&FormMeniuri::SysTrayPause, "Pause", 24},
    {&FormMeniuri::SysTrayStop, "Stop", 25},
    {&FormMeniuri::SysTrayBack, "Back", 1},
    {&FormMeniuri::SysTrayNext, "Next", 11},
    {&FormMeniuri::Separator11, "-", 0},
    {&FormMeniuri::SysTrayOpen, "Open file", 16},
    {&FormMeniuri::SysTrayJump, "Jump", 5},
    {&FormMeniuri::Separator13, "-", 0},
    {&FormMeniuri::SysTrayClose, "Close", 23},
};

const std::pair<M, Handler> kHandlers[] = {
    {&FormMeniuri::MeniuPlayPl, &FormMeniuri::MeniuPlayPl_Click},
    {&FormMeniuri::SysTrayPlay, &FormMeniuri::SysTrayPlay_Click},
    {&FormMeniuri::SysTrayPause, &FormMeniuri::SysTrayPause_Click},
    {&FormMeniuri::SysTrayStop, &FormMeniuri::SysTrayStop_Click},
    {&FormMeniuri::SysTrayBack, &FormMeniuri::SysTrayBack_Click},
    {&FormMeniuri::SysTrayNext, &FormMeniuri::SysTrayNext_Click},
    {&FormMeniuri::MainOpenFile, &FormMeniuri::MainOpenFile_Click},
    {&FormMeniuri::SysTrayOpen, &FormMeniuri::SysTrayOpen_Click},
    {&FormMeniuri::MeniuProgrameaza, &FormMeniuri::MeniuProgrameaza_Click},
    {&FormMeniuri::OpenCdMenu, &FormMeniuri::OpenCdMenu_Click},
    {&FormMeniuri::MainClosePlenk, &FormMeniuri::MainClosePlenk_Click},
    {&FormMeniuri::SysTrayClose, &FormMeniuri::SysTrayClose_Click},
    {&FormMeniuri::MeniuAdaugaFisier, &FormMeniuri::MeniuAdaugaFisier_Click},
    {&FormMeniuri::MenuAddFile, &FormMeniuri::MenuAddFile_Click},
    {&FormMeniuri::MeniuAdaugaFolder, &FormMeniuri::MeniuAdaugaFolder_Click},
    {&FormMeniuri::MenuAddFolder, &FormMeniuri::MenuAddFolder_Click},
    {&FormMeniuri::MeniuStergeFisier, &FormMeniuri::MeniuStergeFisier_Click},
    {&FormMeniuri::MeniuStergeLista, &FormMeniuri::MeniuStergeLista_Click},
    {&FormMeniuri::MenuClearPlaylist, &FormMeniuri::MenuClearPlaylist_Click},
    {&FormMeniuri::NewPlaylistMenu, &FormMeniuri::NewPlaylistMenu_Click},
    {&FormMeniuri::MenuOpenPlaylist, &FormMeniuri::MenuOpenPlaylist_Click},
    {&FormMeniuri::MenuSavePlaylist, &FormMeniuri::MenuSavePlaylist_Click},
    {&FormMeniuri::JumpToFileMenu, &FormMeniuri::JumpToFileMenu_Click},
    {&FormMeniuri::SearchInPlMenu, &FormMeniuri::SearchInPlMenu_Click},
    {&FormMeniuri::SysTrayJump, &FormMeniuri::SysTrayJump_Click},
    {&FormMeniuri::MeniuLaRand, &FormMeniuri::MeniuLaRand_Click},
    {&FormMeniuri::MeniuAleatoriu, &FormMeniuri::MeniuAleatoriu_Click},
    {&FormMeniuri::MeniuPreferinte, &FormMeniuri::MeniuPreferinte_Click},
    {&FormMeniuri::ShuffleOfMenu, &FormMeniuri::ShuffleOfMenu_Click},
    {&FormMeniuri::ShuffleOnMenu, &FormMeniuri::ShuffleOnMenu_Click},
    {&FormMeniuri::PlayTheBestMenu, &FormMeniuri::PlayTheBestMenu_Click},
    {&FormMeniuri::StretchMenu, &FormMeniuri::StretchMenu_Click},
    {&FormMeniuri::OriginalSizeMenu, &FormMeniuri::OriginalSizeMenu_Click},
    {&FormMeniuri::OriginalSize2Menu, &FormMeniuri::OriginalSize2Menu_Click},
    {&FormMeniuri::MainMenuSettings, &FormMeniuri::MainMenuSettings_Click},
    {&FormMeniuri::ChangeSkinMenu, &FormMeniuri::ChangeSkinMenu_Click},
    {&FormMeniuri::LanguageMenu, &FormMeniuri::LanguageMenu_Click},
    {&FormMeniuri::KeyboardShortcutsMenu, &FormMeniuri::KeyboardShortcutsMenu_Click},
    {&FormMeniuri::FileAssociationMenu, &FormMeniuri::FileAssociationMenu_Click},
    {&FormMeniuri::PlaylistSettingsMenu, &FormMeniuri::PlaylistSettingsMenu_Click},
    {&FormMeniuri::VideoSettingsMenu, &FormMeniuri::VideoSettingsMenu_Click},
    {&FormMeniuri::AboutPlenkMenu, &FormMeniuri::AboutPlenkMenu_Click},
    {&FormMeniuri::MeniuOptiuni, &FormMeniuri::MeniuOptiuni_Click},
    {&FormMeniuri::MenuInfo, &FormMeniuri::MenuInfo_Click},
    {&FormMeniuri::FileInfoMenu, &FormMeniuri::FileInfoMenu_Click},
    {&FormMeniuri::ID3InfoMenu, &FormMeniuri::ID3InfoMenu_Click},
    {&FormMeniuri::ShowTop20Menu, &FormMeniuri::ShowTop20Menu_Click},
    {&FormMeniuri::MeniuAfisareClasament, &FormMeniuri::MeniuAfisareClasament_Click},
    {&FormMeniuri::MediaLibraryMenu, &FormMeniuri::MediaLibraryMenu_Click},
    {&FormMeniuri::ShowPlaylistMenu, &FormMeniuri::ShowPlaylistMenu_Click},
    {&FormMeniuri::FullMiniMenu, &FormMeniuri::FullMiniMenu_Click},
    {&FormMeniuri::EqualizerMenu, &FormMeniuri::EqualizerMenu_Click},
    {&FormMeniuri::LoadPreset, &FormMeniuri::LoadPreset_Click},
    {&FormMeniuri::SavePreset, &FormMeniuri::SavePreset_Click},
    {&FormMeniuri::DeletePreset, &FormMeniuri::DeletePreset_Click},
    {&FormMeniuri::MainMenuHelp, &FormMeniuri::MainMenuHelp_Click},
    {&FormMeniuri::ReportBugsMenu, &FormMeniuri::ReportBugsMenu_Click},
    {&FormMeniuri::LastVersionMenu, &FormMeniuri::LastVersionMenu_Click},
};

constexpr int kIconCount = 28;

}  // namespace

void FormMeniuri::designTree() {
    for (const ItemDesign& d : kTree)
        (this->*d.item).setCaption(d.caption);
}

// The pictures the build painted into the program (make-menu-icons).
void FormMeniuri::designIcons() {
    Q_INIT_RESOURCE(menu_icons);
    for (int i = 1; i <= kIconCount; ++i)
        Icons.Add(ui::LoadPicture(QString(":/menu-icons/icon%1.bmp").arg(i, 2, 10, QChar('0'))));
}

void FormMeniuri::connectItems() {
    for (const auto& [item, handler] : kHandlers)
        (this->*item).Click.connect([this, handler] { (this->*handler)(); });
}

void FormMeniuri::Form_Load() {
    OpenCdMenu.setVisible(false);
    MediaLibraryMenu.setVisible(false);
    for (const ItemDesign& d : kTree)
        if (d.image > 0) (this->*d.item).setTag(QString::number(d.image));
}

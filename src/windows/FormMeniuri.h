#pragma once

#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "shared/PlayerForm.h"

// The hidden window that owns every pop-up menu and the tray menu.
class FormMeniuri : public PlayerForm {
  public:
    explicit FormMeniuri(ui::Application& app);

    // Sets the play-order and video-size marks again from the options.
    void SetMenuStuff();

    ui::Menu MainMenu2{*this, "MainMenu2"};
    ui::Menu MediaLibraryMenu{*this, "MediaLibraryMenu", &MainMenu2};
    ui::Menu FileInfoMenu{*this, "FileInfoMenu", &MainMenu2};
    ui::Menu ID3InfoMenu{*this, "ID3InfoMenu", &MainMenu2};
    ui::Menu ShowTop20Menu{*this, "ShowTop20Menu", &MainMenu2};
    ui::Menu MenuInfo{*this, "MenuInfo", &MainMenu2};
    ui::Menu StretchMenu{*this, "StretchMenu", &MainMenu2};
    ui::Menu OriginalSizeMenu{*this, "OriginalSizeMenu", &MainMenu2};
    ui::Menu OriginalSize2Menu{*this, "OriginalSize2Menu", &MainMenu2};
    ui::Menu ShuffleOfMenu{*this, "ShuffleOfMenu", &MainMenu2};
    ui::Menu ShuffleOnMenu{*this, "ShuffleOnMenu", &MainMenu2};
    ui::Menu PlayTheBestMenu{*this, "PlayTheBestMenu", &MainMenu2};
    ui::Menu FullMiniMenu{*this, "FullMiniMenu", &MainMenu2};

    // The playlist window's "File" and "Options" menus.
    ui::Menu PlaylistMenu1{*this, "PlaylistMenu1"};
    ui::Menu PlaylistMenu2{*this, "PlaylistMenu2"};

    ui::Menu MeniuPlaylist{*this, "MeniuPlaylist"};
    ui::Menu MeniuProgrameaza{*this, "MeniuProgrameaza", &MeniuPlaylist};
    ui::Menu MeniuAfisareClasament{*this, "MeniuAfisareClasament", &MeniuPlaylist};
    ui::Menu MeniuLaRand{*this, "MeniuLaRand", &MeniuPlaylist};
    ui::Menu MeniuAleatoriu{*this, "MeniuAleatoriu", &MeniuPlaylist};
    ui::Menu MeniuPreferinte{*this, "MeniuPreferinte", &MeniuPlaylist};

    ui::Menu SysTrayMenu{*this, "SysTrayMenu"};
    ui::Menu SysTrayStop{*this, "SysTrayStop", &SysTrayMenu};

    // The menu items' pictures, numbered by their Tag.
    ui::ImageList Icons{*this, "Icons"};
};

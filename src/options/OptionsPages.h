#pragma once

#include "options/Options.h"

// The options window's pages, top to bottom as the column lists them: the
// column's label, the page's frame, the name Fr knows it by, the frame's
// title and the label's click handler.
struct OptionsPage {
    ui::Label Options::*label;
    ui::Frame Options::*frame;
    const char* name;
    const char* title;
    void (Options::*click)();
};
inline constexpr OptionsPage kOptionsPages[] = {
    {&Options::Label2, &Options::GeneralFrame, "General", "General settings",
     &Options::Label2_Click},
    {&Options::Label3, &Options::PlaylistFrame, "Playlist", "Playlist", &Options::Label3_Click},
    {&Options::Label15, &Options::AudioFrame, "Advanced", "Advanced settings",
     &Options::Label15_Click},
    {&Options::Label13, &Options::VideoFrame, "Video", "Video", &Options::Label13_Click},
    {&Options::Label4, &Options::AssociationFrame, "Association", "File associations",
     &Options::Label4_Click},
    {&Options::Label5, &Options::SkinFrame, "Skin", "Skins", &Options::Label5_Click},
    {&Options::Label6, &Options::LanguageFrame, "Language", "Language", &Options::Label6_Click},
    {&Options::Label25, &Options::KeyboardFrame, "Keyboard", "Keyboard shortcuts",
     &Options::Label25_Click},
    {&Options::Label8, &Options::InfoFrame, "About", "Info Plenk Player", &Options::Label8_Click},
};
inline constexpr int kInfoPage = 8;

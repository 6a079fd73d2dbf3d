#pragma once

#include "windows/FormMeniuri.h"

// The three menu heads of Main and the mini window, 1 to 3: the menu each
// opens and where, in twips of the window.
struct MenuHead {
    ui::Menu FormMeniuri::*menu;
    float x;
};
inline constexpr MenuHead kMenuHeads[] = {{&FormMeniuri::MainMenu1, 250},
                                          {&FormMeniuri::MainMenu2, 1100},
                                          {&FormMeniuri::MainMenu3, 2050}};
inline constexpr float kMenuHeadsY = 300;

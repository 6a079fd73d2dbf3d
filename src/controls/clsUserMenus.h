#pragma once

#include <QString>

namespace ui {
class Menu;
}

// One menu item as the owner-drawn menus found it: its control, its text up
// to the first Tab and the shortcut text after it.
struct clsUserMenus {
    ui::Menu* umMenuID = nullptr;
    QString umCaption;
    QString umShortcut;
    bool umIsSeparator = false;
};

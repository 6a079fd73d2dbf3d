#pragma once

namespace ui {

// Windows virtual-key codes, which key handlers see and the shortcut file
// stores.  Qt keys are mapped once here.
enum VirtualKey {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyMenu = 18,
    vbKeyPause = 19,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    vbKeyF1 = 112,
};

// The virtual-key code of a Qt key (Qt::Key) with its keyboard modifiers,
// or 0 for a key that has none.
int virtualKeyFromQt(int qtKey, int qtModifiers);

}  // namespace ui

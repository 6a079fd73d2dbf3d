#pragma once

class QKeyEvent;

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

// The virtual-key code of the physical key, as the US layout names it, for
// the keys whose meaning the keyboard layout changes (letters, digits,
// punctuation): Ctrl+C is 67 on a Russian layout and Shift+2 is 50 on a German
// one.  nativeScanCode is the X key code; 0 when it is not one of those keys.
int virtualKeyFromScanCode(unsigned nativeScanCode);
// What handlers see for a key event: the physical key when known, else the Qt key.
int virtualKeyOf(const QKeyEvent& event);

}  // namespace ui

#include "windows/Main.h"

#include "persistence/KeyShortcut.h"

void Main::Form_KeyDown(int& KeyCode, int) {
    app().module<KeyShortcut>().ProcessShortcutKey(KeyCode);
}

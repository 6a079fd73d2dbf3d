#pragma once

class PlayerForm;
namespace ui {
class Form;
}

// The pressed control lets go of the pointer and the window gets the
// non-client button-down: the system's move loop (hitCode HTCAPTION) or size
// loop (HTBOTTOMRIGHT) runs until the button comes up.
void handDragToSystem(ui::Form& window, int hitCode);

// handDragToSystem, except while the window is minimized or maximized, or a
// video fills the screen.
void dragWindow(PlayerForm& window, int hitCode);

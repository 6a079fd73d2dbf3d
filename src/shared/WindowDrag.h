#pragma once

class PlayerForm;

// Hands a press on a borderless window to the system's move loop (hitCode
// HTCAPTION) or size loop (HTBOTTOMRIGHT): the pressed control lets go of the
// pointer and the window gets the non-client button-down.  Nothing happens
// while the window is minimized or maximized, or a video fills the screen.
void dragWindow(PlayerForm& window, int hitCode);

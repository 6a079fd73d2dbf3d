#pragma once

#include <QPoint>
#include <functional>

namespace ui {

class Application;
class Form;

// A window rectangle in screen pixels; right and bottom lie just outside it.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

inline constexpr unsigned WM_NCLBUTTONDOWN = 0xA1;
inline constexpr unsigned WM_SIZING = 0x214;
inline constexpr unsigned WM_MOVING = 0x216;
inline constexpr unsigned WM_ENTERSIZEMOVE = 0x231;
inline constexpr unsigned WM_EXITSIZEMOVE = 0x232;
// Where a non-client button-down lands: the caption moves the window, the
// bottom-right corner sizes it.
inline constexpr int HTCAPTION = 2;
inline constexpr int HTBOTTOMRIGHT = 17;
// The edge code a sizing step carries.
inline constexpr int WMSZ_BOTTOMRIGHT = 8;

// A window procedure as a hook sees it: the window's handle, the message, its
// first parameter (the edge code of WM_SIZING) and, for WM_MOVING and
// WM_SIZING, the proposed rectangle, which the hook may rewrite.  An empty
// procedure is the runtime's own, which does nothing and answers 0.
using WindowProc = std::function<long(int hWnd, unsigned msg, int wParam, Rect* rect)>;

// Installs a window procedure and returns the one it replaces.  The hook stays
// with the window for the program's life (its handle does too), also across
// unloads, until it is replaced.
WindowProc SetWindowLongA(Form& window, WindowProc proc);
// Passes a message on to a procedure SetWindowLongA returned.
long CallWindowProcA(const WindowProc& proc, int hWnd, unsigned msg, int wParam, Rect* rect);
// The window's rectangle as the runtime keeps it (its twips in pixels).
Rect windowRect(const Form& window);

// The pressed control lets go of the pointer, so the next WM_NCLBUTTONDOWN
// may take it over.
void ReleaseCapture(Application& app);
// WM_NCLBUTTONDOWN with HTCAPTION or HTBOTTOMRIGHT runs the program's own move
// or size loop (see MoveLoop) and returns when the button is released; the
// desktop may have no window manager and offers no rectangle to rewrite.  Any
// other message goes to the window's procedure.  Nothing happens for a window
// that is not loaded and shown.
long SendMessageA(Form& window, unsigned msg, int wParam, long lParam);

}  // namespace ui

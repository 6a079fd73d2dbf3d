#include "platform/ui/WindowMessages.h"

#include <QWidget>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/MoveLoop.h"
#include "platform/ui/Twips.h"

namespace ui {

WindowProc SetWindowLongA(Form& window, WindowProc proc) {
    return window.setWindowProc(std::move(proc));
}

long CallWindowProcA(const WindowProc& proc, int hWnd, unsigned msg, int wParam, Rect* rect) {
    return proc ? proc(hWnd, msg, wParam, rect) : 0;
}

Rect windowRect(const Form& window) {
    const int left = toPixels(window.Left());
    const int top = toPixels(window.Top());
    return {left, top, left + toPixels(window.Width()), top + toPixels(window.Height())};
}

void ReleaseCapture(Application&) {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

long SendMessageA(Form& window, unsigned msg, int wParam, long) {
    if (msg != WM_NCLBUTTONDOWN)
        return CallWindowProcA(window.windowProc(), window.hWnd(), msg, wParam, nullptr);
    if (wParam != HTCAPTION && wParam != HTBOTTOMRIGHT) return 0;
    if (!window.isLoaded() || !window.Visible()) return 0;
    MoveLoop loop(window, wParam);
    if (loop.begin()) window.application().dialogs().runMoveLoop(loop);
    return 0;
}

}  // namespace ui

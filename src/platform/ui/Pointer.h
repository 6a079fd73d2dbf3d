#pragma once

#include <QPoint>
#include <optional>

class QWidget;

namespace ui {

class WindowHandles;

// Where the mouse pointer is and what lies under it, in screen pixels, as
// the program asks the desktop.  Tests script the position instead of moving
// a real pointer.
class Pointer {
  public:
    explicit Pointer(const WindowHandles& handles) : handles_(handles) {}

    QPoint GetCursorPos() const;
    // The handle of the program's window or windowed control at a screen
    // point; 0 when none of them is there.
    int WindowFromPoint(QPoint screen) const;
    // The deepest widget of the program's shown windows at a screen point
    // (the active window first where windows overlap), or nullptr.
    QWidget* widgetAt(QPoint screen) const;
    // WindowFromPoint at the pointer, for a control that only cares whether
    // the pointer is over `area` (one of its widgets): while the toolkit has
    // not seen the pointer enter it, no button is held and no pop-up menu is
    // open, the answer is 0 without asking the desktop, so a control redrawn
    // by a timer costs no round trip while the pointer is elsewhere.
    int WindowUnderPointerWithin(const QWidget& area) const;

    void script(QPoint screen) { scripted_ = screen; }
    // While a move or size loop runs, the pointer is where the loop's step has
    // it: the desktop's pointer may be further on already, in input the
    // program has not handled yet.  A scripted pointer stays where the loop
    // left it.
    void holdAt(QPoint screen) {
        held_ = screen;
        if (scripted_) scripted_ = screen;
    }
    void letGo() { held_.reset(); }

  private:
    const WindowHandles& handles_;
    std::optional<QPoint> scripted_;
    std::optional<QPoint> held_;
};

}  // namespace ui

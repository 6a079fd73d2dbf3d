#pragma once

#include <QPoint>

#include "platform/ui/WindowMessages.h"

namespace ui {

class Form;

// The rectangle a move or size step proposes: the start rectangle plus the
// pointer's travel, on every side for a move, on the right and bottom for the
// bottom-right grip.
Rect proposedRect(const Rect& start, QPoint travel, int hitCode);

// One run of the move or size loop of a window, driven pointer move by pointer
// move (live by the dialog seam's event filter, in tests step by step).  Each
// step proposes a rectangle, passes it through the window's procedure
// (WM_MOVING, or WM_SIZING with WMSZ_BOTTOMRIGHT), applies what comes back
// and, when sizing, raises Resize through the window's size.  A procedure that
// throws is reported and its rewrite dropped; a rewrite to no width or height
// keeps one pixel.  The release ends the loop (WM_EXITSIZEMOVE) and hands the
// button-up to the control or window that was pressed, as its MouseUp.  A
// window hidden or unloaded mid-drag ends the loop at the next step.
class MoveLoop {
  public:
    // Reads the start rectangle now, and the pointer where the button went
    // down (now when no button is down): a loop started late, after the
    // pointer moved on, loses none of the travel.
    MoveLoop(Form& window, int hitCode);
    // A loop left without its release (its window hid) holds the pointer no more.
    ~MoveLoop();
    MoveLoop(const MoveLoop&) = delete;
    MoveLoop& operator=(const MoveLoop&) = delete;

    // Sends WM_ENTERSIZEMOVE; false when that already ended the loop.
    bool begin();
    // One pointer move, in screen pixels; false once the loop has ended.
    bool step(QPoint pointer);
    // The button comes up at pointer (screen pixels); away from the last
    // step's pointer, that is a last step.
    void release(QPoint pointer, int shift = 0);

    bool running() const { return running_; }
    bool sizing() const { return hitCode_ == HTBOTTOMRIGHT; }
    Form& window() const { return window_; }
    QPoint startPointer() const { return startPointer_; }
    // Whether the window was hidden or unloaded since the loop began.
    bool windowGone() const;

  private:
    bool send(unsigned msg, int wParam, Rect* rect);
    void apply(Rect rect);
    void finish();
    void deliverMouseUp(QPoint pointer, int shift);

    Form& window_;
    int hitCode_;
    Rect start_;
    QPoint startPointer_;
    QPoint last_;
    bool running_ = false;
};

}  // namespace ui

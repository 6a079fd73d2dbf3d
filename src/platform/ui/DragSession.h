#pragma once

#include <QPoint>

namespace ui {

class Application;
class Control;

// The one drag by hand (Control::Drag) that may run at a time.  Positions are
// screen pixels; the controls hear of it in their own twips.
class DragSession {
  public:
    explicit DragSession(Application& app) : app_(app) {}
    ~DragSession();
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;

    bool active() const { return source_ != nullptr; }
    Control* source() const { return source_; }
    // Starts a drag of the control, ending one that runs (without a drop).
    void begin(Control& source);
    // Ends the drag without a drop.
    void cancel();
    // The pointer moved: DragOver to the control under it (leave, enter, over).
    void move(QPoint screen);
    // The button was released: the drag ends, then DragDrop reaches the
    // control under the pointer; off the program's controls nothing is dropped.
    void drop(QPoint screen);
    // A control going away: a drag from or over it ends quietly.
    void forget(const Control& control);

  private:
    Control* controlAt(QPoint screen) const;
    void end();

    Application& app_;
    Control* source_ = nullptr;
    Control* over_ = nullptr;
};

}  // namespace ui

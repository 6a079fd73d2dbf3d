#pragma once

#include <QObject>

#include "platform/ui/DataObject.h"

class QDropEvent;
class QMouseEvent;

namespace ui {

class Control;

// Turns a widget's mouse, key, focus and drop input into the control's
// events, in twips from the control's client area, with the button, shift and
// key values handlers expect.  While a drag by hand runs, the pointer's moves
// and release go to the drag instead.
class WidgetInput : public QObject {
  public:
    // ownsInput: the control does everything a click or a key does itself,
    // so the widget's own handling is skipped (a list's rows); Tab still
    // moves the focus.
    WidgetInput(Control& control, QObject* parent, bool ownsInput = false);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool mouse(QObject* watched, QMouseEvent* event);
    bool key(QEvent* event);
    bool drop(QObject* watched, QEvent* event);
    QPointF clientPos(QObject* watched, QPointF pos) const;

    Control& control_;
    bool ownsInput_;
    DataObject dragged_;
};

int buttonOf(int qtButton);
int buttonsOf(int qtButtons);
int shiftOf(int qtModifiers);

}  // namespace ui

#pragma once

#include <QObject>

namespace ui {

class Control;

// Turns a widget's mouse and key input into the control's events, in twips,
// with the button, shift and key values handlers expect.
class WidgetInput : public QObject {
  public:
    // offsetSource: the widget whose coordinates the events arrive in, when it
    // is not the control's own widget (a list's viewport).
    WidgetInput(Control& control, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool mouse(QObject* watched, QEvent* event);
    bool key(QEvent* event);

    Control& control_;
};

int buttonOf(int qtButton);
int buttonsOf(int qtButtons);
int shiftOf(int qtModifiers);

}  // namespace ui

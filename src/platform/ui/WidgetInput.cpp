#include "platform/ui/WidgetInput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/ui/Control.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Twips.h"

namespace ui {

int buttonOf(int qtButton) {
    switch (qtButton) {
        case Qt::LeftButton:
            return vbLeftButton;
        case Qt::RightButton:
            return vbRightButton;
        case Qt::MiddleButton:
            return vbMiddleButton;
        default:
            return 0;
    }
}

int buttonsOf(int qtButtons) {
    return ((qtButtons & Qt::LeftButton) ? vbLeftButton : 0) |
           ((qtButtons & Qt::RightButton) ? vbRightButton : 0) |
           ((qtButtons & Qt::MiddleButton) ? vbMiddleButton : 0);
}

int shiftOf(int qtModifiers) {
    return ((qtModifiers & Qt::ShiftModifier) ? vbShiftMask : 0) |
           ((qtModifiers & Qt::ControlModifier) ? vbCtrlMask : 0) |
           ((qtModifiers & Qt::AltModifier) ? vbAltMask : 0);
}

WidgetInput::WidgetInput(Control& control, QObject* parent) : QObject(parent), control_(control) {}

bool WidgetInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return mouse(watched, event);
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return key(event);
        case QEvent::FocusIn:
            control_.GotFocus.raise();
            return false;
        case QEvent::FocusOut:
            control_.LostFocus.raise();
            return false;
        default:
            return false;
    }
}

bool WidgetInput::mouse(QObject* watched, QEvent* event) {
    auto* e = static_cast<QMouseEvent*>(event);
    // Events may arrive on a child (a list's viewport): give them in the control's own coordinates.
    QPointF pos = e->position();
    if (auto* w = qobject_cast<QWidget*>(watched); w && w != control_.widget() && control_.widget())
        pos = w->mapTo(control_.widget(), pos.toPoint());
    const float x = control_.mouseUnits(pos.x());
    const float y = control_.mouseUnits(pos.y());
    const int shift = shiftOf(e->modifiers());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            control_.deliverMouse(Control::kMouseDown, buttonOf(e->button()), shift, x, y);
            break;
        case QEvent::MouseButtonRelease:
            control_.deliverMouse(Control::kMouseUp, buttonOf(e->button()), shift, x, y);
            break;
        case QEvent::MouseButtonDblClick:
            if (e->button() == Qt::LeftButton)
                control_.deliverMouse(Control::kDblClick, 0, shift, x, y);
            break;
        default:
            control_.deliverMouse(Control::kMouseMove, buttonsOf(e->buttons()), shift, x, y);
            break;
    }
    return false;
}

// A handler that sets the key code (or character) to 0 swallows the key.
bool WidgetInput::key(QEvent* event) {
    auto* e = static_cast<QKeyEvent*>(event);
    const int original = virtualKeyFromQt(e->key(), e->modifiers());
    const int shift = shiftOf(e->modifiers());
    int code = original;
    if (event->type() == QEvent::KeyRelease) {
        if (code) control_.deliverKeyUp(code, shift);
        return original && !code;
    }
    if (code) control_.deliverKeyDown(code, shift);
    if (original && !code) return true;
    if (e->text().isEmpty()) return false;
    int ascii = e->text().at(0).unicode();
    control_.deliverKeyPress(ascii);
    return ascii == 0;
}

}  // namespace ui

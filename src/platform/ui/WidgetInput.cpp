#include "platform/ui/WidgetInput.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/ui/Application.h"
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

WidgetInput::WidgetInput(Control& control, QObject* parent, bool ownsInput)
    : QObject(parent), control_(control), ownsInput_(ownsInput) {}

bool WidgetInput::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return mouse(watched, static_cast<QMouseEvent*>(event));
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return key(event);
        case QEvent::FocusIn:
            // Focus the program gave raises its events inside SetFocus; this
            // is the user's click or Tab (or the window coming back).
            control_.parentForm().application().moveFocus(control_);
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            return drop(watched, event);
        default:
            return false;
    }
}

QPointF WidgetInput::clientPos(QObject* watched, QPointF pos) const {
    auto* from = qobject_cast<QWidget*>(watched);
    QWidget* client = control_.clientWidget();
    if (!from || !client || from == client) return pos;
    return client->mapFromGlobal(from->mapToGlobal(pos));
}

bool WidgetInput::mouse(QObject* watched, QMouseEvent* e) {
    DragSession& drag = control_.parentForm().application().drag();
    const QPoint screen = e->globalPosition().toPoint();
    if (drag.active() && e->type() == QEvent::MouseMove) return drag.move(screen), true;
    if (drag.active() && e->type() == QEvent::MouseButtonRelease) return drag.drop(screen), true;
    const QPointF pos = clientPos(watched, e->position());
    const float x = control_.mouseUnits(pos.x());
    const float y = control_.mouseUnits(pos.y());
    const int shift = shiftOf(e->modifiers());
    const int button = buttonOf(e->button());
    switch (e->type()) {
        case QEvent::MouseButtonPress:
            control_.deliverMouse(Control::kMouseDown, button, shift, x, y, screen);
            break;
        case QEvent::MouseButtonRelease:
            control_.deliverMouse(Control::kMouseUp, button, shift, x, y);
            break;
        case QEvent::MouseButtonDblClick:
            // Only the left button double-clicks; another one just presses again.
            control_.deliverMouse(button == vbLeftButton ? Control::kDblClick : Control::kMouseDown,
                                  button, shift, x, y, screen);
            break;
        default:
            control_.deliverMouse(Control::kMouseMove, buttonsOf(e->buttons()), shift, x, y);
            break;
    }
    return ownsInput_;
}

// A handler that sets the key code (or character) to 0 swallows the key.
bool WidgetInput::key(QEvent* event) {
    auto* e = static_cast<QKeyEvent*>(event);
    const int original = virtualKeyOf(*e);
    const int shift = shiftOf(e->modifiers());
    int code = original;
    if (event->type() == QEvent::KeyRelease) {
        // A held key repeats its press only, as the toolkit the forms follow does.
        if (e->isAutoRepeat()) return false;
        if (code) control_.deliverKeyUp(code, shift);
        return original && !code;
    }
    if (code) control_.deliverKeyDown(code, shift);
    if (original && !code) return true;
    if (code && control_.keyAction(code, shift)) return true;
    const bool ownKey = ownsInput_ && e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab;
    if (e->text().isEmpty()) return ownKey;
    int ascii = e->text().at(0).unicode();
    control_.deliverKeyPress(ascii);
    return ascii == 0 || ownKey;
}

namespace {

int allowedEffects(Qt::DropActions actions) {
    return ((actions & Qt::CopyAction) ? vbDropEffectCopy : 0) |
           ((actions & Qt::MoveAction) ? vbDropEffectMove : 0);
}

// The desktop hears of the control's answer: copy, move or refused.
void answer(QDropEvent* e, int effect) {
    if (effect & vbDropEffectCopy) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else if (effect & vbDropEffectMove) {
        e->setDropAction(Qt::MoveAction);
        e->accept();
    } else {
        e->ignore();
    }
}

}  // namespace

// Files dragged from the desktop, for a control in manual drop mode.
bool WidgetInput::drop(QObject* watched, QEvent* event) {
    if (control_.OLEDropMode() != Control::vbOLEDropManual) return false;
    if (event->type() == QEvent::DragLeave) {
        int effect = vbDropEffectNone;
        control_.OLEDragOver.raise(dragged_, effect, 0, 0, 0, 0, Control::vbLeave);
        dragged_ = DataObject();
        return true;
    }
    auto* e = static_cast<QDropEvent*>(event);
    if (event->type() == QEvent::DragEnter) dragged_ = DataObject(e->mimeData());
    if (event->type() == QEvent::Drop) dragged_ = dragged_.recheck();
    const QPointF pos = clientPos(watched, e->position());
    const int button = buttonsOf(e->buttons());
    const int shift = shiftOf(e->modifiers());
    int effect = allowedEffects(e->possibleActions());
    if (event->type() == QEvent::Drop) {
        control_.OLEDragDrop.raise(dragged_, effect, button, shift, control_.mouseUnits(pos.x()),
                                   control_.mouseUnits(pos.y()));
        dragged_ = DataObject();
        answer(e, effect);
        return true;
    }
    const int state = event->type() == QEvent::DragEnter ? Control::vbEnter : Control::vbOver;
    control_.OLEDragOver.raise(dragged_, effect, button, shift, control_.mouseUnits(pos.x()),
                               control_.mouseUnits(pos.y()), state);
    answer(e, effect);
    // The enter is taken in any case, so that the moves that follow arrive.
    if (event->type() == QEvent::DragEnter) event->accept();
    return true;
}

}  // namespace ui

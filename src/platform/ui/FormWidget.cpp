#include "platform/ui/FormWidget.h"

#include <xcb/xcb.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WidgetInput.h"
#include "platform/ui/X11.h"

namespace ui {

FormWidget::FormWidget(Form& form) : form_(form) {
    setMouseTracking(true);
    setAutoFillBackground(true);
}

void FormWidget::setFrameless(bool frameless) {
    setWindowFlag(Qt::FramelessWindowHint, frameless);
}

namespace {

// The window's X11 hint for how to map it, which the toolkit writes only when
// the program itself changes the state: a window restored by the desktop would
// still be mapped minimized at its next show.
void hintNormalMapping(WId window) {
    xcb_connection_t* x = x11::connection();
    if (!window || !x) return;
    const auto id = static_cast<xcb_window_t>(window);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        x, xcb_get_property(x, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr);
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 12) {
        constexpr std::uint32_t kStateHint = 1u << 1, kNormalState = 1;
        auto* hints = static_cast<std::uint32_t*>(xcb_get_property_value(reply));
        if (!(hints[0] & kStateHint) || hints[2] != kNormalState) {
            hints[0] |= kStateHint;
            hints[2] = kNormalState;
            xcb_change_property(x, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                                32, reply->value_len, hints);
            xcb_flush(x);
        }
    }
    std::free(reply);
}

}  // namespace

void FormWidget::forgetMinimized() {
    if (windowState() & Qt::WindowMinimized)
        overrideWindowState(windowState() & ~Qt::WindowMinimized);
    hintNormalMapping(internalWinId());
}

bool FormWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && form_.isLoaded())
        form_.application().noteActivated(form_);
    if (event->type() == QEvent::WindowDeactivate && form_.isLoaded())
        dispatchEvent("Form_LostFocus", [this] { form_.Form_LostFocus(); });
    return QWidget::event(event);
}

void FormWidget::closeEvent(QCloseEvent* event) {
    // The form decides; it hides or unloads itself if it agrees.
    event->ignore();
    form_.requestClose();
}

void FormWidget::moveEvent(QMoveEvent*) {
    syncGeometry();
}
void FormWidget::resizeEvent(QResizeEvent*) {
    syncGeometry();
}

void FormWidget::syncGeometry() {
    if (isVisible()) form_.syncGeometryFromWidget(x(), y(), width(), height());
}

void FormWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates s = windowState();
        form_.syncWindowStateFromWidget(s & Qt::WindowMinimized   ? Form::vbMinimized
                                        : s & Qt::WindowMaximized ? Form::vbMaximized
                                                                  : Form::vbNormal);
    }
    QWidget::changeEvent(event);
}

// Keys typed in a control went to the control (and to the window only when it
// previews them); what Qt passes on to the window afterwards is not its own.
bool FormWidget::ownKey() const {
    const QWidget* focused = focusWidget();
    return !focused || focused == this;
}

void FormWidget::keyPressEvent(QKeyEvent* event) {
    if (!ownKey()) return;
    int code = virtualKeyOf(*event);
    if (code)
        dispatchEvent("Form_KeyDown",
                      [&] { form_.Form_KeyDown(code, shiftOf(event->modifiers())); });
    if (!event->text().isEmpty()) {
        int ascii = event->text().at(0).unicode();
        dispatchEvent("Form_KeyPress", [&] { form_.Form_KeyPress(ascii); });
    }
}

void FormWidget::keyReleaseEvent(QKeyEvent* event) {
    if (!ownKey()) return;
    int code = virtualKeyOf(*event);
    if (code)
        dispatchEvent("Form_KeyUp", [&] { form_.Form_KeyUp(code, shiftOf(event->modifiers())); });
}

void FormWidget::mouse(QMouseEvent* e, int kind) {
    const float x = toTwips(e->position().x());
    const float y = toTwips(e->position().y());
    const int shift = shiftOf(e->modifiers());
    switch (kind) {
        case Control::kMouseDown:
            form_.application().notePress(form_, nullptr, buttonOf(e->button()),
                                          e->globalPosition().toPoint());
            dispatchEvent("Form_MouseDown",
                          [&] { form_.Form_MouseDown(buttonOf(e->button()), shift, x, y); });
            break;
        case Control::kMouseUp: {
            form_.application().noteRelease();
            const bool click =
                e->button() == Qt::LeftButton && !std::exchange(inDoubleClick_, false);
            dispatchEvent("Form_MouseUp",
                          [&] { form_.Form_MouseUp(buttonOf(e->button()), shift, x, y); });
            if (click) dispatchEvent("Form_Click", [&] { form_.Form_Click(); });
            break;
        }
        case Control::kDblClick:
            inDoubleClick_ = true;
            dispatchEvent("Form_DblClick", [&] { form_.Form_DblClick(); });
            break;
        default:
            dispatchEvent("Form_MouseMove",
                          [&] { form_.Form_MouseMove(buttonsOf(e->buttons()), shift, x, y); });
    }
}

void FormWidget::mousePressEvent(QMouseEvent* e) {
    mouse(e, Control::kMouseDown);
}
void FormWidget::mouseReleaseEvent(QMouseEvent* e) {
    mouse(e, Control::kMouseUp);
}
void FormWidget::mouseMoveEvent(QMouseEvent* e) {
    mouse(e, Control::kMouseMove);
}
void FormWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    mouse(e, e->button() == Qt::LeftButton ? Control::kDblClick : Control::kMouseDown);
}

}  // namespace ui

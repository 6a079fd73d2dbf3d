#include "platform/ui/Pointer.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "platform/ui/WindowHandles.h"

namespace ui {

QPoint Pointer::GetCursorPos() const {
    if (held_) return *held_;
    return scripted_ ? *scripted_ : QCursor::pos();
}

QWidget* Pointer::widgetAt(QPoint screen) const {
    QWidget* window = nullptr;
    for (QWidget* w : handles_.widgets()) {
        if (!w->isWindow() || !w->isVisible() || !w->geometry().contains(screen)) continue;
        window = w;
        if (w == QApplication::activeWindow()) break;
    }
    if (!window) return nullptr;
    QWidget* child = window->childAt(window->mapFromGlobal(screen));
    return child ? child : window;
}

int Pointer::WindowUnderPointerWithin(const QWidget& area) const {
    const bool mayBeOver = scripted_ || area.underMouse() || QApplication::mouseButtons() ||
                           QApplication::activePopupWidget() || QWidget::mouseGrabber();
    return mayBeOver ? WindowFromPoint(GetCursorPos()) : 0;
}

int Pointer::WindowFromPoint(QPoint screen) const {
    for (QWidget* w = widgetAt(screen); w; w = w->parentWidget())
        if (int handle = handles_.handleOf(w)) return handle;
    return 0;
}

}  // namespace ui

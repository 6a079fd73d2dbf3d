#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

// Input as the desktop delivers it to a widget, without a display.
namespace input {

inline void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void press(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonPress, at, button, button);
}

inline void release(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

inline void moveHeld(QWidget* w, QPoint at) {
    mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}

inline void doubleClick(QWidget* w, QPoint at) {
    press(w, at);
    release(w, at);
    mouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    release(w, at);
}

// A key press with the X key code of the physical key (0: none known).
inline void key(QWidget* w, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier,
                unsigned scanCode = 0, const QString& text = {}) {
    QKeyEvent e(QEvent::KeyPress, qtKey, mods, scanCode, 0, 0, text);
    QApplication::sendEvent(w, &e);
}

}  // namespace input

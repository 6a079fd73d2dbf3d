#include "platform/ui/HeldKeys.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <cstdlib>

namespace ui {

namespace {

// The keys down at the X server now, by key code.
std::bitset<256> keysDown() {
    std::bitset<256> down;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return down;
    xcb_connection_t* x = x11->connection();
    xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(x, xcb_query_keymap(x), nullptr);
    if (!reply) return down;
    for (std::size_t code = 0; code < down.size(); ++code)
        down[code] = (reply->keys[code / 8] >> (code % 8)) & 1;
    std::free(reply);
    return down;
}

bool isKey(const QEvent* event) {
    const QEvent::Type type = event->type();
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride;
}

}  // namespace

HeldKeys::HeldKeys(QMessageBox& box) : box_(box), held_(keysDown()) {
    qApp->installEventFilter(this);
}

HeldKeys::~HeldKeys() {
    qApp->removeEventFilter(this);
}

bool HeldKeys::stillHeld() {
    if (held_.any()) held_ &= keysDown();
    return held_.any();
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event) {
    // The keyboard may have changed while the box was not active.
    if (watched == &box_ && event->type() == QEvent::WindowActivate) held_ = keysDown();
    // The desktop's close answers as Escape does; the buttons' own close passes.
    if (watched == &box_ && event->type() == QEvent::Close && !box_.clickedButton() &&
        stillHeld()) {
        event->ignore();
        return true;
    }
    if (!isKey(event)) return false;
    const quint32 code = static_cast<QKeyEvent*>(event)->nativeScanCode();
    if (code >= held_.size() || !held_[code]) return false;
    stillHeld();
    // Taken as overridden, so no shortcut acts on it either.
    event->accept();
    return true;
}

}  // namespace ui

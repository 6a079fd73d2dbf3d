#include "platform/ui/HeldKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <cstdlib>

#include "platform/ui/X11.h"

namespace ui {

namespace {

// The keys down at the X server now, by key code.
std::bitset<256> keysDown() {
    std::bitset<256> down;
    xcb_connection_t* x = x11::connection();
    if (!x) return down;
    xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(x, xcb_query_keymap(x), nullptr);
    if (!reply) return down;
    for (std::size_t code = 0; code < down.size(); ++code)
        down[code] = (reply->keys[code / 8] >> (code % 8)) & 1;
    std::free(reply);
    return down;
}

bool sendMarker(std::uint32_t atom, std::uint32_t window) {
    xcb_connection_t* x = x11::connection();
    if (!x || !atom) return false;
    xcb_client_message_event_t marker{};
    marker.response_type = XCB_CLIENT_MESSAGE;
    marker.format = 32;
    marker.window = window;
    marker.type = atom;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&marker));
    xcb_flush(x);
    return true;
}

bool isKey(const QEvent* event) {
    const QEvent::Type type = event->type();
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride;
}

}  // namespace

HeldKeys::HeldKeys(QMessageBox& box) : box_(box), held_(keysDown()) {
    qApp->installEventFilter(this);
    qApp->installNativeEventFilter(this);
}

HeldKeys::~HeldKeys() {
    qApp->removeNativeEventFilter(this);
    qApp->removeEventFilter(this);
}

void HeldKeys::letGoOfReleased() {
    if (leaving_.any()) return;
    leaving_ = held_ & ~keysDown();
    if (leaving_.none()) return;
    if (!marker_ && x11::connection())
        marker_ = x11::atom(x11::connection(), "_PLENK_HELD_KEYS_MARKER");
    window_ = static_cast<std::uint32_t>(box_.winId());
    if (sendMarker(marker_, window_)) return;
    held_ &= ~leaving_;
    leaving_.reset();
}

bool HeldKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    const auto* marker = static_cast<const xcb_client_message_event_t*>(message);
    if (!marker_ || marker->type != marker_ || marker->window != window_) return false;
    held_ &= ~leaving_;
    leaving_.reset();
    // Keys let go while the marker travelled.
    letGoOfReleased();
    return true;
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event) {
    // Keys taken up while the box was not active count too.
    if (watched == &box_ && event->type() == QEvent::WindowActivate) {
        held_ |= keysDown();
        letGoOfReleased();
    }
    // The desktop's close answers as Escape does; the buttons' own close passes.
    if (watched == &box_ && event->type() == QEvent::Close && !box_.clickedButton()) {
        letGoOfReleased();
        if (held_.any()) {
            event->ignore();
            return true;
        }
    }
    if (!isKey(event)) return false;
    const quint32 code = static_cast<QKeyEvent*>(event)->nativeScanCode();
    if (code >= held_.size() || !held_[code]) return false;
    // Only a release can end the hold, so only it is worth asking the server.
    if (event->type() == QEvent::KeyRelease) letGoOfReleased();
    // Taken as overridden, so no shortcut acts on it either.
    event->accept();
    return true;
}

}  // namespace ui

#include "platform/system/WindowServices.h"

#include <xcb/xcb.h>

#include <QBitmap>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/Twips.h"
#include "platform/ui/X11.h"

namespace sys {

bool SystemParametersInfoA(ui::Application& app, unsigned action, ui::Rect& area) {
    if (action != SPI_GETWORKAREA) return false;
    const QRect r = app.screen().workAreaPixels();
    area = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return true;
}

bool GetCursorPos(ui::Application& app, QPoint& point) {
    point = app.pointer().GetCursorPos();
    return true;
}

bool GetWindowRect(ui::Application& app, int hWnd, ui::Rect& rect) {
    const ui::Form* window = app.formByHandle(hWnd);
    if (!window || !window->isLoaded()) return false;
    rect = ui::windowRect(*window);
    return true;
}

void SetWindowRgn(QWidget* window, int width, int height, int diameter) {
    if (!window || width <= 0 || height <= 0) return;
    width = std::min(width, kMaxRegionSide);
    height = std::min(height, kMaxRegionSide);
    diameter = std::clamp(diameter, 0, std::max(width, height));
    // Every layout pass asks again: the same outline is not drawn twice.
    const QRect shape(diameter, 0, width, height);
    if (!window->mask().isEmpty() && window->property("plenkOutline").toRect() == shape) return;
    window->setProperty("plenkOutline", shape);
    QBitmap mask(width, height);
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setBrush(Qt::color1);
    p.setPen(Qt::NoPen);
    const qreal r = diameter / 2.0;
    p.drawRoundedRect(QRectF(0, 0, width, height), r, r);
    p.end();
    window->setMask(mask);
}

namespace {

// Asks the X11 desktop to keep the window above the others, or no longer, as
// the window's own toolkit would; false off X11.
bool askDesktopAbove(QWindow& window, bool on) {
    xcb_connection_t* x = ui::x11::connection();
    if (!x) return false;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.winId());
    event.type = ui::x11::atom(x, "_NET_WM_STATE");
    event.data.data32[0] = on ? 1 : 0;
    event.data.data32[1] = ui::x11::atom(x, "_NET_WM_STATE_ABOVE");
    event.data.data32[2] = ui::x11::atom(x, "_NET_WM_STATE_STAYS_ON_TOP");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    xcb_send_event(x, 0, root,
                   XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(x);
    return true;
}

}  // namespace

void SetWindowPos(QWidget* window, int insertAfter) {
    if (!window) return;
    const bool on = insertAfter == HWND_TOPMOST;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    // A window already on screen is told in place: making its native window
    // again would take the native windows inside it along (a playing video's).
    // On X11 the toolkit itself would make it again at its next show once the
    // hint changed, so there the desktop is asked directly.
    if (QWindow* native = window->windowHandle()) {
        window->overrideWindowFlags(flags);
        if (!askDesktopAbove(*native, on)) native->setFlags(flags);
        return;
    }
    window->setWindowFlags(flags);
}

Tray::Tray() = default;
Tray::~Tray() = default;

bool Tray::Shell_NotifyIconA(std::uint32_t message, std::uint32_t id, const QIcon& icon,
                             const QString& tip, ui::Form* owner) {
    if (message == NIM_DELETE) {
        shown_.erase(id);
        return icons_.erase(id) != 0;
    }
    if (message != NIM_ADD || icons_.count(id)) return false;
    icons_[id] = {icon, tip.left(63), owner};
    if (present_ ? present_() : QSystemTrayIcon::isSystemTrayAvailable()) {
        auto tray = std::make_unique<QSystemTrayIcon>(icon);
        tray->setToolTip(tip.left(63));
        QObject::connect(
            tray.get(), &QSystemTrayIcon::activated,
            [this, id](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Context) notify(id, ui::vbRightButton);
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    notify(id, ui::vbLeftButton);
            });
        tray->show();
        shown_[id] = std::move(tray);
    }
    return true;
}

void Tray::notify(std::uint32_t id, int button) {
    const auto it = icons_.find(id);
    if (it == icons_.end() || !it->second.owner || !it->second.owner->isLoaded()) return;
    ui::Form& owner = *it->second.owner;
    ui::dispatchEvent("Form_MouseMove", [&] { owner.Form_MouseMove(button, 0, 0, 0); });
}

}  // namespace sys

#include "platform/system/WindowServices.h"

#include <QBitmap>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QWidget>

#include "platform/ui/Application.h"

namespace sys {

bool SystemParametersInfoA(ui::Application& app, unsigned action, ui::Rect& area) {
    if (action != SPI_GETWORKAREA) return false;
    const QRect r = app.screen().workAreaPixels();
    area = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return true;
}

bool GetCursorPos(ui::Application& app, QPoint& point) {
    point = app.screen().cursorPos();
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

void SetWindowPos(QWidget* window, int insertAfter) {
    if (!window) return;
    const bool on = insertAfter == HWND_TOPMOST;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing a window's flags hides it; it comes back where it was.
    if (visible) window->show();
}

Tray::Tray() = default;
Tray::~Tray() = default;

bool Tray::Shell_NotifyIconA(std::uint32_t message, std::uint32_t id, const QIcon& icon,
                             const QString& tip) {
    if (message == NIM_DELETE) {
        shown_.erase(id);
        return icons_.erase(id) != 0;
    }
    if (message != NIM_ADD || icons_.count(id)) return false;
    icons_[id] = {icon, tip.left(63)};
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        auto tray = std::make_unique<QSystemTrayIcon>(icon);
        tray->setToolTip(tip.left(63));
        tray->show();
        shown_[id] = std::move(tray);
    }
    return true;
}

}  // namespace sys

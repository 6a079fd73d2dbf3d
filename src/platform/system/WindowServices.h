#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class QWidget;
class QSystemTrayIcon;

#include "platform/ui/WindowMessages.h"

class QPoint;

namespace ui {
class Application;
class Form;
class WindowHandles;
}  // namespace ui

namespace sys {

// A rounded-rectangle outline from (0, 0) to (width, height), right and
// bottom exclusive, with corner ellipses diameter wide and high; given to the
// window, it replaces the window's former outline.  A window of no size keeps
// its outline; sides beyond kMaxRegionSide are cut to it; a diameter below 0
// is 0 and one beyond the sides rounds them fully.
inline constexpr int kMaxRegionSide = 16384;
void SetWindowRgn(QWidget* window, int width, int height, int diameter);

inline constexpr unsigned SPI_GETWORKAREA = 0x30;
// SPI_GETWORKAREA: the screen less the desktop's panels, in screen pixels.
// Another action is refused (false, area unchanged).
bool SystemParametersInfoA(ui::Application& app, unsigned action, ui::Rect& area);
// The pointer in screen pixels.
bool GetCursorPos(ui::Application& app, QPoint& point);
// The rectangle of one of the program's windows; false for another handle.
bool GetWindowRect(ui::Application& app, int hWnd, ui::Rect& rect);

inline constexpr int HWND_TOPMOST = -1;
inline constexpr int HWND_NOTOPMOST = -2;
// Puts a window into or out of the band that stays above all others,
// keeping its place, size and outline.
void SetWindowPos(QWidget* window, int insertAfter);

inline constexpr std::uint32_t NIM_ADD = 0;
inline constexpr std::uint32_t NIM_DELETE = 2;

// The notification area of the desktop: icons by identifier, each with its
// tip and owner window; a second add under a shown identifier leaves one
// icon, removing one that is not there does nothing.  Without a tray on the
// desktop nothing shows and nothing fails.  A click on an icon reaches its
// owner's Form_MouseMove as button 1, a context request as button 2.
class Tray {
  public:
    struct Icon {
        QIcon icon;
        QString tip;
        ui::Form* owner = nullptr;
    };

    Tray();
    ~Tray();
    // Tips are cut to 63 characters, as the Windows tray record holds them.
    bool Shell_NotifyIconA(std::uint32_t message, std::uint32_t id, const QIcon& icon,
                           const QString& tip, ui::Form* owner = nullptr);
    // What the desktop reports of the pointer on an icon (button 1 or 2).
    void notify(std::uint32_t id, int button);
    const std::map<std::uint32_t, Icon>& icons() const { return icons_; }
    // Whether the icon is really on a tray of the desktop (an icon added
    // while no tray runs is kept, but nothing shows it).
    bool shown(std::uint32_t id) const { return shown_.count(id) != 0; }
    // Tests stand in for the desktop's tray being there or not.
    void setTrayPresent(std::function<bool()> present) { present_ = std::move(present); }

  private:
    std::map<std::uint32_t, Icon> icons_;
    std::map<std::uint32_t, std::unique_ptr<QSystemTrayIcon>> shown_;
    std::function<bool()> present_;
};

}  // namespace sys

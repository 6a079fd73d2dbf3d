#pragma once

#include <QCursor>
#include <QRect>
#include <optional>
#include <vector>

#include "platform/ui/Picture.h"

namespace ui {

// Pointer shapes of Screen.MousePointer and a control's MousePointer.
enum MousePointerConstants {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbIconPointer = 4,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
    vbCustom = 99
};

// The shape for a pointer value; vbCustom shows the icon (the default arrow
// without one).  An unknown value fails with "Invalid property value".
QCursor cursorFor(int mousePointer, const Picture& icon = {});

// The desktop as the program sees it: size and work area in pixels, and the
// pointer shape that overrides every window's own.  Tests script the geometry
// so nothing depends on a display (the pointer's place is Pointer's).
class Screen {
  public:
    Screen() = default;
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int value);
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const;
    float Width() const;
    float Height() const;

    QRect geometryPixels() const;
    // The screen less the desktop's panels.
    QRect workAreaPixels() const;

    // Every screen's rectangle in pixels, and the virtual desktop they span.
    std::vector<QRect> screensPixels() const;
    QRect virtualDesktopPixels() const;

    // A window's edge or size as saved, in twips, bound to what the screens
    // can show: a size at most the virtual desktop's, an edge no further out
    // than a window of the largest size could still touch a screen from (so
    // the window system's coordinates never wrap).  Taken as read, before any
    // narrowing, so a huge saved number cannot overflow.  What is no number
    // stays so.
    enum class Extent { Left, Top, Width, Height };
    float bound(Extent extent, double twips) const;
    // A window's rectangle in twips as the user can reach it: kept exactly
    // when it touches some screen, else moved onto the nearest screen (wholly
    // onto it where it fits).
    QRectF reachable(const QRectF& window) const;

    void scriptDesktop(QRect geometry, QRect workArea);
    void scriptScreens(std::vector<QRect> screens);

  private:
    int mousePointer_ = vbDefault;
    bool overriding_ = false;
    std::optional<QRect> geometry_;
    std::optional<QRect> workArea_;
    std::vector<QRect> screens_;
};

}  // namespace ui

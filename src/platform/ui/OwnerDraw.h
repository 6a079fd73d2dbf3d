#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "platform/ui/WindowMessages.h"

class QPainter;

namespace ui {

class Menu;

// Text formats an owner-draw hook passes to MenuCanvas::drawText.
inline constexpr int DT_LEFT = 0x0;
inline constexpr int DT_RIGHT = 0x2;
inline constexpr int DT_VCENTER = 0x4;
inline constexpr int DT_SINGLELINE = 0x20;
inline constexpr int DT_NOCLIP = 0x100;

// State bits of an item being drawn.
inline constexpr int ODS_SELECTED = 0x1;
inline constexpr int ODS_DISABLED = 0x4;
inline constexpr int ODS_CHECKED = 0x8;

// What an owner-draw hook measures and paints a menu item with, in the menu's
// pixels.  Text shows "&x" as an underlined x and "&&" as "&"; its size is
// that of the raw text.
class MenuCanvas {
  public:
    virtual ~MenuCanvas() = default;
    // The size of one line of text in the owner window's font.
    virtual QSize textSize(const QString& text) = 0;
    virtual void fillRect(const Rect& rect, QColor color) = 0;
    // format: DT_ flags (left or right, vertically centred on one line, unclipped).
    virtual void drawText(const QString& text, const Rect& rect, int format, QColor color) = 0;
    // A picture scaled into rect; transparent pixels stay unpainted.  Greyed
    // draws only its shape, embossed, as a disabled picture looks.
    virtual void drawPicture(const QImage& picture, const Rect& rect, bool greyed) = 0;
};

// A canvas on a painter (nullptr for measuring only).
class PainterCanvas : public MenuCanvas {
  public:
    PainterCanvas(QPainter* painter, QFont font);
    QSize textSize(const QString& text) override;
    void fillRect(const Rect& rect, QColor color) override;
    void drawText(const QString& text, const Rect& rect, int format, QColor color) override;
    void drawPicture(const QImage& picture, const Rect& rect, bool greyed) override;

  private:
    QPainter* painter_;
    QFont font_;
};

struct MenuItemState {
    bool highlighted = false;
    bool checked = false;
    bool disabled = false;
    bool separator = false;
    bool subMenu = false;
    // ODS_SELECTED, ODS_DISABLED and ODS_CHECKED as the desktop combines them.
    int itemState() const;
};

struct MeasureItemArgs {
    Menu& item;
    MenuCanvas& canvas;
    int itemWidth = 0;
    int itemHeight = 0;
};

struct DrawItemArgs {
    Menu& item;
    MenuItemState state;
    // The item within its menu: left 0, top below the items above it.
    Rect rcItem;
    MenuCanvas& canvas;
};

// A window's owner-draw hook: its pop-up menus are measured and painted item
// by item through it (a sub-menu's arrow is the runtime's).  Installed with
// Form::setOwnerDraw; unloading the window removes it.
struct OwnerDraw {
    std::function<void(MeasureItemArgs&)> measureItem;
    std::function<void(const DrawItemArgs&)> drawItem;
    explicit operator bool() const { return measureItem && drawItem; }
};

}  // namespace ui

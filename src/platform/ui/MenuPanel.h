#pragma once

#include <QPoint>
#include <QSize>
#include <vector>

#include "platform/ui/OwnerDraw.h"

class QPainter;

namespace ui {

class Menu;

// One level of a pop-up menu: the visible items of a menu, measured and
// painted through the owning window's owner-draw hook, or in the runtime's
// own plain look when the window has none.  Items lie in the menu's client
// pixels (left 0, one below the other) inside a one-pixel frame.
class MenuPanel {
  public:
    struct Item {
        Menu* menu;
        Rect rect;
    };
    static constexpr int kFrame = 1;
    // Room the runtime keeps on the right of every item for a sub-menu's arrow.
    static constexpr int kArrowRoom = 12;

    MenuPanel(Menu& menu, MenuCanvas& measuring);

    const std::vector<Item>& items() const { return items_; }
    // The whole panel with its frame.
    QSize size() const;
    // The item under a point of the panel (frame included), or -1.
    int itemAt(QPoint point) const;
    // Whether the item can be highlighted (separators cannot).
    bool selectable(int index) const;
    MenuItemState stateOf(int index, bool highlighted) const;

    // Paints one item on a canvas in client pixels.
    void paintItem(int index, bool highlighted, MenuCanvas& canvas) const;
    // Paints the frame and every item on a painter at the panel's origin.
    void paint(QPainter& painter, int highlighted) const;

  private:
    void measure(Item& item, MenuCanvas& canvas) const;

    Menu& menu_;
    OwnerDraw hook_;
    std::vector<Item> items_;
    int width_ = 0;
};

}  // namespace ui

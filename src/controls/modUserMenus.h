#pragma once

#include <map>
#include <vector>

#include "controls/clsUserMenus.h"
#include "platform/ui/OwnerDraw.h"

namespace ui {
class Application;
class Form;
class ImageList;
}  // namespace ui

// The player's own look for the pop-up menus of one window: a grey picture
// column with the item's picture (its Tag numbers it in the image list), a
// framed light-blue highlight, a framed box for a checked item, an etched
// separator and embossed grey text when disabled.  Paints through the
// window's owner-draw hook, which unloading the window removes.
class modUserMenus {
  public:
    explicit modUserMenus(ui::Application& app);

    // Records every menu item of the window in control order (hidden items
    // too, which stay hidden) and installs the painter; a window without
    // menus is left alone.
    void InitUserMenus(ui::Form& frm, const ui::ImageList* Icons);
    void SubclassMenuOwner(ui::Form& frm);
    void RestoreMenuOwner(ui::Form& frm);

    // The owner-draw requests of the window's items.
    void MeasureItem(ui::MeasureItemArgs& m) const;
    void DrawItem(const ui::DrawItemArgs& d) const;

    const std::vector<clsUserMenus>& records() const { return records_; }

  private:
    const clsUserMenus* recordOf(const ui::Menu& item) const;
    void drawBackground(const ui::DrawItemArgs& d) const;
    void drawTexts(const clsUserMenus& r, const ui::DrawItemArgs& d) const;
    void drawPicture(const clsUserMenus& r, const ui::DrawItemArgs& d) const;

    std::vector<clsUserMenus> records_;
    std::map<const ui::Menu*, std::size_t> index_;
    const ui::ImageList* icons_ = nullptr;
};

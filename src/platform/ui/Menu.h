#pragma once

#include <vector>

#include "platform/ui/Control.h"

namespace ui {

// A menu item; items with children open a sub-menu.  Menus are shown only as
// pop-up menus (Form::PopupMenu), which the window's owner-draw hook may
// paint.  The caption "-" makes a separator.
class Menu : public Control {
  public:
    Menu(Form& form, QString name, Menu* parent = nullptr);
    // An item made at run time leaves its parent's list when it is unloaded.
    ~Menu() override;

    QString Caption() const;
    void setCaption(const QString& value);
    bool Checked() const;
    void setChecked(bool value);

    Menu* parentMenu() const { return parent_; }
    const std::vector<Menu*>& items() const { return items_; }
    bool isSeparator() const { return Caption() == "-"; }
    bool hasVisibleItems() const;

  private:
    struct State {
        QString caption;
        bool checked = false;
    };
    Menu* parent_;
    std::vector<Menu*> items_;
    State state_;
};

}  // namespace ui

#include "platform/ui/Menu.h"

#include <vector>

namespace ui {

Menu::Menu(Form& form, QString name, Menu* parent)
    : Control(form, std::move(name)), parent_(parent) {
    if (parent_) parent_->items_.push_back(this);
    keepDesign(state_);
}

Menu::~Menu() {
    if (parent_) std::erase(parent_->items_, this);
    for (Menu* item : items_)
        item->parent_ = nullptr;
}

QString Menu::Caption() const {
    return touch(), state_.caption;
}
void Menu::setCaption(const QString& value) {
    touch(), state_.caption = untilNul(value);
}
bool Menu::Checked() const {
    return touch(), state_.checked;
}
void Menu::setChecked(bool value) {
    touch(), state_.checked = value;
}
bool Menu::hasVisibleItems() const {
    for (const Menu* item : items_)
        if (item->Visible()) return true;
    return false;
}

}  // namespace ui

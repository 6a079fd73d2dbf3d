#include "platform/ui/WindowHandles.h"

namespace ui {

int WindowHandles::add(QWidget* widget) {
    const int handle = next_;
    next_ += 4;
    widgets_.emplace(handle, widget);
    return handle;
}

void WindowHandles::remove(int handle) {
    widgets_.erase(handle);
}

QWidget* WindowHandles::widget(int handle) const {
    auto it = widgets_.find(handle);
    return it == widgets_.end() ? nullptr : it->second.data();
}

}  // namespace ui

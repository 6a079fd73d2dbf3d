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

int WindowHandles::handleOf(const QWidget* widget) const {
    for (const auto& [handle, w] : widgets_)
        if (w && w.data() == widget) return handle;
    return 0;
}

std::vector<QWidget*> WindowHandles::widgets() const {
    std::vector<QWidget*> result;
    for (const auto& [handle, w] : widgets_)
        if (w) result.push_back(w.data());
    return result;
}

}  // namespace ui

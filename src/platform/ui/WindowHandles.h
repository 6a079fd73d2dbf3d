#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <vector>

namespace ui {

// Integer window handles (hWnd) for forms and frames, resolvable to their
// widgets by the stand-ins that draw into a window (the media back end).
class WindowHandles {
  public:
    int add(QWidget* widget);
    void remove(int handle);
    // The widget behind a handle, or nullptr for an unknown or destroyed one.
    QWidget* widget(int handle) const;
    // The handle of a widget, 0 for one without.
    int handleOf(const QWidget* widget) const;
    // Every live widget with a handle, in the order the handles were given.
    std::vector<QWidget*> widgets() const;

  private:
    int next_ = 0x10000;
    std::map<int, QPointer<QWidget>> widgets_;
};

}  // namespace ui

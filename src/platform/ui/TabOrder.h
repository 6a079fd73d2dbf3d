#pragma once

#include <initializer_list>

namespace ui {

class Control;

// The design's tab order: the controls in the order of their tab indexes,
// each followed by the next when the user presses Tab.
void setTabOrder(std::initializer_list<Control*> controls);

}  // namespace ui

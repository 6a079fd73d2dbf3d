#pragma once

namespace ui {
class Form;
}

// Puts a window above all ordinary windows, or back among them, without
// moving or sizing it.
namespace OnTopMod {
void SetTopMost(ui::Form& window);
void SetNotTopMost(ui::Form& window);
}  // namespace OnTopMod

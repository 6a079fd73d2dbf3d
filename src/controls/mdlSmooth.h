#pragma once

namespace ui {
class Form;
}

// Gives a borderless window a rounded-rectangle outline of its current size;
// radius is the width and height, in pixels, of each corner's ellipse.
namespace mdlSmooth {
void RoundWindow(ui::Form& frm, double Radius);
}

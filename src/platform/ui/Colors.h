#pragma once

#include <QColor>
#include <QFont>

#include "platform/ui/Control.h"

class QWidget;

namespace ui {

// 0x00BBGGRR, or a system colour (0x80000000 | index) resolved on the desktop's palette.
QColor toQColor(OleColor color);
// The colour a drawing call paints with: RGB, or a system colour from a fixed
// classic table (index 16 button shadow, 20 highlight...), so drawn pixels do
// not depend on the desktop's theme.  An index outside the table gives black.
QColor drawingColor(OleColor color);
OleColor fromRgb(int red, int green, int blue);
// The font a control draws its text in: one sans for every design font name,
// metrics matching the designs' 8-point text at 96 dpi; size, bold, italic and
// underline as the design gives them.
QFont toQFont(const FontSpec& font);
// The pixel size of text the design gives in points.
int textPixelSize(float points);
void applyPaletteColors(QWidget& widget, OleColor fore, OleColor back);

}  // namespace ui

#pragma once

#include <QColor>
#include <QFont>

#include "platform/ui/Control.h"

class QWidget;

namespace ui {

// 0x00BBGGRR, or a system colour (0x80000000 | index) resolved on the desktop's palette.
QColor toQColor(OleColor color);
OleColor fromRgb(int red, int green, int blue);
QFont toQFont(const FontSpec& font);
void applyPaletteColors(QWidget& widget, OleColor fore, OleColor back);

}  // namespace ui

#include "platform/ui/Colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace ui {

namespace {

QColor systemColor(unsigned index) {
    const QPalette p = QApplication::palette();
    switch (index) {
        case 0x05:
            return p.color(QPalette::Base);  // window background
        case 0x08:
            return p.color(QPalette::Text);  // window text
        case 0x0D:
            return p.color(QPalette::Highlight);
        case 0x0E:
            return p.color(QPalette::HighlightedText);
        case 0x11:
            return p.color(QPalette::Disabled, QPalette::Text);
        case 0x12:
            return p.color(QPalette::ButtonText);
        case 0x0F:
            return p.color(QPalette::Button);  // button face
        default:
            return p.color(QPalette::Window);
    }
}

// The classic desktop scheme, by system colour index.
constexpr QRgb kClassicColors[] = {
    qRgb(192, 192, 192), qRgb(0, 128, 128),   qRgb(0, 0, 128),     qRgb(128, 128, 128),
    qRgb(192, 192, 192), qRgb(255, 255, 255), qRgb(0, 0, 0),       qRgb(0, 0, 0),
    qRgb(0, 0, 0),       qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(0, 0, 128),     qRgb(255, 255, 255), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(128, 128, 128), qRgb(0, 0, 0),       qRgb(192, 192, 192),
    qRgb(255, 255, 255), qRgb(0, 0, 0),       qRgb(223, 223, 223), qRgb(0, 0, 0),
    qRgb(255, 255, 225), qRgb(192, 192, 192), qRgb(0, 0, 255),     qRgb(16, 132, 208),
    qRgb(181, 181, 181), qRgb(49, 106, 197),  qRgb(192, 192, 192),
};

}  // namespace

QColor drawingColor(OleColor color) {
    if (!(color & 0x80000000u))
        return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    const unsigned index = color & 0x7FFFFFFFu;
    return index < std::size(kClassicColors) ? QColor(kClassicColors[index]) : QColor(Qt::black);
}

QColor toQColor(OleColor color) {
    if (color & 0x80000000u) return systemColor(color & 0xFFu);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

OleColor fromRgb(int red, int green, int blue) {
    return static_cast<OleColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

namespace {

// The designs measure captions in the 8-point sans text of a 96 dpi desktop,
// some 5.6 pixels a character on average.  Every control draws its text in one
// condensed sans instead of the font the design names, sized in pixels so the
// screen's own dpi changes nothing; at its nominal size that face runs a tenth
// wider, hence the scale (8.25 points give 10 pixels).
constexpr const char* kTextFamily = "DejaVu Sans Condensed";
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kWidthMatch = 10.0 / 11.0;

}  // namespace

int textPixelSize(float points) {
    return std::max(1, static_cast<int>(std::lround(points * kPixelsPerPoint * kWidthMatch)));
}

QFont toQFont(const FontSpec& font) {
    QFont f(kTextFamily);
    // Where the condensed face is missing, the plain one narrowed.
    f.setStretch(QFont::SemiCondensed);
    f.setPixelSize(textPixelSize(font.size));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

void applyPaletteColors(QWidget& widget, OleColor fore, OleColor back) {
    QPalette p = widget.palette();
    const QColor f = toQColor(fore);
    const QColor b = toQColor(back);
    p.setColor(QPalette::WindowText, f);
    p.setColor(QPalette::Text, f);
    p.setColor(QPalette::ButtonText, f);
    p.setColor(QPalette::Window, b);
    p.setColor(QPalette::Base, b);
    p.setColor(QPalette::Button, b);
    widget.setPalette(p);
}

}  // namespace ui

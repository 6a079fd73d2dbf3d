#include "platform/ui/Shape.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/Colors.h"

namespace ui {

Shape::Shape(Form& form, QString name) : DrawnControl(form, std::move(name)) {
    keepDesign(state_);
}

int Shape::ShapeKind() const {
    return touch(), state_.shape;
}
OleColor Shape::FillColor() const {
    return touch(), state_.fillColor;
}
int Shape::FillStyle() const {
    return touch(), state_.fillStyle;
}
int Shape::BackStyle() const {
    return touch(), state_.backStyle;
}

void Shape::setChoice(int& field, int value, int last) {
    touch();
    if (value < 0 || value > last) throw RuntimeError(kInvalidPropertyValue);
    field = value;
    redraw();
}

void Shape::setShapeKind(int value) {
    setChoice(state_.shape, value, vbShapeRoundedSquare);
}
void Shape::setFillStyle(int value) {
    setChoice(state_.fillStyle, value, 1);
}
void Shape::setBackStyle(int value) {
    setChoice(state_.backStyle, value, 1);
}

void Shape::setFillColor(OleColor value) {
    touch();
    state_.fillColor = value;
    redraw();
}

void Shape::applyColors() {
    DrawnControl::applyColors();
    redraw();
}

void Shape::render(Canvas& canvas) const {
    QRect area(QPoint(), canvas.size());
    if (area.isEmpty()) return;
    if (state_.backStyle == 1)
        canvas.box(area.topLeft(), area.bottomRight(), drawingColor(BackColor()), true);
    const bool square = state_.shape == vbShapeSquare || state_.shape == vbShapeCircle ||
                        state_.shape == vbShapeRoundedSquare;
    if (square) {
        const int side = std::min(area.width(), area.height());
        area = QRect(area.x() + (area.width() - side) / 2, area.y() + (area.height() - side) / 2,
                     side, side);
    }
    canvas.draw([&](QPainter& p) {
        p.setPen(drawingColor(BorderColor()));
        p.setBrush(state_.fillStyle == 0 ? QBrush(drawingColor(state_.fillColor)) : Qt::NoBrush);
        const QRect outline = area.adjusted(0, 0, -1, -1);
        if (state_.shape == vbShapeOval || state_.shape == vbShapeCircle)
            p.drawEllipse(outline);
        else if (state_.shape == vbShapeRoundedRectangle || state_.shape == vbShapeRoundedSquare)
            p.drawRoundedRect(outline, 15, 15, Qt::RelativeSize);
        else
            p.drawRect(outline);
    });
}

}  // namespace ui

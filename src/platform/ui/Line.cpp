#include "platform/ui/Line.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/Colors.h"
#include "platform/ui/Twips.h"

namespace ui {

Line::Line(Form& form, QString name) : DrawnControl(form, std::move(name)) {
    keepDesign(state_);
    setPoints(0, 0, 0, 0);
}

float Line::X1() const {
    return touch(), state_.x1;
}
float Line::Y1() const {
    return touch(), state_.y1;
}
float Line::X2() const {
    return touch(), state_.x2;
}
float Line::Y2() const {
    return touch(), state_.y2;
}
void Line::setX1(float value) {
    setPoints(value, Y1(), X2(), Y2());
}
void Line::setY1(float value) {
    setPoints(X1(), value, X2(), Y2());
}
void Line::setX2(float value) {
    setPoints(X1(), Y1(), value, Y2());
}
void Line::setY2(float value) {
    setPoints(X1(), Y1(), X2(), value);
}

namespace {

float twipsPerUnit(const Control& line) {
    return line.Container() ? line.Container()->twipsPerScaleUnit() : 1.0f;
}

}  // namespace

// The control covers the two points with one pixel to spare, so a line along
// its right or bottom edge still shows.
void Line::setPoints(float x1, float y1, float x2, float y2) {
    touch();
    state_ = {x1, y1, x2, y2};
    const float pixel = kTwipsPerPixel / twipsPerUnit(*this);
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + pixel, std::abs(y2 - y1) + pixel);
    redraw();
}

void Line::render(Canvas& canvas) const {
    const float scale = twipsPerUnit(*this) / kTwipsPerPixel;
    const float left = std::min(state_.x1, state_.x2), top = std::min(state_.y1, state_.y2);
    const auto at = [&](float x, float y) {
        return QPoint(static_cast<int>(std::lround((x - left) * scale)),
                      static_cast<int>(std::lround((y - top) * scale)));
    };
    canvas.line(at(state_.x1, state_.y1), at(state_.x2, state_.y2), drawingColor(BorderColor()));
}

}  // namespace ui

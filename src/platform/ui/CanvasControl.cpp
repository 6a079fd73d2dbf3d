#include "platform/ui/CanvasControl.h"

#include <QFontMetricsF>
#include <cmath>

#include "platform/ui/CanvasWidget.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"

namespace ui {

CanvasControl::CanvasControl(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    attachWidget(new CanvasWidget(state_.canvas.image(), true), true);
}

float CanvasControl::twipsPerScaleUnit() const {
    return state_.scaleMode == vbPixels ? kTwipsPerPixel : 1.0f;
}

float CanvasControl::mouseUnits(double pixels) const {
    return static_cast<float>(pixels * kTwipsPerPixel / twipsPerScaleUnit());
}

int CanvasControl::toPixelX(float units) const {
    return static_cast<int>(std::lround(units * twipsPerScaleUnit() / kTwipsPerPixel));
}

int CanvasControl::toPixelY(float units) const {
    return toPixelX(units);
}

QSize CanvasControl::pixelSize() const {
    return widget() ? widget()->size() : QSize();
}

int CanvasControl::ScaleMode() const {
    return touch(), state_.scaleMode;
}

void CanvasControl::setScaleMode(int value) {
    touch();
    if (value != vbTwips && value != vbPixels) throw RuntimeError(kInvalidPropertyValue);
    state_.scaleMode = value;
}

float CanvasControl::ScaleWidth() const {
    touch();
    return pixelSize().width() * kTwipsPerPixel / twipsPerScaleUnit();
}

float CanvasControl::ScaleHeight() const {
    touch();
    return pixelSize().height() * kTwipsPerPixel / twipsPerScaleUnit();
}

bool CanvasControl::AutoRedraw() const {
    return touch(), state_.autoRedraw;
}

void CanvasControl::setAutoRedraw(bool value) {
    touch(), state_.autoRedraw = value;
}

float CanvasControl::CurrentX() const {
    return touch(), state_.currentX;
}
float CanvasControl::CurrentY() const {
    return touch(), state_.currentY;
}
void CanvasControl::setCurrentX(float value) {
    touch(), state_.currentX = value;
}
void CanvasControl::setCurrentY(float value) {
    touch(), state_.currentY = value;
}

Picture CanvasControl::picture() const {
    return touch(), state_.picture;
}

void CanvasControl::setPicture(const Picture& value) {
    touch();
    state_.picture = value;
    clearToBackground();
}

QColor CanvasControl::drawColor(std::optional<OleColor> color) const {
    return drawingColor(color.value_or(ForeColor()));
}

void CanvasControl::clearToBackground() {
    state_.canvas.resize(pixelSize(), drawingColor(BackColor()));
    state_.canvas.clear(drawingColor(BackColor()), state_.picture.image());
    drawn();
}

void CanvasControl::drawn(Drawn what) {
    canvasDrawn();
    if (widget()) static_cast<CanvasWidget*>(widget())->imageDrawn(what);
}

void CanvasControl::Cls() {
    touch();
    clearToBackground();
    state_.currentX = state_.currentY = 0;
}

void CanvasControl::Refresh() {
    touch();
    if (!state_.autoRedraw) {
        clearToBackground();
        raisePaint();
    }
    drawn();
}

void CanvasControl::sizeChanged() {
    state_.canvas.resize(pixelSize(), drawingColor(BackColor()));
    drawn();
    if (!state_.autoRedraw && parentForm().isLoaded()) Refresh();
}

void CanvasControl::refreshWidget() {
    Control::refreshWidget();
    state_.canvas.resize(pixelSize(), drawingColor(BackColor()));
    drawn();
}

// A new BackColor clears the drawing, as on the desktop.
void CanvasControl::applyColors() {
    Control::applyColors();
    if (BackColor() == state_.shownBackColor) return;
    state_.shownBackColor = BackColor();
    clearToBackground();
}

void CanvasControl::PSet(float x, float y, std::optional<OleColor> color) {
    touch();
    state_.canvas.setPixel({toPixelX(x), toPixelY(y)}, drawColor(color));
    state_.currentX = x;
    state_.currentY = y;
    drawn();
}

void CanvasControl::Line(float x1, float y1, float x2, float y2, std::optional<OleColor> color,
                         LineBox box) {
    touch();
    const QPoint from(toPixelX(x1), toPixelY(y1)), to(toPixelX(x2), toPixelY(y2));
    if (box == kNoBox)
        state_.canvas.line(from, to, drawColor(color));
    else
        state_.canvas.box(from, to, drawColor(color), box == kFilledBox);
    state_.currentX = x2;
    state_.currentY = y2;
    drawn();
}

void CanvasControl::LineTo(float x2, float y2, std::optional<OleColor> color, LineBox box) {
    Line(CurrentX(), CurrentY(), x2, y2, color, box);
}

void CanvasControl::PaintPicture(const Picture& picture, float x1, float y1) {
    const float s = kTwipsPerPixel / twipsPerScaleUnit();
    PaintPicture(picture, x1, y1, picture.pixmap().width() * s, picture.pixmap().height() * s);
}

void CanvasControl::PaintPicture(const Picture& picture, float x1, float y1, float width1,
                                 float height1) {
    const float s = kTwipsPerPixel / twipsPerScaleUnit();
    PaintPicture(picture, x1, y1, width1, height1, 0, 0, picture.pixmap().width() * s,
                 picture.pixmap().height() * s);
}

void CanvasControl::PaintPicture(const Picture& picture, float x1, float y1, float width1,
                                 float height1, float x2, float y2, float width2, float height2) {
    touch();
    if (picture.isEmpty()) throw RuntimeError(kInvalidPicture);
    const auto px = [this](float x, float y, float w, float h) {
        return QRect(toPixelX(x), toPixelY(y), toPixelX(w), toPixelY(h));
    };
    drawn(state_.canvas.paint(picture.image(), px(x1, y1, width1, height1),
                              px(x2, y2, width2, height2)));
}

void CanvasControl::paintImage(const QImage& image) {
    drawn(state_.canvas.paint(image, image.rect(), image.rect()));
}

void CanvasControl::Print(const QString& text, bool newLine) {
    touch();
    state_.canvas.text({toPixelX(state_.currentX), toPixelY(state_.currentY)}, text,
                       toQFont(Font()), drawColor({}));
    if (newLine) {
        state_.currentX = 0;
        state_.currentY += TextHeight(text);
    } else {
        state_.currentX += TextWidth(text);
    }
    drawn();
}

float CanvasControl::TextWidth(const QString& text) const {
    touch();
    return QFontMetricsF(toQFont(Font())).horizontalAdvance(text) * kTwipsPerPixel /
           twipsPerScaleUnit();
}

float CanvasControl::TextHeight(const QString& text) const {
    touch();
    const int lines = static_cast<int>(text.count('\n')) + 1;
    return lines * QFontMetricsF(toQFont(Font())).height() * kTwipsPerPixel / twipsPerScaleUnit();
}

bool CanvasControl::DrawEdge(int left, int top, int right, int bottom, int edge, int sides) {
    touch();
    state_.canvas.edge(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), edge, sides);
    drawn();
    return true;
}

const QImage& CanvasControl::Image() const {
    return touch(), state_.canvas.image();
}

}  // namespace ui

#include "platform/ui/PictureBox.h"

#include "platform/ui/CanvasWidget.h"

namespace ui {

PictureBox::PictureBox(Form& form, QString name) : CanvasControl(form, std::move(name)) {
    keepDesign(state_);
    refreshWidget();
}

CanvasWidget* PictureBox::canvasWidget() const {
    return static_cast<CanvasWidget*>(widget());
}

int PictureBox::BorderStyle() const {
    return touch(), state_.borderStyle;
}

void PictureBox::setBorderStyle(int value) {
    touch();
    if (value != 0 && value != 1) throw RuntimeError(kInvalidPropertyValue);
    state_.borderStyle = value;
    canvasWidget()->setBorder(value == 1);
}

void PictureBox::drawImage(const QImage& image) {
    touch();
    // Painting forgets any bitmap copied before, this one included.
    paintImage(image);
    state_.drawing = image;
}

void PictureBox::canvasDrawn() {
    state_.drawing = QImage();
}

const QImage& PictureBox::drawing() const {
    return touch(), state_.drawing;
}

void PictureBox::refreshWidget() {
    CanvasControl::refreshWidget();
    canvasWidget()->setBorder(state_.borderStyle == 1);
}

}  // namespace ui

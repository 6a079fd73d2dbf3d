#include "platform/ui/PictureBox.h"

#include "platform/ui/Surface.h"

namespace ui {

PictureBox::PictureBox(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    attachWidget(new Surface, true);
}

Surface* PictureBox::surface() const {
    return static_cast<Surface*>(widget());
}

Picture PictureBox::picture() const {
    return touch(), state_.picture;
}

void PictureBox::setPicture(const Picture& value) {
    touch();
    state_.picture = value;
    surface()->setPicture(value.pixmap());
}

int PictureBox::BorderStyle() const {
    return touch(), state_.borderStyle;
}

void PictureBox::setBorderStyle(int value) {
    touch();
    if (value != 0 && value != 1) throw RuntimeError(kInvalidPropertyValue);
    state_.borderStyle = value;
    surface()->setLook({true, value == 1, {}, false});
}

void PictureBox::Cls() {
    touch();
    state_.drawing = QImage();
    surface()->setDrawing(state_.drawing);
}

void PictureBox::drawImage(const QImage& image) {
    touch();
    state_.drawing = image;
    surface()->setDrawing(image);
}

const QImage& PictureBox::drawing() const {
    return touch(), state_.drawing;
}

void PictureBox::refreshWidget() {
    Control::refreshWidget();
    surface()->setLook({true, state_.borderStyle == 1, {}, false});
    surface()->setPicture(state_.picture.pixmap());
    surface()->setDrawing(state_.drawing);
}

}  // namespace ui

#include "platform/ui/Frame.h"

#include "platform/ui/Surface.h"

namespace ui {

Frame::Frame(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    attachWidget(new Surface, true);
}

Surface* Frame::surface() const {
    return static_cast<Surface*>(widget());
}

QString Frame::Caption() const {
    return touch(), state_.caption;
}

void Frame::setCaption(const QString& value) {
    touch();
    state_.caption = untilNul(value);
    applyLook();
}

int Frame::BorderStyle() const {
    return touch(), state_.borderStyle;
}

void Frame::setBorderStyle(int value) {
    touch();
    if (value != 0 && value != 1) throw RuntimeError(kInvalidPropertyValue);
    state_.borderStyle = value;
    applyLook();
}

void Frame::applyLook() {
    // A frame without a border shows no caption either.
    const bool border = state_.borderStyle == 1;
    surface()->setLook({true, border, border ? state_.caption : QString(), false});
}

void Frame::refreshWidget() {
    Control::refreshWidget();
    applyLook();
}

}  // namespace ui

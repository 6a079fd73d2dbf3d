#include "platform/ui/Image.h"

#include "platform/ui/Surface.h"
#include "platform/ui/Twips.h"

namespace ui {

Image::Image(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    attachWidget(new Surface, false);
}

Surface* Image::surface() const {
    return static_cast<Surface*>(widget());
}

Picture Image::picture() const {
    return touch(), state_.picture;
}

void Image::setPicture(const Picture& value) {
    touch();
    if (!(value == state_.picture)) {
        state_.picture = value;
        surface()->setPicture(value.pixmap());
    }
    if (!state_.stretch && !value.isEmpty())
        Move(Left(), Top(), toTwips(value.pixmap().width()), toTwips(value.pixmap().height()));
}

bool Image::Stretch() const {
    return touch(), state_.stretch;
}

void Image::setStretch(bool value) {
    touch();
    state_.stretch = value;
    surface()->setLook({false, false, {}, value});
}

void Image::refreshWidget() {
    Control::refreshWidget();
    surface()->setLook({false, false, {}, state_.stretch});
    surface()->setPicture(state_.picture.pixmap());
}

}  // namespace ui

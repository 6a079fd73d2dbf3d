#include "platform/ui/DrawnControl.h"

#include "platform/ui/CanvasWidget.h"

namespace ui {

DrawnControl::DrawnControl(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    auto* widget = new CanvasWidget(canvas_.image(), false);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    attachWidget(widget, false);
}

OleColor DrawnControl::BorderColor() const {
    return touch(), state_.borderColor;
}

void DrawnControl::setBorderColor(OleColor value) {
    touch();
    state_.borderColor = value;
    redraw();
}

const QImage& DrawnControl::Image() const {
    return touch(), canvas_.image();
}

void DrawnControl::redraw() {
    canvas_.resize(widget() ? widget()->size() : QSize(), Qt::transparent);
    canvas_.clear(Qt::transparent, {});
    render(canvas_);
    if (widget()) widget()->update();
}

void DrawnControl::sizeChanged() {
    redraw();
}

void DrawnControl::refreshWidget() {
    Control::refreshWidget();
    redraw();
}

}  // namespace ui

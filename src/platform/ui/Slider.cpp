#include "platform/ui/Slider.h"

#include <QSignalBlocker>
#include <QSlider>

namespace ui {

Slider::Slider(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    auto* slider = new QSlider(Qt::Horizontal);
    QObject::connect(slider, &QSlider::valueChanged, [this](int v) { setValue(v); });
    attachWidget(slider, true);
}

QSlider* Slider::slider() const {
    return static_cast<QSlider*>(widget());
}

int Slider::Value() const {
    return touch(), state_.value;
}

void Slider::setValue(int value) {
    touch();
    if (value < state_.min || value > state_.max) throw RuntimeError(kInvalidPropertyValue);
    if (value == state_.value) return;
    state_.value = value;
    const QSignalBlocker block(slider());
    slider()->setValue(value);
    if (!quiet()) Change.raise();
}

int Slider::Min() const {
    return touch(), state_.min;
}
int Slider::Max() const {
    return touch(), state_.max;
}

void Slider::setRange(int min, int max) {
    touch();
    state_.min = min;
    state_.max = max;
    state_.value = std::clamp(state_.value, min, max);
    refreshWidget();
}

void Slider::refreshWidget() {
    Control::refreshWidget();
    const QSignalBlocker block(slider());
    slider()->setRange(state_.min, state_.max);
    slider()->setValue(state_.value);
}

}  // namespace ui

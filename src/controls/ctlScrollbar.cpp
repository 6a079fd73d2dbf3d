#include "controls/ctlScrollbar.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

#include "controls/ScrollbarWidget.h"
#include "shared/NumberText.h"

ctlScrollbar::ctlScrollbar(ui::Form& form, QString name, int orientation)
    : ui::Control(form, std::move(name)) {
    state_.orientation = orientation;
    keepDesign(state_);
    attachWidget(new ScrollbarWidget(*this), true);
}

double ctlScrollbar::value() const {
    return touch(), state_.value;
}

void ctlScrollbar::setValue(double v) {
    touch();
    if (!(v >= state_.min)) v = state_.min;
    if (v > state_.max) v = state_.max;
    state_.value = v;
    repaint();
}

void ctlScrollbar::setValue(const QString& text) {
    setValue(shared::toDouble(text));
}

double ctlScrollbar::max() const {
    return touch(), state_.max;
}
double ctlScrollbar::min() const {
    return touch(), state_.min;
}

void ctlScrollbar::setMax(double v) {
    touch();
    state_.max = v;
    repaint();
}

void ctlScrollbar::setMin(double v) {
    touch();
    state_.min = v;
    repaint();
}

double ctlScrollbar::SmallChange() const {
    return touch(), state_.smallChange;
}
void ctlScrollbar::setSmallChange(double v) {
    touch(), state_.smallChange = v;
}
double ctlScrollbar::LargeChange() const {
    return touch(), state_.largeChange;
}
void ctlScrollbar::setLargeChange(double v) {
    touch(), state_.largeChange = v;
}
int ctlScrollbar::Orientation() const {
    return state_.orientation;
}

double ctlScrollbar::fraction() const {
    const double range = state_.max - state_.min;
    return range > 0 ? std::clamp((state_.value - state_.min) / range, 0.0, 1.0) : 0.0;
}

// The handlers read the value the user has just given.
void ctlScrollbar::userDragged(double fraction) {
    state_.value = state_.min + std::round(fraction * (state_.max - state_.min));
    repaint();
    Scroll.raise();
}

void ctlScrollbar::userPaged(int direction) {
    setValue(state_.value + direction * state_.largeChange);
    Change.raise();
}

void ctlScrollbar::repaint() {
    if (widget()) widget()->update();
}

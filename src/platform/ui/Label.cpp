#include "platform/ui/Label.h"

#include <QLabel>

namespace ui {

Label::Label(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    attachWidget(new QLabel, false);
}

QLabel* Label::label() const {
    return static_cast<QLabel*>(widget());
}

QString Label::Caption() const {
    return touch(), state_.caption;
}

void Label::setCaption(const QString& text) {
    touch();
    const QString value = untilNul(text);
    if (value == state_.caption) return;
    state_.caption = value;
    label()->setText(value);
    if (!quiet()) Change.raise();
}

int Label::Alignment() const {
    return touch(), state_.alignment;
}

void Label::setAlignment(int value) {
    touch();
    if (value < vbLeftJustify || value > vbCenter) throw RuntimeError(kInvalidPropertyValue);
    state_.alignment = value;
    applyLook();
}

int Label::BackStyle() const {
    return touch(), state_.backStyle;
}

void Label::setBackStyle(int value) {
    touch();
    if (value != 0 && value != 1) throw RuntimeError(kInvalidPropertyValue);
    state_.backStyle = value;
    applyLook();
}

bool Label::WordWrap() const {
    return touch(), state_.wordWrap;
}

void Label::setWordWrap(bool value) {
    touch();
    state_.wordWrap = value;
    applyLook();
}

void Label::applyLook() {
    const Qt::Alignment h[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    label()->setAlignment(h[state_.alignment] | Qt::AlignTop);
    label()->setAutoFillBackground(state_.backStyle == 1);
    label()->setWordWrap(state_.wordWrap);
}

void Label::refreshWidget() {
    Control::refreshWidget();
    label()->setText(state_.caption);
    applyLook();
}

}  // namespace ui

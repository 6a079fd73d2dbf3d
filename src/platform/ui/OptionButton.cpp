#include "platform/ui/OptionButton.h"

#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/ui/Form.h"

namespace ui {

OptionButton::OptionButton(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    auto* button = new QRadioButton;
    button->setAutoExclusive(false);
    QObject::connect(button, &QRadioButton::clicked, [this] { setValue(true); });
    attachWidget(button, true);
}

QRadioButton* OptionButton::button() const {
    return static_cast<QRadioButton*>(widget());
}

bool OptionButton::Value() const {
    return touch(), state_.value;
}

void OptionButton::setValue(bool value) {
    touch();
    const bool becameSelected = value && !state_.value;
    state_.value = value;
    showValue();
    if (!value) return;
    clearGroup();
    if (becameSelected && !quiet()) Click.raise();
}

void OptionButton::clearGroup() {
    for (Control* c : parentForm().controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (!other || other == this || other->Container() != Container()) continue;
        other->state_.value = false;
        other->showValue();
    }
}

QString OptionButton::Caption() const {
    return touch(), state_.caption;
}

void OptionButton::setCaption(const QString& value) {
    touch();
    state_.caption = untilNul(value);
    button()->setText(state_.caption);
}

void OptionButton::showValue() {
    const QSignalBlocker block(button());
    button()->setChecked(state_.value);
}

void OptionButton::refreshWidget() {
    Control::refreshWidget();
    button()->setText(state_.caption);
    showValue();
}

}  // namespace ui

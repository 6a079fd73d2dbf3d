#include "platform/ui/CheckBox.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace ui {

CheckBox::CheckBox(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    auto* box = new QCheckBox;
    box->setTristate(true);
    // The user's click toggles between cleared and checked; a greyed box clears.
    QObject::connect(box, &QCheckBox::clicked, [this] { setValue(state_.value == 0 ? 1 : 0); });
    attachWidget(box, true);
}

QCheckBox* CheckBox::box() const {
    return static_cast<QCheckBox*>(widget());
}

int CheckBox::Value() const {
    return touch(), state_.value;
}

void CheckBox::setValue(int value) {
    touch();
    if (value < 0 || value > 2) throw RuntimeError(kInvalidPropertyValue);
    const bool changed = value != state_.value;
    state_.value = value;
    showValue();
    if (changed && !quiet()) Click.raise();
}

QString CheckBox::Caption() const {
    return touch(), state_.caption;
}

void CheckBox::setCaption(const QString& value) {
    touch();
    state_.caption = untilNul(value);
    box()->setText(state_.caption);
}

void CheckBox::showValue() {
    const QSignalBlocker block(box());
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    box()->setCheckState(states[state_.value]);
}

void CheckBox::refreshWidget() {
    Control::refreshWidget();
    box()->setText(state_.caption);
    showValue();
}

}  // namespace ui

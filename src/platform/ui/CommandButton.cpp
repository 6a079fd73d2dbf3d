#include "platform/ui/CommandButton.h"

#include <QPushButton>

namespace ui {

CommandButton::CommandButton(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(caption_);
    auto* button = new QPushButton;
    QObject::connect(button, &QPushButton::clicked, [this] { Click.raise(); });
    attachWidget(button, true);
}

QPushButton* CommandButton::button() const {
    return static_cast<QPushButton*>(widget());
}

QString CommandButton::Caption() const {
    return touch(), caption_;
}

void CommandButton::setCaption(const QString& value) {
    touch();
    caption_ = untilNul(value);
    button()->setText(caption_);
}

void CommandButton::refreshWidget() {
    Control::refreshWidget();
    button()->setText(caption_);
}

}  // namespace ui

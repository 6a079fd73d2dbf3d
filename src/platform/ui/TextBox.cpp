#include "platform/ui/TextBox.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace ui {

TextBox::TextBox(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    auto* edit = new QLineEdit;
    QObject::connect(edit, &QLineEdit::textEdited, [this](const QString& text) { typed(text); });
    attachWidget(edit, true);
}

QLineEdit* TextBox::edit() const {
    return static_cast<QLineEdit*>(widget());
}

QString TextBox::Text() const {
    return touch(), state_.text;
}

void TextBox::setText(const QString& value) {
    touch();
    const QString whole = untilNul(value);
    const QString text = state_.maxLength > 0 ? whole.left(state_.maxLength) : whole;
    if (text == state_.text) return;
    state_.text = text;
    const QSignalBlocker block(edit());
    edit()->setText(text);
    if (!quiet()) Change.raise();
}

void TextBox::typed(const QString& text) {
    state_.text = untilNul(text);
    Change.raise();
}

bool TextBox::Locked() const {
    return touch(), state_.locked;
}

void TextBox::setLocked(bool value) {
    touch();
    state_.locked = value;
    edit()->setReadOnly(value);
}

int TextBox::MaxLength() const {
    return touch(), state_.maxLength;
}

void TextBox::setMaxLength(int value) {
    touch();
    if (value < 0) throw RuntimeError(kInvalidPropertyValue);
    state_.maxLength = value;
    edit()->setMaxLength(value > 0 ? value : 32767);
}

// A selection starts where it starts, whichever end the cursor is at.
int TextBox::SelStart() const {
    touch();
    return edit()->hasSelectedText() ? edit()->selectionStart() : edit()->cursorPosition();
}

void TextBox::setSelStart(int value) {
    touch();
    if (value < 0) throw RuntimeError(kInvalidPropertyValue);
    edit()->setCursorPosition(std::min(value, static_cast<int>(state_.text.size())));
}

int TextBox::SelLength() const {
    return touch(), static_cast<int>(edit()->selectedText().size());
}

void TextBox::setSelLength(int value) {
    touch();
    if (value < 0) throw RuntimeError(kInvalidPropertyValue);
    edit()->setSelection(SelStart(), value);
}

void TextBox::refreshWidget() {
    Control::refreshWidget();
    const QSignalBlocker block(edit());
    edit()->setText(state_.text);
    edit()->setReadOnly(state_.locked);
    edit()->setMaxLength(state_.maxLength > 0 ? state_.maxLength : 32767);
}

}  // namespace ui

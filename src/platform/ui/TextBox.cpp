#include "platform/ui/TextBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace ui {

namespace {

Qt::ScrollBarPolicy policy(int scrollBars, int bit) {
    return (scrollBars & bit) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
}

}  // namespace

TextBox::TextBox(Form& form, QString name, bool multiLine, int scrollBars)
    : Control(form, std::move(name)), multiLine_(multiLine), scrollBars_(scrollBars) {
    keepDesign(state_);
    if (!multiLine) {
        auto* edit = new QLineEdit;
        QObject::connect(edit, &QLineEdit::textEdited,
                         [this](const QString& text) { typed(text); });
        attachWidget(edit, true);
        return;
    }
    auto* edit = new QPlainTextEdit;
    edit->setLineWrapMode((scrollBars & vbHorizontal) ? QPlainTextEdit::NoWrap
                                                      : QPlainTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(policy(scrollBars, vbHorizontal));
    edit->setVerticalScrollBarPolicy(policy(scrollBars, vbVertical));
    // Code writes under a signal blocker, so this sees the user's typing only.
    QObject::connect(edit, &QPlainTextEdit::textChanged,
                     [this, edit] { typed(edit->toPlainText()); });
    attachWidget(edit, true);
}

QLineEdit* TextBox::line() const {
    return multiLine_ ? nullptr : static_cast<QLineEdit*>(widget());
}

QPlainTextEdit* TextBox::plain() const {
    return multiLine_ ? static_cast<QPlainTextEdit*>(widget()) : nullptr;
}

void TextBox::showText(const QString& text) const {
    const QSignalBlocker block(widget());
    if (line()) return line()->setText(text);
    plain()->setPlainText(text);
}

QString TextBox::limited(const QString& text) const {
    const QString whole = untilNul(text);
    return state_.maxLength > 0 ? whole.left(state_.maxLength) : whole;
}

QString TextBox::Text() const {
    return touch(), state_.text;
}

void TextBox::setText(const QString& value) {
    touch();
    const QString text = limited(value);
    if (text == state_.text) return;
    state_.text = text;
    showText(text);
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
    if (line()) return line()->setReadOnly(value);
    plain()->setReadOnly(value);
}

int TextBox::MaxLength() const {
    return touch(), state_.maxLength;
}

void TextBox::setMaxLength(int value) {
    touch();
    if (value < 0) throw RuntimeError(kInvalidPropertyValue);
    state_.maxLength = value;
    if (line()) line()->setMaxLength(value > 0 ? value : 32767);
}

int TextBox::caret() const {
    if (line())
        return line()->hasSelectedText() ? line()->selectionStart() : line()->cursorPosition();
    return plain()->textCursor().selectionStart();
}

void TextBox::select(int start, int length) const {
    const QSignalBlocker block(widget());
    const int size = static_cast<int>(state_.text.size());
    start = std::min(start, size);
    const int end = std::min(start + length, size);
    if (line()) return line()->setSelection(start, end - start);
    QTextCursor cursor = plain()->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    plain()->setTextCursor(cursor);
}

// A selection starts where it starts, whichever end the cursor is at.
int TextBox::SelStart() const {
    return touch(), caret();
}

void TextBox::setSelStart(int value) {
    touch();
    if (value < 0) throw RuntimeError(kInvalidPropertyValue);
    select(value, 0);
}

int TextBox::SelLength() const {
    return touch(), static_cast<int>(SelText().size());
}

void TextBox::setSelLength(int value) {
    touch();
    if (value < 0) throw RuntimeError(kInvalidPropertyValue);
    select(caret(), value);
}

QString TextBox::SelText() const {
    touch();
    if (line()) return line()->selectedText();
    // The document's paragraph separators stand for the text's own line breaks.
    return plain()->textCursor().selectedText().replace(QChar(0x2029), u'\n');
}

void TextBox::setSelText(const QString& value) {
    touch();
    const int start = caret();
    const QString text =
        limited(state_.text.left(start) + value + state_.text.mid(start + SelLength()));
    const int after =
        std::min(start + static_cast<int>(untilNul(value).size()), static_cast<int>(text.size()));
    if (text != state_.text) {
        state_.text = text;
        showText(text);
        if (!quiet()) Change.raise();
    }
    select(after, 0);
}

void TextBox::refreshWidget() {
    Control::refreshWidget();
    showText(state_.text);
    if (plain()) return plain()->setReadOnly(state_.locked);
    line()->setReadOnly(state_.locked);
    line()->setMaxLength(state_.maxLength > 0 ? state_.maxLength : 32767);
}

}  // namespace ui

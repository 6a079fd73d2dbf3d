#include "platform/ui/Label.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace ui {

namespace {

// Qt shows a label's mnemonic only when the label has a buddy; the
// desktop's own labels show it always.
class MnemonicLabel : public QLabel {
  public:
    MnemonicLabel() { setTextFormat(Qt::PlainText); }
    bool useMnemonic = true;

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (!useMnemonic) return QLabel::paintEvent(event);
        QPainter painter(this);
        const int flags = static_cast<int>(alignment()) | Qt::TextShowMnemonic |
                          (wordWrap() ? Qt::TextWordWrap : 0);
        style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), text(),
                              foregroundRole());
    }
};

}  // namespace

Label::Label(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    attachWidget(new MnemonicLabel, false);
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

bool Label::UseMnemonic() const {
    return touch(), state_.useMnemonic;
}

void Label::setUseMnemonic(bool value) {
    touch();
    state_.useMnemonic = value;
    applyLook();
}

void Label::applyLook() {
    const Qt::Alignment h[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    label()->setAlignment(h[state_.alignment] | Qt::AlignTop);
    label()->setAutoFillBackground(state_.backStyle == 1);
    label()->setWordWrap(state_.wordWrap);
    static_cast<MnemonicLabel*>(label())->useMnemonic = state_.useMnemonic;
    label()->update();
}

void Label::refreshWidget() {
    Control::refreshWidget();
    label()->setText(state_.caption);
    applyLook();
}

}  // namespace ui

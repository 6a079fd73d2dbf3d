#include "platform/ui/Label.h"

#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <functional>

namespace ui {

namespace {

// Qt shows a label's mnemonic only when the label has a buddy; the
// desktop's own labels show it always.
class MnemonicLabel : public QLabel {
  public:
    MnemonicLabel() { setTextFormat(Qt::PlainText); }
    bool useMnemonic = true;
    std::function<void()> accessKeyPressed;

    // An empty key takes the access key away.
    void setAccessKey(const QKeySequence& key) {
        if (key == accessKey_) return;
        accessKey_ = key;
        if (accessKeyId_) releaseShortcut(accessKeyId_);
        accessKeyId_ = key.isEmpty() ? 0 : grabShortcut(key, Qt::WindowShortcut);
    }

  protected:
    // A key shared with another control reaches each in turn.
    bool event(QEvent* event) override {
        if (event->type() != QEvent::Shortcut || !accessKeyId_ ||
            static_cast<QShortcutEvent*>(event)->shortcutId() != accessKeyId_)
            return QLabel::event(event);
        if (accessKeyPressed) accessKeyPressed();
        return true;
    }

    void paintEvent(QPaintEvent* event) override {
        if (!useMnemonic) return QLabel::paintEvent(event);
        QPainter painter(this);
        const int flags = static_cast<int>(alignment()) | Qt::TextShowMnemonic |
                          (wordWrap() ? Qt::TextWordWrap : 0);
        style()->drawItemText(&painter, contentsRect(), flags, palette(), isEnabled(), text(),
                              foregroundRole());
    }

  private:
    QKeySequence accessKey_;
    int accessKeyId_ = 0;
};

}  // namespace

Label::Label(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
    auto* widget = new MnemonicLabel;
    widget->accessKeyPressed = [this] { focusNextControl(); };
    attachWidget(widget, false);
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
    showAccessKey();
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
    showAccessKey();
    label()->update();
}

void Label::showAccessKey() {
    static_cast<MnemonicLabel*>(label())->setAccessKey(
        state_.useMnemonic ? QKeySequence::mnemonic(state_.caption) : QKeySequence());
}

// Tab's way from the label: past controls that are disabled, hidden or in a
// hidden frame, and past windowless ones; with none, the focus stays.
void Label::focusNextControl() {
    for (QWidget* w = label()->nextInFocusChain(); w && w != label(); w = w->nextInFocusChain()) {
        Control* c = ofWidget(w);
        if (c && &c->parentForm() == &parentForm() && (w->focusPolicy() & Qt::TabFocus) &&
            c->canTakeFocus())
            return c->SetFocus();
    }
}

void Label::refreshWidget() {
    Control::refreshWidget();
    label()->setText(state_.caption);
    applyLook();
}

}  // namespace ui

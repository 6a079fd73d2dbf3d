#pragma once

#include "platform/ui/Control.h"

class QLineEdit;
class QPlainTextEdit;

namespace ui {

// A text box, one line or many.  Writing a different text raises Change, as
// typing does.  MultiLine and ScrollBars are chosen at design, as in the
// toolkit the forms follow, where they cannot change at run time; a one-line box
// shows no scroll bars.
class TextBox : public Control {
  public:
    enum ScrollBarsValue { vbSBNone = 0, vbHorizontal = 1, vbVertical = 2, vbBoth = 3 };

    TextBox(Form& form, QString name, bool multiLine = false, int scrollBars = vbSBNone);

    QString Text() const;
    void setText(const QString& value);
    bool Locked() const;
    void setLocked(bool value);
    int MaxLength() const;
    void setMaxLength(int value);
    bool MultiLine() const { return multiLine_; }
    int ScrollBars() const { return scrollBars_; }
    int SelStart() const;
    void setSelStart(int value);
    int SelLength() const;
    void setSelLength(int value);
    // The selected text; writing replaces the selection (or inserts at the
    // caret) and leaves the caret after the new text.
    QString SelText() const;
    void setSelText(const QString& value);

    Event<> Change{"Change"};

  protected:
    void refreshWidget() override;

  private:
    struct State {
        QString text;
        bool locked = false;
        int maxLength = 0;
    };
    QLineEdit* line() const;
    QPlainTextEdit* plain() const;
    void showText(const QString& text) const;
    void select(int start, int length) const;
    int caret() const;
    void typed(const QString& text);
    QString limited(const QString& text) const;

    const bool multiLine_;
    const int scrollBars_;
    State state_;
};

}  // namespace ui

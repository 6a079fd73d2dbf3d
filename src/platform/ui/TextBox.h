#pragma once

#include "platform/ui/Control.h"

class QLineEdit;

namespace ui {

// A one-line text box.  Writing a different text raises Change, as typing does.
class TextBox : public Control {
  public:
    TextBox(Form& form, QString name);

    QString Text() const;
    void setText(const QString& value);
    bool Locked() const;
    void setLocked(bool value);
    int MaxLength() const;
    void setMaxLength(int value);
    int SelStart() const;
    void setSelStart(int value);
    int SelLength() const;
    void setSelLength(int value);

    Event<> Change{"Change"};

  protected:
    void refreshWidget() override;

  private:
    struct State {
        QString text;
        bool locked = false;
        int maxLength = 0;
    };
    QLineEdit* edit() const;
    void typed(const QString& text);

    State state_;
};

}  // namespace ui

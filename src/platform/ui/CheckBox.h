#pragma once

#include "platform/ui/Control.h"

class QCheckBox;

namespace ui {

// A check box holding 0 (cleared), 1 (checked) or 2 (greyed); a change of
// value raises Click, whether the user or the code made it.
class CheckBox : public Control {
  public:
    CheckBox(Form& form, QString name);

    int Value() const;
    void setValue(int value);
    QString Caption() const;
    void setCaption(const QString& value);

  protected:
    void refreshWidget() override;
    bool clickOnRelease() const override { return false; }

  private:
    struct State {
        int value = 0;
        QString caption;
    };
    QCheckBox* box() const;
    void showValue();

    State state_;
};

}  // namespace ui

#pragma once

#include "platform/ui/Control.h"

class QRadioButton;

namespace ui {

// An option button.  The buttons of one container (frame, picture box or the
// window itself) form a group: selecting one clears the others silently and
// raises Click on the selected one only when it was not selected before.
class OptionButton : public Control {
  public:
    OptionButton(Form& form, QString name);

    bool Value() const;
    void setValue(bool value);
    QString Caption() const;
    void setCaption(const QString& value);

  protected:
    void refreshWidget() override;
    bool clickOnRelease() const override { return false; }

  private:
    struct State {
        bool value = false;
        QString caption;
    };
    QRadioButton* button() const;
    void showValue();
    void clearGroup();

    State state_;
};

}  // namespace ui

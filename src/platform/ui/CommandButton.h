#pragma once

#include "platform/ui/Control.h"

class QPushButton;

namespace ui {

class CommandButton : public Control {
  public:
    CommandButton(Form& form, QString name);

    QString Caption() const;
    void setCaption(const QString& value);

  protected:
    void refreshWidget() override;
    bool clickOnRelease() const override { return false; }

  private:
    QPushButton* button() const;

    QString caption_;
};

}  // namespace ui

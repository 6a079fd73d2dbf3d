#pragma once

#include "platform/ui/Control.h"

namespace ui {

class Surface;

// A container of controls with a window handle of its own.
class Frame : public Control {
  public:
    Frame(Form& form, QString name);

    QString Caption() const;
    void setCaption(const QString& value);
    // 0 none, 1 fixed single.
    int BorderStyle() const;
    void setBorderStyle(int value);

  protected:
    void refreshWidget() override;

  private:
    struct State {
        QString caption;
        int borderStyle = 1;
    };
    Surface* surface() const;
    void applyLook();

    State state_;
};

}  // namespace ui

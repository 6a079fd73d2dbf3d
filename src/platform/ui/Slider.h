#pragma once

#include "platform/ui/Control.h"

class QSlider;

namespace ui {

// The common-controls track bar: a whole-number value between Min and Max.
// A change of value, by the user or by code, raises Change.
class Slider : public Control {
  public:
    Slider(Form& form, QString name);

    int Value() const;
    void setValue(int value);
    int Min() const;
    int Max() const;
    void setRange(int min, int max);

    Event<> Change{"Change"};

  protected:
    void refreshWidget() override;

  private:
    struct State {
        int value = 0;
        int min = 0;
        int max = 10;
    };
    QSlider* slider() const;

    State state_;
};

}  // namespace ui

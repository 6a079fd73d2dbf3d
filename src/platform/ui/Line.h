#pragma once

#include "platform/ui/DrawnControl.h"

namespace ui {

// A line from (X1, Y1) to (X2, Y2) in its container's units, drawn without
// its end point like every line of the runtime.  The control spans the box
// the two points make.
class Line : public DrawnControl {
  public:
    Line(Form& form, QString name);

    float X1() const;
    float Y1() const;
    float X2() const;
    float Y2() const;
    void setPoints(float x1, float y1, float x2, float y2);
    void setX1(float value);
    void setY1(float value);
    void setX2(float value);
    void setY2(float value);

  protected:
    void render(Canvas& canvas) const override;

  private:
    struct State {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };

    State state_;
};

}  // namespace ui

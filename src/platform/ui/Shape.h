#pragma once

#include "platform/ui/DrawnControl.h"

namespace ui {

// A rectangle, square, oval, circle or rounded figure filling its control's
// area (squares and circles centred in it), outlined in BorderColor; filled
// in FillColor with FillStyle 0 (solid), hollow with 1; the area around it in
// BackColor with BackStyle 1, transparent with 0.
class Shape : public DrawnControl {
  public:
    enum ShapeValue {
        vbShapeRectangle = 0,
        vbShapeSquare = 1,
        vbShapeOval = 2,
        vbShapeCircle = 3,
        vbShapeRoundedRectangle = 4,
        vbShapeRoundedSquare = 5
    };

    Shape(Form& form, QString name);

    int ShapeKind() const;
    void setShapeKind(int value);
    OleColor FillColor() const;
    void setFillColor(OleColor value);
    int FillStyle() const;
    void setFillStyle(int value);
    int BackStyle() const;
    void setBackStyle(int value);

  protected:
    void render(Canvas& canvas) const override;
    void applyColors() override;

  private:
    struct State {
        int shape = vbShapeRectangle;
        OleColor fillColor = 0;
        int fillStyle = 1;
        int backStyle = 0;
    };
    void setChoice(int& field, int value, int last);

    State state_;
};

}  // namespace ui

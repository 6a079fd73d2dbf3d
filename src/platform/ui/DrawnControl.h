#pragma once

#include <QImage>

#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"

namespace ui {

// A windowless control that is only drawn (Shape, Line): it takes no mouse
// input and draws itself into its own image, transparent where it draws
// nothing, whenever a property or its size changes.
class DrawnControl : public Control {
  public:
    DrawnControl(Form& form, QString name);

    OleColor BorderColor() const;
    void setBorderColor(OleColor value);
    // What the control shows, one pixel per image pixel.
    const QImage& Image() const;

  protected:
    // Draws the control on a cleared, transparent canvas of its size (nothing
    // while the base is still being built).
    virtual void render(Canvas& canvas) const { (void)canvas; }
    // Draws the control again after one of its properties changed.
    void redraw();
    void sizeChanged() override;
    void refreshWidget() override;

  private:
    struct State {
        OleColor borderColor = 0x80000008;
    };

    State state_;
    Canvas canvas_;
};

}  // namespace ui

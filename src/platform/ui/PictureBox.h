#pragma once

#include <QImage>

#include "platform/ui/CanvasControl.h"

namespace ui {

class CanvasWidget;

// A container with a window handle that shows a picture and what the program
// draws into it.  BorderStyle 1 draws a single line around it.
class PictureBox : public CanvasControl {
  public:
    PictureBox(Form& form, QString name);

    int BorderStyle() const;
    void setBorderStyle(int value);
    // Copies a bitmap onto the box at its top-left corner (the visualisation's
    // frames), remembered while the box shows it as copied.
    void drawImage(const QImage& image);
    // The bitmap copied last; null once anything else drew on the box (Cls,
    // a picture, a figure, a new size or back colour).
    const QImage& drawing() const;

  protected:
    void refreshWidget() override;
    void canvasDrawn() override;

  private:
    struct State {
        int borderStyle = 1;
        QImage drawing;
    };
    CanvasWidget* canvasWidget() const;

    State state_;
};

}  // namespace ui

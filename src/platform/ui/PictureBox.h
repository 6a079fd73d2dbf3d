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
    // frames), remembered until the next Cls.
    void drawImage(const QImage& image);
    // The bitmap copied last; null after Cls.
    const QImage& drawing() const;
    // Clears what was drawn (the picture stays).
    void Cls();

  protected:
    void refreshWidget() override;

  private:
    struct State {
        int borderStyle = 1;
        QImage drawing;
    };
    CanvasWidget* canvasWidget() const;

    State state_;
};

}  // namespace ui

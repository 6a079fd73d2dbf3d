#pragma once

#include <QImage>

#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

namespace ui {

class Surface;

// A container with a window handle that shows a picture and what the program
// draws into it (a bitmap copied to its device, as the visualisation does).
class PictureBox : public Control {
  public:
    PictureBox(Form& form, QString name);

    Picture picture() const;
    void setPicture(const Picture& value);
    int BorderStyle() const;
    void setBorderStyle(int value);
    // Clears what was drawn (the picture stays).
    void Cls();
    // Copies a bitmap onto the box at its top-left corner.
    void drawImage(const QImage& image);
    const QImage& drawing() const;

  protected:
    void refreshWidget() override;

  private:
    struct State {
        Picture picture;
        int borderStyle = 1;
        QImage drawing;
    };
    Surface* surface() const;

    State state_;
};

}  // namespace ui

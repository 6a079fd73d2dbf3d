#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

namespace ui {

class Surface;

// A windowless picture.  Without Stretch it takes the size of its picture.
class Image : public Control {
  public:
    Image(Form& form, QString name);

    Picture picture() const;
    void setPicture(const Picture& value);
    bool Stretch() const;
    void setStretch(bool value);

  protected:
    void refreshWidget() override;

  private:
    struct State {
        Picture picture;
        bool stretch = false;
    };
    Surface* surface() const;

    State state_;
};

}  // namespace ui

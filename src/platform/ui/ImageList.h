#pragma once

#include <QImage>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

namespace ui {

// A list of pictures numbered from 1, with one colour (MaskColor, silver
// unless set) that is transparent where the list draws them.  Windowless;
// its pictures return to the design's on unload.
class ImageList : public Control {
  public:
    ImageList(Form& form, QString name);

    int Count() const;
    // Picture index (1 to Count); another index fails with "Index out of bounds".
    Picture ListImages(int index) const;
    void Add(const Picture& picture);
    void Clear();
    OleColor MaskColor() const;
    void setMaskColor(OleColor value);
    bool UseMaskColor() const;
    void setUseMaskColor(bool value);

    // Picture index as drawn, its mask colour transparent; an empty image for
    // an index outside the list or an empty picture.
    QImage maskedImage(int index) const;

  private:
    struct State {
        std::vector<Picture> pictures;
        OleColor maskColor = 0xC0C0C0;
        bool useMaskColor = true;
    };
    State state_;
};

}  // namespace ui

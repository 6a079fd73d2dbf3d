#pragma once

#include <QImage>
#include <QWidget>

namespace ui {

// Shows a control's backing image, with an optional single-line border.  An
// opaque one covers what lies behind it; another lets it show through where
// the image is transparent.
class CanvasWidget : public QWidget {
  public:
    CanvasWidget(const QImage& image, bool opaque);
    void setBorder(bool on);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage& image_;
    bool opaque_;
    bool border_ = false;
};

}  // namespace ui

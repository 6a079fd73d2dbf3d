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
    // The image was drawn on.  Once the drawing calls of this turn of the
    // event loop are done, the widget is repainted if its pixels differ from
    // what it shows, so drawing the same picture again (a timer redrawing an
    // unchanged slider) costs no repaint.
    void imageDrawn();
    // The image was drawn on and is known to differ: repainted without comparing.
    void imageChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void showIfChanged();

    const QImage& image_;
    QImage shown_;
    bool opaque_;
    bool border_ = false;
    bool checkPending_ = false;
};

}  // namespace ui

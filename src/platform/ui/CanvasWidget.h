#pragma once

#include <QImage>
#include <QWidget>

#include "platform/ui/Canvas.h"

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
    // unchanged slider) costs no repaint.  A turn's one call that knows it
    // changed pixels spares the comparison.
    void imageDrawn(Drawn what = Drawn::Unknown);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void showIfChanged();

    const QImage& image_;
    QImage shown_;
    bool opaque_;
    bool border_ = false;
    bool checkPending_ = false;
    bool knownChanged_ = false;
};

}  // namespace ui

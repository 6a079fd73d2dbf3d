#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

class QPainter;

namespace ui {

// Edge styles and sides of DrawEdge.
enum EdgeStyle {
    BDR_RAISEDOUTER = 1,
    BDR_SUNKENOUTER = 2,
    BDR_RAISEDINNER = 4,
    BDR_SUNKENINNER = 8,
    EDGE_RAISED = 5,
    EDGE_ETCHED = 6,
    EDGE_BUMP = 9,
    EDGE_SUNKEN = 10,
};
// What a drawing call did to the pixels, where it can tell without comparing.
enum class Drawn { Unchanged, Changed, Unknown };

enum EdgeSides { BF_LEFT = 1, BF_TOP = 2, BF_RIGHT = 4, BF_BOTTOM = 8, BF_RECT = 15 };

// The backing image a form, picture box or user control draws into, in
// pixels.  It is what the control shows, so a test reads its pixels without a
// display.  Lines leave out their end point; boxes include both corners.
class Canvas {
  public:
    const QImage& image() const { return image_; }
    QSize size() const { return image_.size(); }

    // A new size keeps what is drawn where it still fits; new area gets the
    // background (a transparent one gives an image with an alpha channel).
    void resize(QSize size, QColor background);
    // The background colour, then the picture at the top-left corner.
    void clear(QColor background, const QImage& picture);
    void setPixel(QPoint at, QColor color);
    void line(QPoint from, QPoint to, QColor color);
    void box(QPoint corner1, QPoint corner2, QColor color, bool filled);
    // Copies the source rectangle of a picture onto the target rectangle,
    // stretching it (nearest pixel); both are clipped to what exists.
    // Transparent pixels of the picture leave the canvas as it was.  An
    // opaque picture at its own size is copied row by row, so whether that
    // changed a pixel is known.
    Drawn paint(const QImage& picture, QRect target, QRect source);
    // Draws text with its top-left corner at `at`.
    void text(QPoint at, const QString& text, const QFont& font, QColor color);
    // Any other figure, drawn by a painter on the image without smoothing.
    void draw(const std::function<void(QPainter&)>& steps);
    // The classic bevel: the outer ring, then the inner one, on the sides named.
    void edge(QRect rect, int edge, int sides);

  private:
    Drawn copy(const QImage& picture, QRect source, QPoint at);

    QImage image_;
};

}  // namespace ui

#include "platform/ui/Canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <vector>

#include "platform/ui/Colors.h"

namespace ui {

namespace {

// Each index's pixel in a 32-bit format, as the toolkit converts it.
QImage pixelsOfIndexes(const QImage& picture, QImage::Format format) {
    QImage table(256, 1, QImage::Format_Indexed8);
    table.setColorTable(picture.colorTable());
    std::iota(table.scanLine(0), table.scanLine(0) + 256, uchar(0));
    return table.convertToFormat(format);
}

// System colour indexes of the bevel colours.
constexpr unsigned kShadow = 16, kHighlight = 20, kDarkShadow = 21, kLight = 22;

QColor systemColor(unsigned index) {
    return drawingColor(0x80000000u | index);
}

struct Ring {
    int bits;
    unsigned topLeft;
    unsigned bottomRight;
};

// Which colours each ring of a bevel takes, outer ring first.
constexpr Ring kOuterRings[] = {{BDR_RAISEDOUTER, kLight, kDarkShadow},
                                {BDR_SUNKENOUTER, kShadow, kHighlight}};
constexpr Ring kInnerRings[] = {{BDR_RAISEDINNER, kHighlight, kShadow},
                                {BDR_SUNKENINNER, kDarkShadow, kLight}};

const Ring* ringOf(int edge, const Ring (&rings)[2]) {
    for (const Ring& r : rings)
        if (edge & r.bits) return &r;
    return nullptr;
}

}  // namespace

void Canvas::resize(QSize size, QColor background) {
    size = size.expandedTo(QSize(0, 0));
    if (size == image_.size()) return;
    QImage grown(size, background.alpha() == 255 ? QImage::Format_RGB32
                                                 : QImage::Format_ARGB32_Premultiplied);
    grown.fill(background);
    if (!image_.isNull() && !size.isEmpty()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(grown);
}

void Canvas::clear(QColor background, const QImage& picture) {
    image_.fill(background);
    if (!picture.isNull()) paint(picture, picture.rect(), picture.rect());
}

void Canvas::setPixel(QPoint at, QColor color) {
    if (image_.rect().contains(at)) image_.setPixel(at, color.rgb());
}

// Bresenham, stopping one pixel short of the end as the desktop's line calls do.
void Canvas::line(QPoint from, QPoint to, QColor color) {
    const int dx = std::abs(to.x() - from.x()), sx = from.x() < to.x() ? 1 : -1;
    const int dy = -std::abs(to.y() - from.y()), sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    const QRgb rgb = color.rgb();
    const QRect bounds = image_.rect();
    QPoint at = from;
    while (at != to) {
        if (bounds.contains(at)) image_.setPixel(at, rgb);
        const int twice = 2 * error;
        if (twice >= dy) error += dy, at.rx() += sx;
        if (twice <= dx) error += dx, at.ry() += sy;
    }
}

void Canvas::box(QPoint corner1, QPoint corner2, QColor color, bool filled) {
    const QRect r(QPoint(std::min(corner1.x(), corner2.x()), std::min(corner1.y(), corner2.y())),
                  QPoint(std::max(corner1.x(), corner2.x()), std::max(corner1.y(), corner2.y())));
    if (filled) {
        QPainter(&image_).fillRect(r, color);
        return;
    }
    line(r.topLeft(), r.topRight(), color);
    line(r.topRight(), r.bottomRight(), color);
    line(r.bottomRight(), r.bottomLeft(), color);
    line(r.bottomLeft(), r.topLeft(), color);
}

Drawn Canvas::paint(const QImage& picture, QRect target, QRect source) {
    if (picture.isNull() || target.isEmpty() || source.isEmpty()) return Drawn::Unchanged;
    const QRect kept = source.intersected(picture.rect());
    if (kept.isEmpty()) return Drawn::Unchanged;
    // Trim the target by the share of the source that lies outside the picture.
    const double sx = double(target.width()) / source.width();
    const double sy = double(target.height()) / source.height();
    const QRectF shown(target.x() + (kept.x() - source.x()) * sx,
                       target.y() + (kept.y() - source.y()) * sy, kept.width() * sx,
                       kept.height() * sy);
    if (target.size() == source.size() && !picture.hasAlphaChannel())
        return copy(picture, kept, shown.toRect().topLeft());
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(shown, picture, QRectF(kept));
    return Drawn::Unknown;
}

// No painter, which is dear to set up 40 times a second for the
// visualisation's frames, and rows left alone where they are the same.
Drawn Canvas::copy(const QImage& picture, QRect source, QPoint at) {
    const QRect to = QRect(at, source.size()).intersected(image_.rect());
    if (to.isEmpty()) return Drawn::Unchanged;
    const QPoint from = source.topLeft() + (to.topLeft() - at);
    const bool indexed = picture.format() == QImage::Format_Indexed8;
    // Indexed rows go through a table of each index's pixel; others are
    // converted whole (a shared copy where the formats already agree).
    const QImage pixels = indexed ? pixelsOfIndexes(picture, image_.format())
                                  : picture.convertToFormat(image_.format());
    const auto* pixelOf = reinterpret_cast<const quint32*>(pixels.constScanLine(0));
    std::vector<quint32> line(std::size_t(to.width()));
    const std::size_t bytes = line.size() * sizeof(quint32);
    const auto rowAt = [&](int y) -> const uchar* {
        if (!indexed) return pixels.constScanLine(from.y() + y) + from.x() * sizeof(quint32);
        const uchar* index = picture.constScanLine(from.y() + y) + from.x();
        std::transform(index, index + to.width(), line.begin(),
                       [&](uchar i) { return pixelOf[i]; });
        return reinterpret_cast<const uchar*>(line.data());
    };
    const std::size_t offset = to.x() * sizeof(quint32);
    Drawn drawn = Drawn::Unchanged;
    for (int y = 0; y < to.height(); ++y) {
        const uchar* row = rowAt(y);
        if (std::memcmp(image_.constScanLine(to.y() + y) + offset, row, bytes) == 0) continue;
        std::memcpy(image_.scanLine(to.y() + y) + offset, row, bytes);
        drawn = Drawn::Changed;
    }
    return drawn;
}

void Canvas::text(QPoint at, const QString& text, const QFont& font, QColor color) {
    QPainter p(&image_);
    // The desktop's text calls draw whole pixels of the text colour.
    QFont sharp(font);
    sharp.setStyleStrategy(QFont::NoAntialias);
    p.setFont(sharp);
    p.setPen(color);
    p.drawText(QPointF(at.x(), at.y() + p.fontMetrics().ascent()), text);
}

void Canvas::draw(const std::function<void(QPainter&)>& steps) {
    if (image_.isNull()) return;
    QPainter p(&image_);
    steps(p);
}

void Canvas::edge(QRect rect, int edge, int sides) {
    for (const Ring* ring : {ringOf(edge, kOuterRings), ringOf(edge, kInnerRings)}) {
        if (!ring || rect.isEmpty()) continue;
        const QColor tl = systemColor(ring->topLeft), br = systemColor(ring->bottomRight);
        const int l = rect.left(), t = rect.top(), r = rect.right() + 1, b = rect.bottom() + 1;
        if (sides & BF_LEFT) line({l, t}, {l, b}, tl);
        if (sides & BF_TOP) line({l, t}, {r, t}, tl);
        if (sides & BF_RIGHT) line({r - 1, t}, {r - 1, b}, br);
        if (sides & BF_BOTTOM) line({l, b - 1}, {r, b - 1}, br);
        rect.adjust(sides & BF_LEFT ? 1 : 0, sides & BF_TOP ? 1 : 0, sides & BF_RIGHT ? -1 : 0,
                    sides & BF_BOTTOM ? -1 : 0);
    }
}

}  // namespace ui

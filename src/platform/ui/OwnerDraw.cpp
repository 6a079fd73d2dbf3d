#include "platform/ui/OwnerDraw.h"

#include <QFontMetrics>
#include <QPainter>

namespace ui {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

// The embossed look of a disabled picture: its darker pixels in white one
// pixel down and right, then in grey in place.
QImage shapeIn(const QImage& picture, QColor color) {
    QImage shape = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shape.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < shape.width(); ++x) {
            const bool dark = qAlpha(line[x]) >= 128 && qGray(line[x]) < 192;
            line[x] = dark ? color.rgb() : qRgba(0, 0, 0, 0);
        }
    }
    return shape;
}

}  // namespace

int MenuItemState::itemState() const {
    return (highlighted ? ODS_SELECTED : 0) | (disabled ? ODS_DISABLED : 0) |
           (checked ? ODS_CHECKED : 0);
}

PainterCanvas::PainterCanvas(QPainter* painter, QFont font)
    : painter_(painter), font_(std::move(font)) {}

QSize PainterCanvas::textSize(const QString& text) {
    const QFontMetrics metrics(font_);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void PainterCanvas::fillRect(const Rect& rect, QColor color) {
    if (painter_ && rect.width() > 0 && rect.height() > 0) painter_->fillRect(toQRect(rect), color);
}

void PainterCanvas::drawText(const QString& text, const Rect& rect, int format, QColor color) {
    if (!painter_) return;
    int flags = Qt::TextShowMnemonic;
    flags |= (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (format & DT_VCENTER) && (format & DT_SINGLELINE) ? Qt::AlignVCenter : Qt::AlignTop;
    if (format & DT_SINGLELINE) flags |= Qt::TextSingleLine;
    if (format & DT_NOCLIP) flags |= Qt::TextDontClip;
    painter_->setFont(font_);
    painter_->setPen(color);
    painter_->drawText(toQRect(rect), flags, text);
}

void PainterCanvas::drawPicture(const QImage& picture, const Rect& rect, bool greyed) {
    if (!painter_ || picture.isNull()) return;
    const QRect target = toQRect(rect);
    if (!greyed) {
        painter_->drawImage(target, picture);
        return;
    }
    painter_->drawImage(target.translated(1, 1), shapeIn(picture, Qt::white));
    painter_->drawImage(target, shapeIn(picture, QColor(128, 128, 128)));
}

}  // namespace ui

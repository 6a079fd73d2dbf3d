#include "platform/ui/Surface.h"

#include <QPainter>

namespace ui {

Surface::Surface() {
    setAttribute(Qt::WA_OpaquePaintEvent, look_.fillBackground);
}

// A surface that fills its background hides what lies behind it, so Qt need
// not paint that again for every frame drawn into it.
void Surface::setLook(const Look& look) {
    if (look == look_) return;
    look_ = look;
    setAttribute(Qt::WA_OpaquePaintEvent, look.fillBackground);
    update();
}

void Surface::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void Surface::setDrawing(const QImage& image) {
    const QRect changed = QRect(QPoint(), drawing_.size()).united(QRect(QPoint(), image.size()));
    drawing_ = image;
    shown_ = QPixmap::fromImage(image);
    update(changed);
}

void Surface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (look_.fillBackground) p.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture_.isNull()) {
        if (look_.stretchPicture)
            p.drawPixmap(rect(), picture_);
        else
            p.drawPixmap(0, 0, picture_);
    }
    if (!shown_.isNull()) p.drawPixmap(0, 0, shown_);
    if (look_.border) {
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!look_.caption.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
                   look_.caption);
    }
}

}  // namespace ui

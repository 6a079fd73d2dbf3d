#include "platform/ui/Surface.h"

#include <QPainter>

namespace ui {

Surface::Surface() {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void Surface::setLook(const Look& look) {
    if (look == look_) return;
    look_ = look;
    update();
}

void Surface::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void Surface::setDrawing(const QImage& image) {
    drawing_ = image;
    update();
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
    if (!drawing_.isNull()) p.drawImage(0, 0, drawing_);
    if (look_.border) {
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!look_.caption.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, look_.caption);
    }
}

}  // namespace ui

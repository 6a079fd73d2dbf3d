#include "platform/ui/CanvasWidget.h"

#include <QPaintEvent>
#include <QPainter>

namespace ui {

CanvasWidget::CanvasWidget(const QImage& image, bool opaque) : image_(image), opaque_(opaque) {
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void CanvasWidget::setBorder(bool on) {
    if (on == border_) return;
    border_ = on;
    update();
}

void CanvasWidget::imageDrawn() {
    if (checkPending_) return;
    checkPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { showIfChanged(); }, Qt::QueuedConnection);
}

// Forgetting what showed keeps the image unshared, so the next drawing
// need not copy it first.
void CanvasWidget::imageChanged() {
    shown_ = QImage();
    update();
}

// The comparison shares the image until it is drawn on again, and stops at
// the first differing line.
void CanvasWidget::showIfChanged() {
    checkPending_ = false;
    if (image_ == shown_) return;
    shown_ = image_;
    update();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    if (opaque_) p.fillRect(event->rect(), palette().color(QPalette::Window));
    p.drawImage(event->rect().topLeft(), image_, event->rect());
    if (border_) {
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace ui

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

// Between turns the image is what shows, so a turn's only drawing call that
// is known to have changed it needs no comparison; a second call might have
// put the pixels back.
void CanvasWidget::imageDrawn(Drawn what) {
    if (what == Drawn::Unchanged) return;
    if (checkPending_) {
        knownChanged_ = false;
        return;
    }
    checkPending_ = true;
    knownChanged_ = what == Drawn::Changed;
    QMetaObject::invokeMethod(
        this, [this] { showIfChanged(); }, Qt::QueuedConnection);
}

// The comparison shares the image until it is drawn on again, and stops at
// the first differing line.
void CanvasWidget::showIfChanged() {
    checkPending_ = false;
    if (!knownChanged_ && image_ == shown_) return;
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

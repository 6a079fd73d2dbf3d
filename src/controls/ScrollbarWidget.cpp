#include "controls/ScrollbarWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/ctlScrollbar.h"

namespace {
constexpr int kThumb = 12;
}

ScrollbarWidget::ScrollbarWidget(ctlScrollbar& bar) : bar_(bar) {}

bool ScrollbarWidget::horizontal() const {
    return bar_.Orientation() != ctlScrollbar::vertical;
}

QRect ScrollbarWidget::thumbRect() const {
    const int span = (horizontal() ? width() : height()) - kThumb;
    const int at = static_cast<int>(std::max(0, span) * bar_.fraction());
    return horizontal() ? QRect(at, 0, kThumb, height()) : QRect(0, at, width(), kThumb);
}

double ScrollbarWidget::fractionAt(QPoint pos) const {
    const int span = std::max(1, (horizontal() ? width() : height()) - kThumb);
    const int at = (horizontal() ? pos.x() : pos.y()) - kThumb / 2;
    return std::clamp(static_cast<double>(at) / span, 0.0, 1.0);
}

void ScrollbarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Midlight));
    p.fillRect(thumbRect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(thumbRect().adjusted(0, 0, -1, -1));
}

void ScrollbarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (thumbRect().contains(event->position().toPoint())) {
        dragging_ = true;
        return;
    }
    const double at = fractionAt(event->position().toPoint());
    bar_.userPaged(at < bar_.fraction() ? -1 : 1);
}

void ScrollbarWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) bar_.userDragged(fractionAt(event->position().toPoint()));
}

void ScrollbarWidget::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

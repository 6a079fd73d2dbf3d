#include "platform/ui/VideoWindow.h"

#include <QPalette>

namespace ui {

VideoWindow::VideoWindow(QWidget* parent) : widget_(new QWidget(parent)) {
    widget_->setAttribute(Qt::WA_DontCreateNativeAncestors);
    widget_->setAttribute(Qt::WA_NativeWindow);
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
    widget_->hide();
}

VideoWindow::~VideoWindow() {
    delete widget_.data();
}

std::int64_t VideoWindow::nativeId() {
    if (!widget_) return 0;
    return static_cast<std::int64_t>(widget_->winId());
}

void VideoWindow::place(const QRect& rect) {
    if (!widget_) return;
    widget_->setGeometry(rect);
    widget_->show();
    widget_->raise();
}

std::unique_ptr<media::VideoSurface> WidgetVideoHost::makeSurface(std::optional<int> handle) {
    return std::make_unique<VideoWindow>(handle ? handles_.widget(*handle) : nullptr);
}

}  // namespace ui

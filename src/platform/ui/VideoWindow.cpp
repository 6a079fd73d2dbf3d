#include "platform/ui/VideoWindow.h"

#include <QEvent>
#include <QPalette>
#include <QWindow>

namespace ui {

namespace {

// Qt moves the native window of a widget only when that widget itself moves:
// a frame (drawn, not native) moving without a new size would leave the
// picture where it was.  This puts it back under its frame.
class FollowMovingAncestors : public QObject {
  public:
    explicit FollowMovingAncestors(QWidget* video) : QObject(video), video_(video) {
        for (QWidget* w = video->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
            w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Move && video_->internalWinId())
            if (QWindow* native = video_->windowHandle())
                native->setPosition(video_->mapTo(video_->nativeParentWidget(), QPoint(0, 0)));
        return false;
    }

  private:
    QWidget* video_;
};

}  // namespace

VideoWindow::VideoWindow(QWidget* parent) : widget_(new QWidget(parent)) {
    new FollowMovingAncestors(widget_);
    widget_->setAttribute(Qt::WA_DontCreateNativeAncestors);
    widget_->setAttribute(Qt::WA_NativeWindow);
    // Moves over the picture belong to the frame under it.
    widget_->setMouseTracking(true);
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

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

// A property of a picture window no medium draws into.
constexpr char kSpare[] = "plenkSpareVideo";

QWidget* spareIn(QWidget* parent) {
    if (!parent) return nullptr;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->property(kSpare).toBool()) {
            child->setProperty(kSpare, false);
            return child;
        }
    return nullptr;
}

QWidget* newPictureWindow(QWidget* parent) {
    auto* widget = new QWidget(parent);
    new FollowMovingAncestors(widget);
    widget->setAttribute(Qt::WA_DontCreateNativeAncestors);
    widget->setAttribute(Qt::WA_NativeWindow);
    // Moves over the picture belong to the frame under it.
    widget->setMouseTracking(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->hide();
    return widget;
}

}  // namespace

VideoWindow::VideoWindow(QWidget* parent) {
    QWidget* spare = spareIn(parent);
    widget_ = spare ? spare : newPictureWindow(parent);
}

// The picture window outlives its medium, hidden, until the next medium in the
// same window takes it: a menu or modal window opened by a press on the
// picture runs inside that press's delivery to it, the medium may end
// meanwhile, and a native window destroyed under its own mouse event takes the
// program down.  A window of its own has no program window to open them.
VideoWindow::~VideoWindow() {
    if (!widget_) return;
    widget_->hide();
    if (widget_->parentWidget())
        widget_->setProperty(kSpare, true);
    else
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

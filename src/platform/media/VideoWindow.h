#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>

namespace media {

// The native window a medium's picture is drawn into: a child of the window
// the open command names (a window of its own without one), hidden until the
// picture is placed.  If the parent is destroyed first, the window goes with it
// and placing it does nothing.
class VideoWindow {
  public:
    explicit VideoWindow(QWidget* parent);
    ~VideoWindow();
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;

    // The native window id, created on first use.
    std::int64_t nativeId();
    void place(const QRect& rect);
    QWidget* widget() const { return widget_.data(); }

  private:
    QPointer<QWidget> widget_;
};

}  // namespace media

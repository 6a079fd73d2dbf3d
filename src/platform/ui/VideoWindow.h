#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/media/VideoHost.h"
#include "platform/ui/WindowHandles.h"

namespace ui {

// A medium's picture surface as a native child widget of a window or frame.
// Closed, its widget stays there hidden for the next surface in that window.
class VideoWindow : public media::VideoSurface {
  public:
    explicit VideoWindow(QWidget* parent);
    ~VideoWindow() override;
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;

    std::int64_t nativeId() override;
    void place(const QRect& rect) override;
    QWidget* widget() const { return widget_.data(); }

  private:
    QPointer<QWidget> widget_;
};

// The media engine's view of the program's windows: handles resolved to
// widgets, surfaces made as child widgets of them.
class WidgetVideoHost : public media::VideoHost {
  public:
    explicit WidgetVideoHost(const WindowHandles& handles) : handles_(handles) {}
    bool hasWindow(int handle) const override { return handles_.widget(handle) != nullptr; }
    std::unique_ptr<media::VideoSurface> makeSurface(std::optional<int> handle) override;

  private:
    const WindowHandles& handles_;
};

}  // namespace ui

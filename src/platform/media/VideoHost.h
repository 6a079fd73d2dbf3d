#pragma once

#include <QRect>
#include <cstdint>
#include <memory>
#include <optional>

namespace media {

// The native window a medium's picture is drawn into: a child of the window
// the open command names (a window of its own without one), hidden until the
// picture is placed.  If that window is destroyed first, the surface goes with
// it: its id reads 0 and placing it does nothing.
class VideoSurface {
  public:
    virtual ~VideoSurface() = default;
    // The native window id, created on first use.
    virtual std::int64_t nativeId() = 0;
    // Shows the surface at rect, in pixels of its parent window.
    virtual void place(const QRect& rect) = 0;
};

// The program's windows, by handle (hWnd), as far as the media engine draws
// into them.  The forms runtime provides it, so the engine itself needs no
// widgets.
class VideoHost {
  public:
    virtual ~VideoHost() = default;
    virtual bool hasWindow(int handle) const = 0;
    // A new surface in the window handle names; without one, a window of its own.
    virtual std::unique_ptr<VideoSurface> makeSurface(std::optional<int> handle) = 0;
};

}  // namespace media

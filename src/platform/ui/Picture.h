#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// A picture as a control's Picture property holds it; empty means none.
class Picture {
  public:
    Picture() = default;
    explicit Picture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}
    bool isEmpty() const { return pixmap_.isNull(); }
    const QPixmap& pixmap() const { return pixmap_; }
    bool operator==(const Picture& other) const {
        return pixmap_.cacheKey() == other.pixmap_.cacheKey();
    }

  private:
    QPixmap pixmap_;
};

// Loads a picture file; the empty path gives no picture.  A missing file
// fails with "File not found", an unreadable one with "Invalid picture".
Picture LoadPicture(const QString& path);

}  // namespace ui

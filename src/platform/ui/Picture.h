#pragma once

#include <QImage>
#include <QMetaType>
#include <QPixmap>
#include <QString>
#include <cstdint>

namespace ui {

// A picture as a control's Picture property holds it; empty means none.
class Picture {
  public:
    Picture() = default;
    explicit Picture(QPixmap pixmap) : pixmap_(std::move(pixmap)) {}
    bool isEmpty() const { return pixmap_.isNull(); }
    const QPixmap& pixmap() const { return pixmap_; }
    QImage image() const { return pixmap_.toImage(); }
    // The size in HiMetric units (hundredths of a millimetre), as the
    // toolkit the forms follow reports a picture's Width and Height.
    int Width() const;
    int Height() const;
    // The same picture with every pixel of the mask colour (0x00BBGGRR)
    // transparent: painted over something, that shows through.
    Picture masked(std::uint32_t maskColor) const;
    bool operator==(const Picture& other) const {
        return pixmap_.cacheKey() == other.pixmap_.cacheKey();
    }

  private:
    QPixmap pixmap_;
};

// Loads a picture file (BMP, also JPEG, PNG, GIF); the empty path gives no
// picture.  A missing file fails with "File not found" (53), one that is no
// readable picture (empty, truncated, another format) with "Invalid picture"
// (481), one too large to hold with "Out of memory" (7).
Picture LoadPicture(const QString& path);

}  // namespace ui

Q_DECLARE_METATYPE(ui::Picture)

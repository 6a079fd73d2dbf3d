#include "platform/ui/Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cmath>
#include <cstdlib>

#include "platform/ui/Colors.h"
#include "platform/ui/RuntimeError.h"

namespace ui {

namespace {

constexpr double kHimetricPerPixel = 2540.0 / 96.0;
// The most a picture may hold decoded (32 bits a pixel): larger ones are
// refused before any pixel is read.
constexpr qint64 kMaxPictureBytes = 256LL * 1024 * 1024;

// An uncompressed bitmap whose file is shorter than its header's pixel rows
// need (the reader would fill the rest in silently).
bool truncatedBitmap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(54);
    if (header.size() < 54 || !header.startsWith("BM")) return false;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(header.constData() + at); };
    const auto s32 = [&](int at) { return qFromLittleEndian<qint32>(header.constData() + at); };
    const qint64 bits = qFromLittleEndian<quint16>(header.constData() + 28);
    if (u32(30) != 0 || u32(14) < 40) return false;
    const qint64 stride = (qint64(s32(18)) * bits + 31) / 32 * 4;
    return file.size() < qint64(u32(10)) + stride * std::abs(qint64(s32(22)));
}

int toHimetric(int pixels) {
    return static_cast<int>(std::lround(pixels * kHimetricPerPixel));
}

}  // namespace

int Picture::Width() const {
    return toHimetric(pixmap_.width());
}

int Picture::Height() const {
    return toHimetric(pixmap_.height());
}

Picture Picture::masked(std::uint32_t maskColor) const {
    if (isEmpty()) return {};
    QImage image = pixmap_.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = drawingColor(maskColor).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == mask) line[x] = 0;
    }
    return Picture(QPixmap::fromImage(image));
}

Picture LoadPicture(const QString& path) {
    if (path.isEmpty()) return Picture();
    if (!QFileInfo(path).isFile()) throw RuntimeError(kFileNotFound);
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > kMaxPictureBytes)
        throw RuntimeError(kOutOfMemory);
    QImage image;
    if (truncatedBitmap(path) || !reader.read(&image) || image.isNull())
        throw RuntimeError(kInvalidPicture);
    return Picture(QPixmap::fromImage(std::move(image)));
}

}  // namespace ui

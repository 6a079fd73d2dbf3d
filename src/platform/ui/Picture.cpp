#include "platform/ui/Picture.h"

#include <QFileInfo>

#include "platform/ui/RuntimeError.h"

namespace ui {

Picture LoadPicture(const QString& path) {
    if (path.isEmpty()) return Picture();
    if (!QFileInfo(path).isFile()) throw RuntimeError(kFileNotFound);
    QPixmap pixmap;
    if (!pixmap.load(path)) throw RuntimeError(kInvalidPicture);
    return Picture(std::move(pixmap));
}

}  // namespace ui

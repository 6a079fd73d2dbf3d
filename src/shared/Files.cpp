#include "shared/Files.h"

namespace shared {

bool isReadOnly(const QFileInfo& file) {
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return file.exists() && (!file.isWritable() || !(file.permissions() & anyWrite));
}

bool openRegularFile(QFile& file, QIODevice::OpenMode mode) {
    const QFileInfo info(file.fileName());
    if (!info.isFile()) return false;
    if ((mode & QIODevice::WriteOnly) && isReadOnly(info)) return false;
    return file.open(mode | QIODevice::ExistingOnly);
}

}  // namespace shared

#include "platform/files/Files.h"

#include <cstdio>

namespace files {

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

bool replaceable(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

bool openReplacing(QSaveFile& file, QIODevice::OpenMode mode) {
    return replaceable(file.fileName()) && file.open(mode);
}

bool passedOver(const QString& path) {
    if (replaceable(path)) return false;
    std::fprintf(stderr, "plenk-player: %s is no regular file; passed over as missing\n",
                 QFile::encodeName(path).constData());
    return true;
}

}  // namespace files

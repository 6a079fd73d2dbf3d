#pragma once

#include <QFile>
#include <QFileInfo>

namespace shared {

// A file without any write permission counts as read-only, also for a user
// (root) whom the system would let write it anyway.
bool isReadOnly(const QFileInfo& file);

// Opens an existing regular file; folders, devices and pipes are refused, so
// a stray path in a list never blocks or reads endlessly.
bool openRegularFile(QFile& file, QIODevice::OpenMode mode);

}  // namespace shared

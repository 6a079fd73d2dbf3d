#pragma once

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace files {

// A file without any write permission counts as read-only, also for a user
// (root) whom the system would let write it anyway.
bool isReadOnly(const QFileInfo& file);

// Opens an existing regular file; folders, devices and pipes are refused, so
// a stray path in a list never blocks or reads endlessly.
bool openRegularFile(QFile& file, QIODevice::OpenMode mode);

// Whether a save may put a new file at path: nothing stands there yet, or a
// regular file does (links followed).  A folder, pipe or device is never
// replaced, nor is one a link leads to.
bool replaceable(const QString& path);

// Opens a save replacing the file named, when it is replaceable: what
// openRegularFile is to reading.
bool openReplacing(QSaveFile& file, QIODevice::OpenMode mode);

// For the program's own files: whether what stands at path (links followed)
// is no regular file, but a folder, pipe or device.  It is then passed over
// as missing, and standard error is told so in one line.
bool passedOver(const QString& path);

}  // namespace files

#include "platform/system/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstdio>

#include "platform/files/Files.h"

namespace sys {

namespace {

// A copy that starts writes its lock file within moments; one that names no
// process long after was left half-written, or is no lock at all.
constexpr qint64 kUnreadableLockAgeSeconds = 10;

const char* reason(QLockFile::LockError error) {
    switch (error) {
        case QLockFile::PermissionError:
            return "permission denied";
        case QLockFile::LockFailedError:
            return "it is left by a copy that ended, and cannot be removed";
        default:
            return "its folder is missing or unusable, or the disk is full";
    }
}

enum class KernelLock { Held, Free, Unknown };

// The running copy holds a kernel lock (flock) on its lock file, which the
// kernel drops when that copy ends, whatever its process id is then.
KernelLock kernelLock(const QString& file) {
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return KernelLock::Unknown;
    const int taken = ::flock(fd, LOCK_SH | LOCK_NB);
    const int error = errno;
    ::close(fd);
    if (taken == 0) return KernelLock::Free;
    return error == EWOULDBLOCK ? KernelLock::Held : KernelLock::Unknown;
}

}  // namespace

InstanceLock::InstanceLock(const QString& folder) : file_(folder + "/instance.lock") {
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(file_);
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

// Only a lock another running copy holds keeps this copy out: a lock that
// cannot be made or taken over must not lock the user out of the program.
bool InstanceLock::acquire() {
    if (lock_->isLocked()) return true;
    // What is no file would block or fill the reading of the lock's owner.
    if (files::passedOver(file_)) return true;
    if (lock_->tryLock(0)) return true;
    if (lock_->error() == QLockFile::LockFailedError) {
        if (heldByAnotherCopy()) return false;
        if (lock_->removeStaleLockFile() && lock_->tryLock(0)) return true;
    }
    std::fprintf(stderr,
                 "plenk-player: cannot take the instance lock %s (%s); starting without it\n",
                 QFile::encodeName(file_).constData(), reason(lock_->error()));
    return true;
}

// QLockFile has already taken over a lock whose process no longer runs,
// where it could remove the file.
bool InstanceLock::heldByAnotherCopy() const {
    const KernelLock kernel = kernelLock(file_);
    if (kernel == KernelLock::Held) return true;
    qint64 pid = 0;
    QString host, app;
    const bool named = lock_->getLockInfo(&pid, &host, &app);
    if (named) return kernel == KernelLock::Unknown;
    const QFileInfo info(file_);
    return info.isFile() &&
           info.lastModified().secsTo(QDateTime::currentDateTime()) < kUnreadableLockAgeSeconds;
}

void InstanceLock::release() {
    lock_->unlock();
}

}  // namespace sys

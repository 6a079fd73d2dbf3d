#include "shared/WholeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>

#include "shared/Files.h"

namespace shared {

namespace {

const QString kMarker = ".saving-";

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// The file a path finally names, links followed (a link to a file not made
// yet included).
QString finalPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

bool writeAll(int fd, QByteArrayView bytes) {
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        left -= n;
    }
    return true;
}

// So the rename itself survives a power cut; a failure here loses nothing.
void syncFolder(const QString& folder) {
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

WholeFileWriter::WholeFileWriter(const QString& path)
    : target_(path.isEmpty() ? path : finalPath(path)) {}

WholeFileWriter::~WholeFileWriter() {
    cancel();
}

bool WholeFileWriter::open() {
    const QFileInfo info(target_);
    if (target_.isEmpty() || (info.exists() && !info.isFile()) || isReadOnly(info)) return false;
    struct stat old {};
    const bool exists = ::stat(native(target_).constData(), &old) == 0;
    temporary_ = target_ + kMarker + QString::number(::getpid());
    // A file of this name can only be left by an earlier program with our id.
    ::unlink(native(temporary_).constData());
    fd_ = ::open(native(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                 exists ? 0600 : 0666);
    if (fd_ < 0) {
        const bool folderLocked = errno == EACCES;
        temporary_.clear();
        return folderLocked && exists && openInPlace();
    }
    if (exists) ::fchmod(fd_, old.st_mode & 07777);
    return true;
}

bool WholeFileWriter::openInPlace() {
    fd_ = ::open(native(target_).constData(), O_WRONLY | O_CLOEXEC);
    inPlace_ = fd_ >= 0;
    return inPlace_;
}

bool WholeFileWriter::write(QByteArrayView bytes) {
    if (fd_ < 0 || failed_) return false;
    if (inPlace_)
        pending_.append(bytes);
    else
        failed_ = !writeAll(fd_, bytes);
    return !failed_;
}

bool WholeFileWriter::commit() {
    if (fd_ < 0 || failed_) {
        cancel();
        return false;
    }
    if (inPlace_) return commitInPlace();
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed ||
        ::rename(native(temporary_).constData(), native(target_).constData()) != 0) {
        cancel();
        return false;
    }
    temporary_.clear();
    syncFolder(QFileInfo(target_).path());
    return true;
}

// Room for the whole content first: a full disk then stops the save before
// the file changes.
bool WholeFileWriter::commitInPlace() {
    const auto size = static_cast<off_t>(pending_.size());
    const bool done = (size == 0 || ::posix_fallocate(fd_, 0, size) == 0) &&
                      writeAll(fd_, pending_) && ::ftruncate(fd_, size) == 0 && ::fsync(fd_) == 0;
    cancel();
    return done;
}

void WholeFileWriter::cancel() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty()) ::unlink(native(temporary_).constData());
    temporary_.clear();
    pending_.clear();
}

void removeUnfinishedSaves(const QString& path) {
    if (path.isEmpty()) return;
    const QFileInfo file(finalPath(path));
    const QString prefix = file.fileName() + kMarker;
    const QDir folder = file.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (!name.startsWith(prefix)) continue;
        bool number = false;
        const int pid = name.mid(prefix.size()).toInt(&number);
        if (number && pid > 0 && !processRuns(pid)) QFile::remove(folder.filePath(name));
    }
}

}  // namespace shared

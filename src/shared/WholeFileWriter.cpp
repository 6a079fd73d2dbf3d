#include "shared/WholeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

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

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

void step() {
    if (saveStepHook) saveStepHook();
}

// In pieces, each a step a save can be stopped after.
bool writeAll(int fd, QByteArrayView bytes) {
    constexpr qsizetype kPiece = 64 * 1024;
    const char* at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(std::min(left, kPiece)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        left -= n;
        step();
    }
    return true;
}

bool synced(int fd) {
    const bool done = ::fsync(fd) == 0;
    step();
    return done;
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

// Whether the file a save named "<file><marker><pid>" left belongs to a
// program that ended.  At start this program has saved nothing yet, so its
// own id names an earlier program's.
bool leftByEndedProgram(const QString& name, const QString& marker, bool atStart) {
    const qsizetype at = name.lastIndexOf(marker);
    if (at <= 0) return false;
    bool number = false;
    const int pid = name.mid(at + marker.size()).toInt(&number);
    if (!number || pid <= 0) return false;
    return (atStart && pid == ::getpid()) || !processRuns(pid);
}

void removeLeftovers(const QDir& folder, const QString& prefix, bool atStart) {
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        if (name.startsWith(prefix) && leftByEndedProgram(name, kMarker, atStart))
            QFile::remove(folder.filePath(name));
}

// Writes the whole content over the file's own bytes.  Room for all of it
// first: a full disk then stops the save before the file changes (false,
// with changed false).
bool overwrite(int fd, QByteArrayView content, bool& changed) {
    const auto size = static_cast<off_t>(content.size());
    changed = false;
    if (size > 0) {
        const int refused = ::posix_fallocate(fd, 0, size);
        errno = refused;
        if (refused != 0) return false;
    }
    changed = true;
    if (!writeAll(fd, content) || ::ftruncate(fd, size) != 0) return false;
    step();
    return synced(fd);
}

// The journal of in-place saves.  While a save writes in place, its new
// content is kept whole in "<hash of the file>.journal-<process id>": the
// file's path, a NUL, then the content.  It is written as "…part-<id>" and
// renamed once flushed, so a journal entry is always whole; the entry goes
// once the file is written.
const QString kJournalMarker = ".journal-";
const QString kPartMarker = ".part-";

QMutex journalLock;
QString journalFolder;

QString journal() {
    const QMutexLocker hold(&journalLock);
    return journalFolder;
}

QString journalName(const QString& target, const QString& marker) {
    const QByteArray hash =
        QCryptographicHash::hash(native(target), QCryptographicHash::Sha1).toHex().left(16);
    return QString::fromLatin1(hash) + marker + QString::number(::getpid());
}

class JournalEntry {
  public:
    JournalEntry(const QString& target, QByteArrayView content) {
        const QString folder = journal();
        if (folder.isEmpty() || !QDir().mkpath(folder)) return;
        const QString part = folder + '/' + journalName(target, kPartMarker);
        const QString whole = folder + '/' + journalName(target, kJournalMarker);
        if (!write(part, target, content) ||
            ::rename(native(part).constData(), native(whole).constData()) != 0) {
            const int why = errno;
            ::unlink(native(part).constData());
            errno = why;
            return;
        }
        syncFolder(folder);
        step();
        path_ = whole;
    }
    bool kept() const { return !path_.isEmpty(); }
    void remove() {
        if (kept() && ::unlink(native(path_).constData()) == 0) step();
    }

  private:
    static bool write(const QString& part, const QString& target, QByteArrayView content) {
        const int fd =
            ::open(native(part).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        const bool done =
            writeAll(fd, native(target) + '\0') && writeAll(fd, content) && synced(fd);
        return ::close(fd) == 0 && done;
    }

    QString path_;
};

// A whole entry of a program that ended: its file may be half written, so
// the save is done again.  The entry stays while the file cannot be written.
void finishEntry(const QString& entry) {
    QFile in(entry);
    if (!in.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = in.readAll();
    in.close();
    const qsizetype end = bytes.indexOf('\0');
    if (end <= 0) {
        ::unlink(native(entry).constData());
        return;
    }
    const QByteArray target = bytes.left(end);
    const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) ::unlink(native(entry).constData());
    if (fd < 0) return;
    bool changed = false;
    const bool done = overwrite(fd, QByteArrayView(bytes).sliced(end + 1), changed);
    ::close(fd);
    if (done)
        ::unlink(native(entry).constData());
    else
        std::fprintf(stderr, "plenk-player: could not finish the save of %s; kept in %s\n",
                     target.constData(), native(entry).constData());
}

void finishJournal() {
    const QString folder = journal();
    if (folder.isEmpty()) return;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (leftByEndedProgram(name, kPartMarker, true))
            QFile::remove(dir.filePath(name));
        else if (leftByEndedProgram(name, kJournalMarker, true))
            finishEntry(dir.filePath(name));
    }
}

}  // namespace

void (*saveStepHook)() = nullptr;

WholeFileWriter::WholeFileWriter(const QString& path)
    : target_(path.isEmpty() ? path : finalPath(path)) {}

WholeFileWriter::~WholeFileWriter() {
    cancel();
}

bool WholeFileWriter::open() {
    const QFileInfo info(target_);
    if (target_.isEmpty()) return fail(systemError(ENOENT));
    if (info.exists() && !info.isFile()) return fail("not a regular file");
    if (isReadOnly(info)) return fail(systemError(EACCES));
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
        return (folderLocked && exists && openInPlace()) || fail(systemError(errno));
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
    if (fd_ < 0) return false;
    if (inPlace_)
        pending_.append(bytes);
    else if (!writeAll(fd_, bytes))
        return fail(systemError(errno));
    return true;
}

bool WholeFileWriter::commit() {
    if (fd_ < 0) {
        cancel();
        return false;
    }
    if (inPlace_) return commitInPlace();
    const bool flushed = synced(fd_);
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!flushed || !closed ||
        ::rename(native(temporary_).constData(), native(target_).constData()) != 0)
        return fail(systemError(errno));
    step();
    temporary_.clear();
    syncFolder(QFileInfo(target_).path());
    return true;
}

// A journal entry that stays after a failure once the file changed has the
// save finished at the next start.
bool WholeFileWriter::commitInPlace() {
    JournalEntry entry(target_, pending_);
    bool changed = false;
    const bool done = entry.kept() && overwrite(fd_, pending_, changed);
    if (!done) fail(systemError(errno));
    if (done || !changed) entry.remove();
    cancel();
    return done;
}

bool WholeFileWriter::fail(const QString& why) {
    if (error_.isEmpty()) error_ = why;
    cancel();
    return false;
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
    removeLeftovers(file.dir(), file.fileName() + kMarker, false);
}

void setSaveJournal(const QString& folder) {
    const QMutexLocker hold(&journalLock);
    journalFolder = folder;
}

void finishUnfinishedSaves(const QStringList& folders) {
    finishJournal();
    for (const QString& folder : folders)
        removeLeftovers(QDir(folder), QString(), true);
}

}  // namespace shared

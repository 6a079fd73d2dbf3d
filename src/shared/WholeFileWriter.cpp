#include "shared/WholeFileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
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
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>

#include "platform/files/Files.h"

namespace shared {

namespace {

const QString kMarker = ".saving-";
// After the process id: no start removes the file.
const QString kUnlocked = ".unlocked";

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

// A file that a save leaves beside its target or in the journal carries a
// kernel lock (flock) while its save runs.  The kernel drops it when the
// program ends, however it ends, so a file whose lock can be taken was left
// by a save that ended, whatever process holds that program's id now.  The
// lock taken here is held while the file is dealt with.
class LeftFile {
  public:
    explicit LeftFile(const QString& path) {
        constexpr int kHow = O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC;
        fd_ = ::open(native(path).constData(), O_RDONLY | kHow);
        // A temporary file has its file's mode, maybe write-only; a lock
        // needs no reading.
        if (fd_ < 0 && errno == EACCES) fd_ = ::open(native(path).constData(), O_WRONLY | kHow);
        struct stat node {};
        if (fd_ >= 0 && ::fstat(fd_, &node) == 0 && S_ISREG(node.st_mode))
            ended_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    }
    ~LeftFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    LeftFile(const LeftFile&) = delete;
    LeftFile& operator=(const LeftFile&) = delete;
    bool ended() const { return ended_; }
    int fd() const { return fd_; }

  private:
    int fd_ = -1;
    bool ended_ = false;
};

// Held until the save closes the file, or its program ends.  A save that
// cannot take it (ENOLCK on some network file systems) must leave nothing a
// start could take for an ended save's.
bool holdWhileSaving(int fd) {
    return saveLock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Whether name is marker and a process id after the name of the file saved
// (prefix; any file when empty): a file some save made.  The id only keeps
// apart the names of saves that run at once.
bool madeBySave(const QString& name, const QString& prefix, const QString& marker) {
    const qsizetype at = name.lastIndexOf(marker);
    if (at <= 0 || !name.startsWith(prefix) || (!prefix.isEmpty() && at != prefix.size()))
        return false;
    bool number = false;
    return name.mid(at + marker.size()).toUInt(&number) > 0 && number;
}

// What ended saves left in the folder, of one file (prefix) or of all.
void removeLeftovers(const QDir& folder, const QString& prefix,
                     std::initializer_list<QString> markers) {
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (std::none_of(markers.begin(), markers.end(),
                         [&](const QString& marker) { return madeBySave(name, prefix, marker); }))
            continue;
        const QString path = folder.filePath(name);
        const LeftFile left(path);
        if (left.ended()) ::unlink(native(path).constData());
    }
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
// file's path, a NUL, the file's device and inode numbers (which show whether
// it was replaced since), a NUL, then the content.  It is written as
// "...part-<id>" and renamed once flushed, so a journal entry is always
// whole; the entry goes once the file is written, and every finished save of
// a file removes the entries older saves of it left.
const QString kJournalMarker = ".journal-";
const QString kPartMarker = ".part-";

QMutex journalLock;
QString journalFolder;

QString journal() {
    const QMutexLocker hold(&journalLock);
    return journalFolder;
}

QString journalPrefix(const QString& target) {
    const QByteArray hash =
        QCryptographicHash::hash(native(target), QCryptographicHash::Sha1).toHex().left(16);
    return QString::fromLatin1(hash);
}

QString journalName(const QString& target, const QString& marker) {
    return journalPrefix(target) + marker + QString::number(::getpid());
}

QByteArray identity(const struct stat& node) {
    return QByteArray::number(quint64(node.st_dev)) + ' ' +
           QByteArray::number(quint64(node.st_ino));
}

// The entries and parts of entries that ended saves of one file left (the
// prefix of their names).
void removeEntriesOf(const QString& prefix) {
    const QString folder = journal();
    if (!folder.isEmpty()) removeLeftovers(QDir(folder), prefix, {kJournalMarker, kPartMarker});
}

class JournalEntry {
  public:
    JournalEntry(const QString& target, const struct stat& file, QByteArrayView content) {
        const QString folder = journal();
        // Without a journal nothing is written in place: the save fails as
        // the folder refused its temporary file.
        if (folder.isEmpty() || !QDir().mkpath(folder)) {
            errno = EACCES;
            return;
        }
        const QString part = folder + '/' + journalName(target, kPartMarker);
        const QString whole = folder + '/' + journalName(target, kJournalMarker);
        fd_ = ::open(native(part).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd_ < 0) return;
        // An entry without its lock could be replayed by a start while the
        // file is written: no journal then.
        const bool locked = holdWhileSaving(fd_);
        if (!locked || !write(native(target) + '\0' + identity(file) + '\0', content) ||
            ::rename(native(part).constData(), native(whole).constData()) != 0) {
            const int why = locked ? errno : EACCES;
            ::unlink(native(part).constData());
            errno = why;
            return;
        }
        syncFolder(folder);
        step();
        path_ = whole;
        removeEntriesOf(journalPrefix(target));
    }
    ~JournalEntry() {
        if (fd_ >= 0) ::close(fd_);
    }
    JournalEntry(const JournalEntry&) = delete;
    JournalEntry& operator=(const JournalEntry&) = delete;
    bool kept() const { return !path_.isEmpty(); }
    void remove() {
        if (kept() && ::unlink(native(path_).constData()) == 0) step();
    }

  private:
    bool write(const QByteArray& head, QByteArrayView content) const {
        return writeAll(fd_, head) && writeAll(fd_, content) && synced(fd_);
    }

    int fd_ = -1;
    QString path_;
};

// What an entry holds: the file it saves, that file's identity, the content.
struct EntryParts {
    QByteArray target;
    QByteArray identity;
    QByteArrayView content;
};

std::optional<EntryParts> entryParts(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\0');
    const qsizetype second = end > 0 ? bytes.indexOf('\0', end + 1) : -1;
    if (second < 0) return std::nullopt;
    return EntryParts{bytes.left(end), bytes.mid(end + 1, second - end - 1),
                      QByteArrayView(bytes).sliced(second + 1)};
}

// Nothing when the entry cannot be read (its lock may be held write-only).
std::optional<QByteArray> readEntry(int fd) {
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) return std::nullopt;
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
}

// The entry's file opened to write, or why not: done when the entry has
// nothing left to do (the file is gone, is no regular file now, or a later
// save replaced it); neither while the file cannot be written (the entry
// stays).
struct EntryTarget {
    int fd = -1;
    bool done = false;
};

EntryTarget openEntryTarget(const EntryParts& entry) {
    struct stat node {};
    if (::stat(entry.target.constData(), &node) != 0)
        return {-1, errno == ENOENT || errno == ENOTDIR};
    if (files::passedOver(QFile::decodeName(entry.target))) return {-1, true};
    const int fd = ::open(entry.target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    if (::fstat(fd, &node) == 0 && S_ISREG(node.st_mode) && identity(node) == entry.identity)
        return {fd, false};
    ::close(fd);
    return {-1, true};
}

// A whole entry of a save that ended: its file may be half written, so the
// save is done again.  The entry stays while it cannot be read or the file
// cannot be written.
void finishEntry(const QString& entry, const LeftFile& held) {
    const std::optional<QByteArray> bytes = readEntry(held.fd());
    if (!bytes) return;
    const auto parts = entryParts(*bytes);
    const EntryTarget target = parts ? openEntryTarget(*parts) : EntryTarget{-1, true};
    if (target.done) ::unlink(native(entry).constData());
    if (target.fd < 0) return;
    bool changed = false;
    const bool done = overwrite(target.fd, parts->content, changed);
    ::close(target.fd);
    if (!done) {
        std::fprintf(stderr, "plenk-player: could not finish the save of %s; kept in %s\n",
                     parts->target.constData(), native(entry).constData());
        return;
    }
    ::unlink(native(entry).constData());
    removeEntriesOf(QFileInfo(entry).fileName().section(kJournalMarker, 0, 0));
}

void finishJournal() {
    const QString folder = journal();
    if (folder.isEmpty()) return;
    const QDir dir(folder);
    // Newest first: once a file's latest entry is replayed, its older ones go.
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Time)) {
        const bool whole = madeBySave(name, {}, kJournalMarker);
        if (!whole && !madeBySave(name, {}, kPartMarker)) continue;
        const QString path = dir.filePath(name);
        const LeftFile left(path);
        if (!left.ended()) continue;
        if (whole)
            finishEntry(path, left);
        else
            ::unlink(native(path).constData());
    }
}

}  // namespace

void (*saveStepHook)() = nullptr;
int (*saveLock)(int, int) = ::flock;

WholeFileWriter::WholeFileWriter(const QString& path)
    : target_(path.isEmpty() ? path : finalPath(path)) {}

WholeFileWriter::~WholeFileWriter() {
    cancel();
}

bool WholeFileWriter::open() {
    const QFileInfo info(target_);
    if (target_.isEmpty()) return fail(systemError(ENOENT));
    if (info.exists() && !info.isFile()) return fail("not a regular file");
    if (files::isReadOnly(info)) return fail(systemError(EACCES));
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
    if (!holdWhileSaving(fd_) && !setAsideUnlocked()) return fail(systemError(errno));
    if (exists) ::fchmod(fd_, old.st_mode & 07777);
    return true;
}

// A start removes a temporary file it can lock, so one that its save could
// not lock takes a name no start removes.
bool WholeFileWriter::setAsideUnlocked() {
    const QString unlocked = temporary_ + kUnlocked;
    if (::rename(native(temporary_).constData(), native(unlocked).constData()) != 0) return false;
    temporary_ = unlocked;
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
    // A copy of the descriptor keeps the lock until the rename, so a starting
    // copy never takes the file for a leftover meanwhile.
    const int held = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    const bool flushed = synced(fd_);
    const bool closed = ::close(fd_) == 0;
    fd_ = held;
    if (!flushed || !closed ||
        ::rename(native(temporary_).constData(), native(target_).constData()) != 0)
        return fail(systemError(errno));
    step();
    temporary_.clear();
    cancel();
    syncFolder(QFileInfo(target_).path());
    removeEntriesOf(journalPrefix(target_));
    return true;
}

// A journal entry that stays after a failure once the file changed has the
// save finished at the next start.
bool WholeFileWriter::commitInPlace() {
    struct stat file {};
    if (::fstat(fd_, &file) != 0) return fail(systemError(errno));
    JournalEntry entry(target_, file, pending_);
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
    removeLeftovers(file.dir(), file.fileName(), {kMarker});
}

void setSaveJournal(const QString& folder) {
    const QMutexLocker hold(&journalLock);
    journalFolder = folder;
}

void finishUnfinishedSaves(const QStringList& folders) {
    finishJournal();
    for (const QString& folder : folders)
        removeLeftovers(QDir(folder), QString(), {kMarker});
}

}  // namespace shared

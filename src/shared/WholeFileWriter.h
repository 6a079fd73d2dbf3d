#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace shared {

// Replaces a file's content as a whole or not at all.  The new content goes
// to "<file>.saving-<process id>" beside the file, is flushed to disk and then
// renamed over the file; a write, flush or rename that fails removes it and
// leaves the file as it was.  Where the folder cannot be written but the file
// can, the content is written into the file itself at the commit, after room
// for all of it was reserved, so a full disk still leaves the file whole;
// the new content is first kept whole in the save journal, so a program
// killed while it writes in place has the save finished at its next start
// (finishUnfinishedSaves), and without a journal no save is written in place.
// Every file a save leaves beside the file or in the journal carries a kernel
// lock while that save runs; the kernel drops it however the program ends,
// so what a save left is settled once its lock is free, whoever has its
// process id now.  A save that cannot take the lock writes nothing in place,
// and its temporary file is "<file>.saving-<process id>.unlocked", which no
// start removes.  A link is followed: the file it names is the one replaced.
class WholeFileWriter {
  public:
    explicit WholeFileWriter(const QString& path);
    // A save that was not committed is cancelled.
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Starts the save.  Refused: an empty name, a missing folder, a path
    // naming a folder, pipe or device, a read-only file.
    bool open();
    // Adds bytes; false once any write failed, and the commit then fails.
    bool write(QByteArrayView bytes);
    // Puts the new content in place; false when any step failed, the file
    // then being as it was.
    bool commit();
    // Why the save failed, as the system words it; empty while nothing did.
    const QString& error() const { return error_; }

  private:
    bool setAsideUnlocked();
    bool openInPlace();
    bool commitInPlace();
    // Cancels the save; the first reason given is the one kept.
    bool fail(const QString& why);
    void cancel();

    QString target_;
    QString temporary_;
    int fd_ = -1;
    bool inPlace_ = false;
    QByteArray pending_;
    QString error_;
};

// Removes the temporary files that saves of this file left beside it when
// their program was killed; those of a program still running stay.
void removeUnfinishedSaves(const QString& path);

// The folder of the user's own (the program folder may not be writable)
// where in-place saves keep their journal; empty: none.
void setSaveJournal(const QString& folder);

// At start, before anything is read or saved: finishes the in-place saves
// that a killed program left in the journal, and removes the temporary files
// that saves cut short left in each of the folders.
void finishUnfinishedSaves(const QStringList& folders);

// Tests stop a save between two of its steps through this; unset otherwise.
extern void (*saveStepHook)();
// The lock a save takes on its files (flock); tests make it fail.
extern int (*saveLock)(int fd, int operation);

}  // namespace shared

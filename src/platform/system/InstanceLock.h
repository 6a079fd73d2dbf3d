#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace sys {

// Tells whether another copy of the program is running for this user.  The
// lock is a file holding the owner's process id, on which the owner holds a
// kernel lock while it runs; a lock left by a copy that crashed is taken
// over, so it never stays stuck, and one that cannot be made or taken over
// (an unusable or read-only folder, a full disk, a folder, pipe or device in
// its place) lets this copy run without it.
class InstanceLock {
  public:
    explicit InstanceLock(const QString& folder);
    ~InstanceLock();
    // False only when another running copy holds the lock.  True when this
    // copy holds it, or when it cannot be made at all: the reason then goes
    // to standard error and this copy runs without it.
    bool acquire();
    // Gives the lock up and removes its file, if this copy holds it.
    void release();

  private:
    bool heldByAnotherCopy() const;

    QString file_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace sys

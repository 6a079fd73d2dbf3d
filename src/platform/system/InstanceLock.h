#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace sys {

// Tells whether another copy of the program is running for this user.  The
// lock is a file holding the owner's process id; a lock left by a copy that
// crashed is taken over, so it never stays stuck.
class InstanceLock {
  public:
    explicit InstanceLock(const QString& folder);
    ~InstanceLock();
    // True when this copy holds the lock (no other copy runs).
    bool acquire();
    // Gives the lock up and removes its file, if this copy holds it.
    void release();

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace sys

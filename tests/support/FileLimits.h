#pragma once

#include <linux/capability.h>
#include <signal.h>
#include <sys/resource.h>

#include <QString>

namespace testsupport {

// This process's descriptors open on a file whose path holds `part`: how
// many, and how many of them a program started now would be given.
struct OpenDescriptors {
    int open = 0;
    int inherited = 0;
};
OpenDescriptors descriptorsOn(const QString& part);

// Writes that would make any file longer than `bytes` fail, as on a full
// disk, while the object lives (the signal such a write raises is ignored).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    struct sigaction oldAction_ {};
};

// File and folder permissions hold for the calling thread while the object
// lives, also when the tests run as root: the capabilities that override
// them are set aside and given back afterwards.
class PermissionsHold {
  public:
    PermissionsHold();
    ~PermissionsHold();
    PermissionsHold(const PermissionsHold&) = delete;
    PermissionsHold& operator=(const PermissionsHold&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

}  // namespace testsupport

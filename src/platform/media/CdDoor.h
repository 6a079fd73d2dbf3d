#pragma once

#include <string>

#include "platform/media/MciErrors.h"

namespace media {

// Opens and closes the door of a CD drive through the Linux CD-ROM ioctls.
// Without a drive (no device node, or one that is not a CD drive) it reports
// NoCdDrive and does nothing else.
class CdDoor {
  public:
    explicit CdDoor(std::string devicePath = "/dev/cdrom") : devicePath_(std::move(devicePath)) {}
    MciError setOpen(bool open) const;
    const std::string& devicePath() const { return devicePath_; }

  private:
    std::string devicePath_;
};

}  // namespace media

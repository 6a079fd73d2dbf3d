#include "platform/media/CdDoor.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace media {

namespace {

// Only a block device that answers the CD capability query gets a door
// command, so a node that is not a CD drive never sees one.
bool isCdDrive(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISBLK(info.st_mode) &&
           ::ioctl(fd, CDROM_GET_CAPABILITY, 0) >= 0;
}

}  // namespace

MciError CdDoor::setOpen(bool open) const {
    // Non-blocking, so that an empty drive or an open tray does not refuse us.
    const int fd = ::open(devicePath_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return MciError::NoCdDrive;
    const bool done = isCdDrive(fd) && ::ioctl(fd, open ? CDROMEJECT : CDROMCLOSETRAY, 0) == 0;
    ::close(fd);
    return done ? MciError::None : MciError::NoCdDrive;
}

}  // namespace media

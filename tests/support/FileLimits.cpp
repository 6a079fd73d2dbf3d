#include "support/FileLimits.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <initializer_list>

namespace testsupport {

OpenDescriptors descriptorsOn(const QString& part) {
    OpenDescriptors found;
    const QDir open("/proc/self/fd");
    for (const QString& fd : open.entryList(QDir::Files | QDir::System)) {
        if (!QFile::symLinkTarget(open.filePath(fd)).contains(part)) continue;
        ++found.open;
        if (!(fcntl(fd.toInt(), F_GETFD) & FD_CLOEXEC)) ++found.inherited;
    }
    return found;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &oldAction_);
    getrlimit(RLIMIT_FSIZE, &old_);
    const rlimit limited{bytes, old_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    sigaction(SIGXFSZ, &oldAction_, nullptr);
}

// The raw calls act on this thread alone, which is what a test wants.
PermissionsHold::PermissionsHold() {
    syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct held[2] = {saved_[0], saved_[1]};
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        held[cap / 32].effective &= ~(1u << (cap % 32));
    syscall(SYS_capset, &header_, held);
}

PermissionsHold::~PermissionsHold() {
    syscall(SYS_capset, &header_, saved_);
}

}  // namespace testsupport

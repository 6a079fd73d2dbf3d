#include "support/StandardError.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace testsupport {

CapturedStandardError::CapturedStandardError() : saved_(dup(STDERR_FILENO)) {
    std::fflush(stderr);
    const int file = open(dir_.file("stderr").toLocal8Bit().constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    dup2(file, STDERR_FILENO);
    close(file);
}

CapturedStandardError::~CapturedStandardError() {
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
}

QByteArray CapturedStandardError::text() const {
    std::fflush(stderr);
    return readAll(dir_.file("stderr"));
}

}  // namespace testsupport

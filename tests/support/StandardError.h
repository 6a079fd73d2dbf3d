#pragma once

#include <QByteArray>

#include "support/TempDir.h"

namespace testsupport {

// Keeps what this process writes to standard error while it lives.
class CapturedStandardError {
  public:
    CapturedStandardError();
    ~CapturedStandardError();
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;
    QByteArray text() const;

  private:
    TempDir dir_;
    int saved_;
};

}  // namespace testsupport

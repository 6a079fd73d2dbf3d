#include "platform/system/InstanceLock.h"

#include <QDir>
#include <QLockFile>

namespace sys {

InstanceLock::InstanceLock(const QString& folder) {
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(folder + "/instance.lock");
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire() {
    return lock_->isLocked() || lock_->tryLock(0);
}

void InstanceLock::release() {
    lock_->unlock();
}

}  // namespace sys

#include "window/folderlock.h"

namespace quorvane {

std::unique_ptr<QLockFile> lockAppFolder(const QString& appFolder) {
    auto lock = std::make_unique<QLockFile>(appFolder + QLatin1Char('/') + FolderLockName);
    // A lock whose process is gone is stale whatever its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(200))
        return nullptr;
    return lock;
}

} // namespace quorvane

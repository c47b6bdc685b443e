#include "window/folderlock.h"

#include "window/mainwindow.h"

namespace quorvane {

std::unique_ptr<QLockFile> lockAppFolder(const QString& appFolder) {
    auto lock = std::make_unique<QLockFile>(appFolder + QLatin1Char('/') + FolderLockName);
    // A lock whose process is gone is stale whatever its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(200))
        return nullptr;
    return lock;
}

Session::~Session() = default;

std::unique_ptr<Session> openSession(const QString& appFolder, Platform& platform,
                                     const QString& engine) {
    auto session = std::make_unique<Session>();
    session->lock = lockAppFolder(appFolder);
    if (!session->lock) {
        platform.message(nullptr, FolderInUseMessage);
        return nullptr;
    }
    session->window = std::make_unique<MainWindow>(appFolder, platform, engine);
    session->window->show();
    return session;
}

} // namespace quorvane

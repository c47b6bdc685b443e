#include "window/folderlock.h"

#include "window/mainwindow.h"
#include "window/platform.h"

#include <QDir>

namespace quorvane {

QString folderNotWritableMessage(const QString& appFolder) {
    return QStringLiteral("Impossibile scrivere nella cartella del programma:\n") +
           QDir::toNativeSeparators(appFolder) +
           QStringLiteral("\nQuorvane vi tiene le immagini calcolate e la libreria dei luoghi.");
}

FolderLock lockAppFolder(const QString& appFolder) {
    auto lock = std::make_unique<QLockFile>(appFolder + QLatin1Char('/') + FolderLockName);
    // A lock whose process is gone is stale whatever its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(200))
        return {std::move(lock), {}};
    // Only a lock that another process holds means another Quorvane; any
    // other failure is a folder that cannot take the lock file.
    if (lock->error() == QLockFile::LockFailedError)
        return {nullptr, FolderInUseMessage};
    return {nullptr, folderNotWritableMessage(appFolder)};
}

Session::~Session() = default;

std::unique_ptr<Session> openSession(const QString& appFolder, Platform& platform,
                                     const QString& engine) {
    FolderLock folderLock = lockAppFolder(appFolder);
    if (!folderLock.lock) {
        platform.message(nullptr, folderLock.refusal);
        return nullptr;
    }
    auto session = std::make_unique<Session>();
    session->lock = std::move(folderLock.lock);
    session->window = std::make_unique<MainWindow>(appFolder, platform, engine);
    session->window->show();
    return session;
}

} // namespace quorvane

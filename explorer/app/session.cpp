#include "app/session.h"

#include "app/mainwindow.h"
#include "window/platform.h"

#include "io/exchangefolder.h"

#include <QDir>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace quorvane {

QString folderNotWritableMessage(const QString& appFolder) {
    return QStringLiteral("Impossibile scrivere nella cartella del programma:\n") +
           QDir::toNativeSeparators(appFolder) +
           QStringLiteral("\nQuorvane vi tiene le immagini calcolate e la libreria dei luoghi.");
}

namespace {

// Whether the process that wrote the lock still runs. A lock written on
// another machine (a shared folder) cannot be looked into and counts as held.
bool holderAlive(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app))
        return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#else
    return true;
#endif
}

} // namespace

FolderLock lockAppFolder(const QString& appFolder) {
    auto lock = std::make_unique<QLockFile>(FolderLayout(appFolder).lock());
    // A lock whose process is gone is stale whatever its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(200))
        return {std::move(lock), {}};
    // Only a lock that a living process holds means another Quorvane. A
    // stale lock is refused too when it cannot be replaced (a full disk):
    // that, like any other failure, is a folder that cannot take the lock.
    if (lock->error() == QLockFile::LockFailedError && holderAlive(*lock))
        return {nullptr, FolderInUseMessage};
    return {nullptr, folderNotWritableMessage(appFolder)};
}

Session::~Session() = default;

std::unique_ptr<Session> openSession(const QString& appFolder, Platform& platform,
                                     const QString& engine, const QString& exports) {
    FolderLock folderLock = lockAppFolder(appFolder);
    if (!folderLock.lock) {
        platform.message(nullptr, folderLock.refusal);
        return nullptr;
    }
    // Nothing of an earlier session may feed this one's first run.
    endStrayEngines(appFolder);
    clearExchangeFiles(appFolder);
    auto session = std::make_unique<Session>();
    session->lock = std::move(folderLock.lock);
    session->window = std::make_unique<MainWindow>(appFolder, platform, engine, exports);
    session->window->show();
    return session;
}

} // namespace quorvane

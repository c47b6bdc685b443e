// One Quorvane per application folder: a second one would overwrite the
// first one's exchange files in the middle of its run.
#pragma once

#include "io/folderlayout.h"

#include <QLockFile>
#include <QString>
#include <memory>

namespace quorvane {

inline const QString FolderInUseMessage =
    QStringLiteral("Quorvane è già in esecuzione in questa cartella.\n"
                   "Chiudere l'altra finestra prima di avviarne una nuova.");

// The message for an application folder in which the program cannot write.
QString folderNotWritableMessage(const QString& appFolder);

struct FolderLock {
    std::unique_ptr<QLockFile> lock; // empty when the folder could not be locked
    QString refusal;                 // then: why, for the user
};

// Locks appFolder. A lock left by a program that crashed is taken over; a
// lock held by a running Quorvane and a folder that cannot be written are
// refused, each with its own message.
FolderLock lockAppFolder(const QString& appFolder);

class MainWindow;
class Platform;

// The running program on one application folder: its lock and its window.
struct Session {
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<MainWindow> window;
    ~Session();
};

// Locks appFolder and shows the main window on it, with the engine at engine
// (empty for QuorC in appFolder) and the export folder exports (empty for
// Immagini in appFolder); when the folder cannot be locked, tells the user
// why and returns nothing.
std::unique_ptr<Session> openSession(const QString& appFolder, Platform& platform,
                                     const QString& engine = {}, const QString& exports = {});

} // namespace quorvane

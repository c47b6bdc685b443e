#include "io/folderlayout.h"

#include <QDir>

namespace quorvane {

FolderLayout::FolderLayout(const QString& folder, const QString& exports)
    : appFolder(folder),
      exportFolder(exports.isEmpty() ? QDir(folder).filePath(ExportFolderName) : exports),
      beside(exports.isEmpty()) {}

QString FolderLayout::library() const {
    return QDir(appFolder).filePath(LibraryFolderName);
}

QString FolderLayout::lock() const {
    return QDir(appFolder).filePath(FolderLockName);
}

QStringList FolderLayout::madeAtStart() const {
    return beside ? QStringList{library(), exportFolder} : QStringList{library()};
}

} // namespace quorvane

// The application folder's layout: where the place library, the exported
// pictures, the exchange files and the lock of one application folder are.
// Nothing else spells a path inside it.
#pragma once

#include <QString>
#include <QStringList>

namespace quorvane {

inline const QString LibraryFolderName = QStringLiteral("BeiLuoghi");
inline const QString ExportFolderName = QStringLiteral("Immagini");
inline const QString FolderLockName = QStringLiteral("Quorvane.lock");

class FolderLayout {
  public:
    // exports is where "File" writes pictures: a folder of the user's own
    // (an installed copy's), or, when empty, Immagini in appFolder.
    explicit FolderLayout(const QString& appFolder, const QString& exports = {});

    // The application folder itself, where QuorC runs and the exchange files lie.
    const QString& folder() const { return appFolder; }
    QString library() const;
    const QString& exports() const { return exportFolder; }
    // The exports go to Immagini in the application folder, as a portable
    // copy's do.
    bool exportsBeside() const { return beside; }
    QString lock() const;
    // The folders made at the start when missing: the library, and Immagini
    // when the exports go there; an export folder of its own is made when
    // it is first needed.
    QStringList madeAtStart() const;

  private:
    QString appFolder;
    QString exportFolder;
    bool beside;
};

} // namespace quorvane

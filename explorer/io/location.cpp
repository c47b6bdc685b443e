#include "io/location.h"

#include "io/folderlayout.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvane {

QString engineIn(const QString& folder) {
#ifdef Q_OS_WIN
    return folder + QStringLiteral("/QuorC.exe");
#else
    return folder + QStringLiteral("/QuorC");
#endif
}

QString installedEngineFolder() {
    return QStringLiteral(QUORVANE_ENGINE_FROM_BIN);
}

QString desktopPicturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    // A desktop without a pictures folder names the home folder itself, or
    // one that was never made.
    const QFileInfo info(pictures);
    if (pictures.isEmpty() || !info.isDir() ||
        QDir(pictures).canonicalPath() == QDir(QDir::homePath()).canonicalPath())
        return {};
    return QDir::cleanPath(pictures);
}

Location locate(const QString& programFolder, const QString& userFolder,
                const QString& picturesFolder) {
    auto isProgram = [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    const QString beside = engineIn(programFolder);
    const QString helper =
        engineIn(QDir::cleanPath(programFolder + QLatin1Char('/') + installedEngineFolder()));
    const QString immagini = QLatin1Char('/') + ExportFolderName;
    if (!isProgram(beside) && isProgram(helper))
        return {userFolder, helper, true,
                picturesFolder.isEmpty() ? userFolder + immagini
                                         : picturesFolder + QStringLiteral("/Quorvane")};
    return {programFolder, beside, false, programFolder + immagini};
}

} // namespace quorvane

#include "model/location.h"

#include <QDir>
#include <QFileInfo>

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

Location locate(const QString& programFolder, const QString& userFolder) {
    auto isProgram = [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    const QString beside = engineIn(programFolder);
    const QString helper =
        engineIn(QDir::cleanPath(programFolder + QLatin1Char('/') + installedEngineFolder()));
    if (!isProgram(beside) && isProgram(helper))
        return {userFolder, helper, true};
    return {programFolder, beside, false};
}

} // namespace quorvane

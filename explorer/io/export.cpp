#include "io/export.h"

#include "domain/bmp.h"
#include "exchange.h"
#include "io/savefile.h"

#include <QDir>
#include <QFileInfo>

namespace quorvane {

static_assert(BmpHeaderBytes + bmpRowBytes(quor::DimScreen) * quor::DimScreen == ExportFileBytes);

QString areaExportName(const QString& areaName) {
    return areaName + QStringLiteral(".bmp");
}

QString juliaExportName(int numJulia) {
    return QStringLiteral("Julia") + QString::number(numJulia) + QStringLiteral(".bmp");
}

QString exportPath(const QString& folder, const QString& fileName) {
    return QDir(folder).filePath(fileName);
}

QString proposedAreaFile(const QString& folder, const QString& areaName) {
    return exportPath(folder, areaName + QStringLiteral(".png"));
}

QString proposedJuliaFile(const QString& folder, int numJulia) {
    return exportPath(folder, QStringLiteral("Julia%1.png").arg(numJulia));
}

bool isJuliaFile(const QString& file, const QString& folder, int numJulia) {
    const QFileInfo written(file);
    return written.absoluteDir() == QDir(folder) &&
           written.completeBaseName() == QStringLiteral("Julia%1").arg(numJulia) &&
           (written.suffix() == QStringLiteral("png") || written.suffix() == QStringLiteral("bmp"));
}

namespace {

// The opening that names an export folder in full, on a line of its own.
QString inFolder(const QString& folder) {
    return QStringLiteral("Attenzione: verrà generato nella cartella\n'") +
           QDir::toNativeSeparators(folder) + QStringLiteral("'\n");
}

} // namespace

QString areaExportQuestion(const QString& folder) {
    if (!folder.isEmpty())
        return inFolder(folder) + QStringLiteral("un file tipo 'bmp' da 1.536 KB.\n"
                                                 "\n"
                                                 "Continuare?");
    return QStringLiteral("Attenzione: verrà generato nella subdirectory\n"
                          "'Immagini' un file tipo 'bmp' da 1.536 KB.\n"
                          "\n"
                          "Continuare?");
}

QString juliaExportQuestion(int numJulia, const QString& folder) {
    return (folder.isEmpty()
                ? QStringLiteral("Attenzione: verrà generato nella subdirectory 'Immagini'\n")
                : inFolder(folder)) +
           QStringLiteral("il file ") + juliaExportName(numJulia) +
           QStringLiteral(" da 1.536 KB, cancellando una eventuale\n"
                          "preesistente versione.\n"
                          "\n"
                          "Continuare?");
}

QString exportPicture(const QString& folder, const QString& fileName, const QImage& picture) {
    const QString path = exportPath(folder, fileName);
    const QString failure = QStringLiteral("Impossibile salvare l'immagine:");
    // The name comes from the picture's area name; whatever it holds, the
    // file stays inside the export folder.
    const bool plainName = !fileName.isEmpty() && !fileName.contains(QLatin1Char('/')) &&
                           !fileName.contains(QLatin1Char('\\')) &&
                           fileName != QStringLiteral(".") && fileName != QStringLiteral("..");
    if (!plainName)
        return failure + QLatin1Char('\n') + QDir::toNativeSeparators(path);
    // The folder is made when it is first needed (or was removed since).
    QDir().mkpath(folder);
    return saveFile(path, bmpBytes(picture), failure);
}

} // namespace quorvane

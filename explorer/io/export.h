// Exported pictures: "File" in the library frame saves the picture shown as
// Immagini/<area name>.bmp, "File" in the Julia frame as Immagini/Julia<n>.bmp,
// each a full-size 24-bit bitmap.
#pragma once

#include <QImage>
#include <QString>

namespace quorvane {

// The "1.536 KB" of the questions: header and 724 rows of 2172 bytes.
constexpr qint64 ExportFileBytes = 1572582;

// "<area name>.bmp" and "Julia<numJulia>.bmp".
QString areaExportName(const QString& areaName);
QString juliaExportName(int numJulia);

// folder/fileName.
QString exportPath(const QString& folder, const QString& fileName);

// The files "Esporta…" proposes in the export folder: the area name, or
// "Julia" and the number "File" would give next, as PNG.
QString proposedAreaFile(const QString& folder, const QString& areaName);
QString proposedJuliaFile(const QString& folder, int numJulia);
// file is the Julia file numJulia of folder, as PNG or BMP: the one "File"
// writes next.
bool isJuliaFile(const QString& file, const QString& folder, int numJulia);

// The Yes/No questions asked before each export. Without a folder they name
// the subdirectory Immagini beside the programs, where a portable copy
// exports; an installed copy names its export folder in full.
QString areaExportQuestion(const QString& folder = {});
QString juliaExportQuestion(int numJulia, const QString& folder = {});

// Writes the picture as an uncompressed 24-bit bitmap to folder/fileName
// (the export folder), replacing a file of that name only once the new one
// is whole. fileName must be a plain file name. Returns an Italian message
// naming the file on failure (nothing is left behind then), empty on success.
QString exportPicture(const QString& folder, const QString& fileName, const QImage& picture);

} // namespace quorvane

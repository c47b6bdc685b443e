#include "library/pictureexport.h"

#include "model/export.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/viewcore.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

PictureExport::PictureExport(const Controls& controls, const ViewCore& viewCore, Platform& services,
                             const QString& appFolder)
    : ui(controls), core(viewCore), platform(services), folder(appFolder) {}

bool PictureExport::pictureExported() const {
    return exportedGeneration == core.pictureGeneration();
}

bool PictureExport::exportAs(const QString& question, const QString& fileName) {
    if (!platform.question(ui.window, question))
        return false;
    // The picture's own pixels: the overlays above it are not part of it.
    if (const QString failure = exportPicture(folder, fileName, ui.sfondo->image());
        !failure.isEmpty()) {
        platform.message(ui.window, failure);
        return false;
    }
    return true;
}

void PictureExport::SalvaFile_Click() {
    if (!exportAs(areaExportQuestion(), areaExportName(ui.RiquadroCorrente->text())))
        return;
    exportedGeneration = core.pictureGeneration();
    ui.SalvaFile->setEnabled(false);
}

void PictureExport::SalvaJulia_Click() {
    if (!exportAs(juliaExportQuestion(numJulia), juliaExportName(numJulia)))
        return;
    ui.SalvaJulia->setEnabled(false);
    ++numJulia;
}

} // namespace quorvane

#include "window/library/exportpanel.h"

#include "io/export.h"
#include "model/explorer.h"
#include "window/library/exportdialog.h"
#include "window/platform.h"

#include <QDir>
#include <QPushButton>

namespace quorvane {

ExportPanel::ExportPanel(Explorer& explorer, const ExportControls& controls, Platform& services,
                         QWidget* parent, PictureExport& exports, const QString& namedFolder)
    : model(explorer), ui(controls), platform(services), window(parent), exporter(exports),
      questionFolder(namedFolder) {
    connect(ui.SalvaFile, &QPushButton::clicked, this, &ExportPanel::SalvaFile_Click);
    connect(ui.SalvaJulia, &QPushButton::clicked, this, &ExportPanel::SalvaJulia_Click);
    connect(ui.Esporta, &QPushButton::clicked, this, &ExportPanel::Esporta_Click);
    connect(&model, &Explorer::changed, this, &ExportPanel::render);
    render();
}

// The buttons name the folder they write into in full.
void ExportPanel::render() {
    if (model.library().exportsTo() == folderShown)
        return;
    folderShown = model.library().exportsTo();
    const QString folder = QDir::toNativeSeparators(folderShown);
    ui.SalvaFile->setToolTip(
        QStringLiteral("Salva l'immagine mostrata come file BMP di 724 × 724 punti, con il nome "
                       "dell'area, nella cartella %1")
            .arg(folder));
    ui.SalvaJulia->setToolTip(
        QStringLiteral("Salva l'immagine di Julia come file BMP numerato (Julia0.bmp, "
                       "Julia1.bmp, …) nella cartella %1")
            .arg(folder));
}

void ExportPanel::SalvaFile_Click() {
    if (platform.question(window, areaExportQuestion(questionFolder)))
        model.exportArea();
}

void ExportPanel::SalvaJulia_Click() {
    if (platform.question(window,
                          juliaExportQuestion(model.julia().filesExported(), questionFolder)))
        model.exportJulia();
}

// The dialog is modal to the window, so the picture it was opened for stays
// on the screen until it closes; it is opened without an event loop of its own.
void ExportPanel::Esporta_Click() {
    const auto request = model.exportRequest();
    if (!request)
        return;
    if (!exportDialog)
        exportDialog = new ExportDialog(platform, exporter, window);
    exportDialog->prepare(request->job, *request->palette, request->file);
    exportDialog->open();
}

} // namespace quorvane

#include "window/library/exportpanel.h"

#include "io/export.h"
#include "model/explorer.h"
#include "window/platform.h"

#include <QDir>
#include <QPushButton>

namespace quorvane {

ExportPanel::ExportPanel(Explorer& explorer, const ExportControls& controls, Platform& services,
                         QWidget* parent, const QString& namedFolder)
    : model(explorer), ui(controls), platform(services), window(parent),
      questionFolder(namedFolder) {
    connect(ui.SalvaFile, &QPushButton::clicked, this, &ExportPanel::SalvaFile_Click);
    connect(ui.SalvaJulia, &QPushButton::clicked, this, &ExportPanel::SalvaJulia_Click);
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

} // namespace quorvane

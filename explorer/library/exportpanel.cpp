#include "library/exportpanel.h"

#include "model/explorer.h"
#include "model/export.h"
#include "window/platform.h"

#include <QPushButton>

namespace quorvane {

ExportPanel::ExportPanel(Explorer& explorer, const ExportControls& controls, Platform& services,
                         QWidget* parent)
    : model(explorer), ui(controls), platform(services), window(parent) {
    connect(ui.SalvaFile, &QPushButton::clicked, this, &ExportPanel::SalvaFile_Click);
    connect(ui.SalvaJulia, &QPushButton::clicked, this, &ExportPanel::SalvaJulia_Click);
}

void ExportPanel::SalvaFile_Click() {
    if (platform.question(window, areaExportQuestion()))
        model.exportArea();
}

void ExportPanel::SalvaJulia_Click() {
    if (platform.question(window, juliaExportQuestion(model.numJulia())))
        model.exportJulia();
}

} // namespace quorvane

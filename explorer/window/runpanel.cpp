#include "window/runpanel.h"

#include "model/explorer.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace quorvane {

RunPanel::RunPanel(Explorer& explorer, const RunControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.View, &QPushButton::clicked, this, &RunPanel::View_Click);
    connect(ui.Ferma, &QPushButton::clicked, this, &RunPanel::Ferma_Click);
    connect(ui.AutoColor, &QCheckBox::clicked, this, &RunPanel::AutoColor_Click);
    connect(&model, &Explorer::changed, this, &RunPanel::render);
    connect(&model.runner(), &Runner::progressed, this, &RunPanel::showProgress);
    render();
    showProgress();
}

void RunPanel::View_Click() {
    model.runView();
}

void RunPanel::Ferma_Click() {
    model.stopWork();
}

void RunPanel::AutoColor_Click() {
    model.setAutomatic(ui.AutoColor->isChecked());
}

void RunPanel::render() {
    ui.AutoColor->setChecked(model.colouring().automatic());
}

void RunPanel::showProgress() {
    const auto column = model.runner().progress();
    if (!column) {
        ui.Cicli->setText(QStringLiteral("0%"));
        ui.Progress->setValue(0);
        return;
    }
    const unsigned percent = *column * 100 / PictureSteps;
    ui.Cicli->setText(QStringLiteral(" %1%").arg(percent));
    // The bar refuses more than 100 and keeps what it had.
    if (percent <= 100)
        ui.Progress->setValue(int(percent));
}

} // namespace quorvane

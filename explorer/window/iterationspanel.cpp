#include "window/iterationspanel.h"

#include "model/explorer.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

IterationsPanel::IterationsPanel(Explorer& explorer, const IterationControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.IterazOK, &QPushButton::clicked, this, &IterationsPanel::IterazOK_Click);
    connect(ui.Istogramma, &QPushButton::clicked, this, &IterationsPanel::Istogramma_Click);
    // Enter in "Impostate" is ">>".
    connect(ui.Iterazioni[1], &QLineEdit::returnPressed, this, [this] {
        if (ui.IterazOK->isEnabled())
            IterazOK_Click();
    });
    connect(&model, &Explorer::changed, this, &IterationsPanel::render);
    render();
}

void IterationsPanel::IterazOK_Click() {
    // The box shows the limit taken, also when the typed text gave the same.
    limitShown = -1;
    model.setIterations(ui.Iterazioni[1]->text());
}

void IterationsPanel::Istogramma_Click() {
    ui.Istogramma->setCursor(Qt::WaitCursor);
    model.toggleChart();
    ui.Istogramma->unsetCursor();
}

void IterationsPanel::render() {
    ui.Iterazioni[0]->setText(QString::number(model.effectiveLimit()));
    // "Impostate" is the user's to type in: it changes only with the limit.
    if (model.iterMax() != limitShown) {
        limitShown = model.iterMax();
        ui.Iterazioni[1]->setText(QString::number(limitShown));
    }
    ui.Istogramma->setText(model.mode() == MainMode::Chart ? QStringLiteral("Esci")
                                                           : QStringLiteral("Istogramma"));
    ui.Istogramma->setAccessibleName(model.mode() == MainMode::Chart
                                         ? QStringLiteral("Esci dall'istogramma")
                                         : QStringLiteral("Istogramma"));
}

} // namespace quorvane

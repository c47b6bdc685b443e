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
    connect(&model.colouring(), &Colouring::limitSet, this, &IterationsPanel::showLimit);
    render();
    showLimit();
}

void IterationsPanel::IterazOK_Click() {
    model.setIterations(ui.Iterazioni[1]->text());
}

void IterationsPanel::Istogramma_Click() {
    ui.Istogramma->setCursor(Qt::WaitCursor);
    model.toggleChart();
    ui.Istogramma->unsetCursor();
}

// The limit of the picture shown: in Julia mode of the Julia picture; on a
// screen without a picture, of the next run.
int IterationsPanel::effectiveLimit() const {
    const Picture* shown = &model.history().current();
    if (model.mode() == MainMode::Julia)
        shown = model.julia().state().picture ? &*model.julia().state().picture : nullptr;
    return shown && shown->computed() ? shown->iterations : model.colouring().iterMax();
}

void IterationsPanel::render() {
    ui.Iterazioni[0]->setText(QString::number(effectiveLimit()));
    ui.Istogramma->setText(model.mode() == MainMode::Chart ? QStringLiteral("Esci")
                                                           : QStringLiteral("Istogramma"));
    ui.Istogramma->setAccessibleName(model.mode() == MainMode::Chart
                                         ? QStringLiteral("Esci dall'istogramma")
                                         : QStringLiteral("Istogramma"));
}

// "Impostate" is the user's to type in: it is written only when the limit is
// set, which also undoes a text typed and not confirmed.
void IterationsPanel::showLimit() {
    ui.Iterazioni[1]->setText(QString::number(model.colouring().iterMax()));
}

} // namespace quorvane

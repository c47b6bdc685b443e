#include "navigation/gridpanel.h"

#include "model/explorer.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

GridPanel::GridPanel(Explorer& explorer, const GridControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.Griglia, &QPushButton::clicked, this, &GridPanel::Griglia_Click);
    for (int i = 0; i < 25; ++i)
        connect(ui.Lettere[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { Lettere_Click(i); });
    for (int i = 0; i < 5; ++i)
        connect(ui.Mezzo[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { Mezzo_Click(i); });
    connect(ui.MenoUna, &QPushButton::clicked, this, &GridPanel::MenoUna_Click);
    connect(ui.Copia, &QPushButton::clicked, this, &GridPanel::Copia_Click);
    connect(&model, &Explorer::changed, this, &GridPanel::render);
    render();
}

void GridPanel::Griglia_Click() {
    model.toggleGrid();
}

void GridPanel::Lettere_Click(int index) {
    model.chooseLetter(index);
}

void GridPanel::Mezzo_Click(int index) {
    model.moveGrid(index);
}

void GridPanel::MenoUna_Click() {
    model.cutOne();
}

void GridPanel::Copia_Click() {
    model.confirmSelection();
}

void GridPanel::render() {
    ui.Griglia->setText(model.gridOn() ? QStringLiteral("OFF") : QStringLiteral("ON"));
    ui.Riquadro->setText(model.fragment());
}

} // namespace quorvane

#include "window/library/librarypanel.h"

#include "model/explorer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

LibraryPanel::LibraryPanel(Explorer& explorer, const LibraryControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.Salva, &QPushButton::clicked, this, &LibraryPanel::Salva_Click);
    connect(ui.Carica, &QPushButton::clicked, this, &LibraryPanel::Carica_Click);
    connect(ui.Elimina, &QPushButton::clicked, this, &LibraryPanel::Elimina_Click);
    for (int i = 0; i < 2; ++i)
        connect(ui.SelSave[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { SelSave_Click(i); });
    connect(&model, &Explorer::changed, this, &LibraryPanel::render);
    render();
}

void LibraryPanel::Salva_Click() {
    ui.Salva->setCursor(Qt::WaitCursor);
    model.savePlace();
    ui.Salva->unsetCursor();
}

void LibraryPanel::SelSave_Click(int index) {
    model.stepPlace(index);
}

void LibraryPanel::Carica_Click() {
    model.activatePlace();
}

void LibraryPanel::Elimina_Click() {
    model.deletePlace();
}

void LibraryPanel::render() {
    const auto place = model.library().places().chosenPlace();
    showText(ui.SaveName, place ? place->name : QString());
    if (model.library().chosenThumbnail().cacheKey() != thumbnailShown) {
        thumbnailShown = model.library().chosenThumbnail().cacheKey();
        ui.SaveIcona->setPixmap(QPixmap::fromImage(model.library().chosenThumbnail()));
    }
}

} // namespace quorvane

// The lettered grid: switching it on and off, the letters, the shift cross,
// "-1" and the confirmation with "OK".
#include "model/explorer.h"

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");
} // namespace

void Explorer::toggleGrid() {
    if (!commands().Griglia)
        return;
    if (mainMode == MainMode::Grid) {
        // Cancelling leaves a selection confirmed earlier pending as it was,
        // its zoom step included.
        mainMode = MainMode::Ready;
    } else if (mainMode == MainMode::Ready) {
        mainMode = MainMode::Grid;
        where.startSelection();
    }
    announce();
}

void Explorer::refuseZoom() {
    beepOwed = true;
    tell(MaxResolution);
    announce();
}

void Explorer::chooseLetter(int index) {
    if (!commands().Lettere[std::size_t(index)])
        return;
    if (!where.chooseLetter(index))
        return refuseZoom();
    announce();
}

void Explorer::moveGrid(int index) {
    if (!commands().Mezzo[std::size_t(index)])
        return;
    where.moveGrid(index);
    announce();
}

void Explorer::cutOne() {
    if (!commands().MenoUna)
        return;
    where.cutOne();
    announce();
}

void Explorer::confirmSelection() {
    if (!commands().Copia)
        return;
    switch (where.confirmation()) {
    case Confirmation::StartOver:
        return showStartView();
    case Confirmation::GoBack:
        // The shortened name and its limits are described at once, over a
        // blank screen until View computes them. The picture computed
        // before stays among the recent ones.
        mainMode = MainMode::Ready;
        where.goBack();
        pictures.push();
        showBlank();
        break;
    case Confirmation::NeedSelection:
        tell(NoSquareChosen);
        break;
    case Confirmation::Select:
        if (!where.select(pictures.current().image)) {
            tell(NoSquareChosen);
            break;
        }
        colours.viewChosen();
        mainMode = MainMode::Ready;
        break;
    }
    announce();
}

} // namespace quorvane

// The lettered grid: switching it on and off, the letters, the shift cross,
// "-1" and the confirmation with "OK".
#include "model/explorer.h"

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");
} // namespace

// Cancelling leaves a selection confirmed earlier pending as it was, its
// zoom step included.
void Explorer::toggleGrid() {
    offer(commands().Griglia, [&] {
        if (mainMode == MainMode::Ready)
            where.startSelection();
        mainMode = mainMode == MainMode::Grid ? MainMode::Ready : MainMode::Grid;
    });
}

void Explorer::refuseZoom() {
    beepOwed = true;
    notices << MaxResolution;
}

void Explorer::chooseLetter(int index) {
    offer(commands().Lettere[std::size_t(index)], [&] {
        if (!where.chooseLetter(index))
            refuseZoom();
    });
}

void Explorer::moveGrid(int index) {
    offer(commands().Mezzo[std::size_t(index)], [&] { where.moveGrid(index); });
}

void Explorer::cutOne() {
    offer(commands().MenoUna, [&] { where.cutOne(); });
}

// "OK": back to the start view; or the shortened name of "-1" described at
// once, over a blank screen until View computes it, the picture computed
// before kept among the recent ones; or the square chosen prepared.
void Explorer::confirmSelection() {
    if (!commands().Copia)
        return;
    switch (where.confirmation()) {
    case Confirmation::StartOver:
        return showStartView();
    case Confirmation::GoBack:
        mainMode = MainMode::Ready;
        where.goBack();
        pictures.push();
        showBlank();
        break;
    case Confirmation::Select:
        if (where.select(pictures.current().image)) {
            colours.viewChosen();
            mainMode = MainMode::Ready;
            break;
        }
        [[fallthrough]];
    case Confirmation::NeedSelection:
        notices << NoSquareChosen;
        break;
    }
    announce();
}

} // namespace quorvane

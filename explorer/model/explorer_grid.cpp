// The lettered grid: switching it on and off, the letters, the shift cross,
// "-1" and the confirmation with "OK".
#include "model/explorer.h"

#include "domain/areaname.h"
#include "domain/thumbnails.h"

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");
} // namespace

QString Explorer::fragment() const {
    return mainMode == MainMode::Grid ? grid.fragment : next.fragment;
}

void Explorer::toggleGrid() {
    if (!commands().Griglia)
        return;
    if (mainMode == MainMode::Grid) {
        // Cancelling leaves a selection confirmed earlier pending as it was,
        // its zoom step included.
        mainMode = MainMode::Ready;
    } else if (mainMode == MainMode::Ready) {
        mainMode = MainMode::Grid;
        grid = startSelection(shown.name);
    }
    update();
}

void Explorer::refuseZoom() {
    emit beep();
    emit notice(MaxResolution);
}

void Explorer::chooseLetter(int index) {
    if (!commands().Lettere[std::size_t(index)])
        return;
    const auto chosen = withLetter(grid, index, shown.limits, shown.name);
    if (!chosen) {
        refuseZoom();
        return;
    }
    grid = *chosen;
    update();
}

void Explorer::moveGrid(int index) {
    if (!commands().Mezzo[std::size_t(index)])
        return;
    grid = shifted(grid, index, shown.name);
    update();
}

void Explorer::cutOne() {
    if (!commands().MenoUna)
        return;
    grid = cutOneMore(grid, shown.name);
    update();
}

void Explorer::confirmSelection() {
    if (!commands().Copia)
        return;
    switch (classifyConfirmation(grid)) {
    case Confirmation::StartOver:
        showStartView();
        return;
    case Confirmation::GoBack:
        goBack();
        return;
    case Confirmation::NeedSelection:
        emit notice(NoSquareChosen);
        return;
    case Confirmation::Select:
        selectSquare();
        return;
    }
}

// "-1" confirmed: the shortened name and its limits are described at once,
// over a blank screen until View computes them. The picture computed before
// stays among the recent ones.
void Explorer::goBack() {
    const QString shorter = shortenedName(shown.name, grid.cut);
    mainMode = MainMode::Ready;
    describe(shorter);
    next = PendingView::described(shown.limits, blankIcon, Origin::GoingBack);
    pushMain();
    main = Picture{black, 0, shown.name, limit};
    update();
}

void Explorer::selectSquare() {
    const ChosenSquare square = chosenSquare(grid.first, grid.second, grid.shift);
    next = PendingView{};
    next.fragment = grid.fragment;
    next.limits = nextRunLimits(shown.limits, grid.first, grid.second, grid.shift);
    next.step = square.subCell() ? ZoomStep::TwoLetters : ZoomStep::OneLetter;
    next.thumbnail = sampleThumbnail(main.image, square);
    next.origin = Origin::Selection;
    // The frame of the chosen square stays on the picture until the run.
    next.frame = QRect(square.x0 - 1, square.y0 - 1, square.size + 2, square.size + 2);
    next.subCell = square.subCell();
    paletteCurrent = false;
    mainMode = MainMode::Ready;
    update();
}

} // namespace quorvane

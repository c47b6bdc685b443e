#include "navigation/gridselection.h"

#include "library/recentpictures.h"
#include "model/selection.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/tags.h"
#include "window/viewcore.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");
} // namespace

GridSelection::GridSelection(const Controls& controls, ViewCore& viewCore,
                             RecentPictures& recentPictures, Platform& services)
    : ui(controls), core(viewCore), recent(recentPictures), platform(services) {
    setTag(ui.Griglia, False);
    setTag(ui.MenoUna, QStringLiteral("0"));
}

void GridSelection::reset() {
    primaLettera = 0;
    secondaLettera = 0;
}

void GridSelection::DisegnaGriglia(bool twoLetter) {
    ui.sfondo->showGrid(layoutGrid(shifts, twoLetter, primaLettera));
}

void GridSelection::Nascondi(int code) {
    if (code >= 0 && code <= 3)
        ui.sfondo->hideOverlays(OverlayGroup(code));
}

void GridSelection::Griglia_Click() {
    core.Blocca();
    ui.sfondo->setPicture(recent.Deposito(0));
    if (ui.Griglia->text() == QStringLiteral("ON")) {
        ui.Griglia->setText(QStringLiteral("OFF"));
        riquadroSalvato = ui.Riquadro->text();
        ui.Riquadro->setText(QStringLiteral("Z"));
        shifts = GridShift{};
        DisegnaGriglia(false);
        secondaLettera = NoLetterYet;
        // The grid's own commands: everything else stays disabled until the
        // grid is closed.
        for (auto* letter : ui.Lettere)
            letter->setEnabled(true);
        ui.MenoUna->setEnabled(menoUnaAvailable(ui.RiquadroCorrente->text()));
        setTag(ui.MenoUna, QStringLiteral("0"));
        for (auto* m : ui.Mezzo)
            m->setEnabled(true);
        ui.Copia->setEnabled(true);
        ui.Griglia->setEnabled(true);
        return;
    }
    // Cancelling leaves a selection confirmed earlier pending as it was,
    // its zoom factor (TipoScelta) included.
    closeGrid();
    ui.Riquadro->setText(riquadroSalvato);
    ui.sfondo->hideFrame(Frame::Cell);
    ui.sfondo->hideFrame(Frame::SubCell);
    core.Sblocca();
}

void GridSelection::closeGrid() {
    ui.Griglia->setText(QStringLiteral("ON"));
    setTag(ui.Griglia, False);
    Nascondi(0);
    Nascondi(1);
    Nascondi(3);
}

void GridSelection::Lettere_Click(int index) {
    const bool fine = tagIsTrue(ui.Griglia);
    // A name has at most MaxAreaNameLength letters: past that the user cannot
    // zoom further here, as at the limit of double precision.
    const QString fragment = fine ? withSecondLetter(ui.Riquadro->text(), index)
                                  : withFirstLetter(ui.Riquadro->text(), index);
    if (maxResolutionReached(core.shown(), fine) ||
        nameAfterRun(ui.RiquadroCorrente->text(), fragment).size() > MaxAreaNameLength) {
        platform.beep();
        platform.message(ui.window, MaxResolution);
        return;
    }
    ui.MenoUna->setEnabled(false);
    ui.Riquadro->setText(fragment);
    if (fine) {
        secondaLettera = index;
        for (auto* letter : ui.Lettere)
            letter->setEnabled(false);
        for (auto* m : ui.Mezzo)
            m->setEnabled(false);
        ui.sfondo->hideSubCellLetter(secondaLettera);
        ui.sfondo->setFrame(Frame::SubCell, {subCellFrameRect(primaLettera, secondaLettera, shifts),
                                             Qt::blue, true});
        ui.sfondo->hideFrame(Frame::Cell);
        return;
    }
    primaLettera = index;
    DisegnaGriglia(true);
    secondaLettera = FirstLetterOnly;
    for (auto* m : ui.Mezzo)
        m->setEnabled(true);
    setTag(ui.Griglia, True);
}

void GridSelection::Mezzo_Click(int index) {
    const bool fine = tagIsTrue(ui.Griglia);
    int& x = fine ? shifts.affinaX : shifts.spostaX;
    int& y = fine ? shifts.affinaY : shifts.spostaY;
    const MezzoMove move = mezzoMove(index, x, y);
    x = move.x;
    y = move.y;
    for (std::size_t i = 0; i < 5; ++i)
        if (move.enable[i])
            ui.Mezzo[i]->setEnabled(*move.enable[i]);
    if (fine) {
        ui.Riquadro->setText(fineStageText(primaLettera, shifts));
    } else {
        const CoarseStageText text = coarseStageText(shifts, ui.RiquadroCorrente->text());
        ui.Riquadro->setText(text.riquadro);
        ui.MenoUna->setEnabled(text.menoUnaEnabled);
        if (text.resetMenoUnaTag)
            setTag(ui.MenoUna, QStringLiteral("0"));
    }
    DisegnaGriglia(fine);
}

void GridSelection::MenoUna_Click() {
    for (auto* letter : ui.Lettere)
        letter->setEnabled(false);
    for (auto* m : ui.Mezzo)
        m->setEnabled(false);
    const MenoUnaStep step = menoUnaStep(ui.RiquadroCorrente->text(), tagOf(ui.MenoUna).toInt());
    setTag(ui.MenoUna, QString::number(step.tag));
    ui.Riquadro->setText(step.riquadro);
    if (step.disableMenoUna)
        ui.MenoUna->setEnabled(false);
}

void GridSelection::Copia_Click() {
    const int cut = tagOf(ui.MenoUna).toInt();
    switch (classifyConfirmation(ui.Riquadro->text(), cut, secondaLettera)) {
    case Confirmation::StartOver:
        ui.Griglia->setText(QStringLiteral("ON"));
        Nascondi(0);
        Nascondi(3);
        emit startOver();
        return;
    case Confirmation::GoBack:
        goBack(cut);
        return;
    case Confirmation::NeedSelection:
        platform.message(ui.window, NoSquareChosen);
        return;
    case Confirmation::Select:
        confirmSelection();
        return;
    }
}

void GridSelection::goBack(int cut) {
    const QString shorter = shortenedName(ui.RiquadroCorrente->text(), cut);
    ui.RiquadroCorrente->setText(shorter);
    core.CalcolaLimiti(shorter);
    core.dropPending();
    closeGrid();
    ui.Riquadro->clear();
    // There is no picture of the shortened view until it is computed.
    core.showBlank();
    recent.setCurrent(core.Black(), QString());
    core.Sblocca();
}

void GridSelection::confirmSelection() {
    core.Blocca();
    closeGrid();
    const ChosenSquare square = chosenSquare(primaLettera, secondaLettera, shifts);
    core.prepareNext(nextRunLimits(core.shown(), primaLettera, secondaLettera, shifts),
                     square.tipoScelta, sampleThumbnail(ui.sfondo->image(), square));
    // The live frames become the red frames of the pending selection.
    for (const auto [live, selected] : {std::pair{Frame::Cell, Frame::SelectedCell},
                                        std::pair{Frame::SubCell, Frame::SelectedSubCell}}) {
        FrameOverlay pending = ui.sfondo->frame(live);
        pending.colour = Qt::red;
        ui.sfondo->setFrame(selected, pending);
        ui.sfondo->hideFrame(live);
    }
    core.paletteOutOfDate();
    core.Sblocca();
}

} // namespace quorvane

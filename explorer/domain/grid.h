// The lettered 5 x 5 grid over the picture: its shifts, the positions of its
// overlays, the selection fragment it builds and the "-1" walk back.
#pragma once

#include "domain/cells.h"
#include "domain/limits.h"
#include "domain/overlays.h"

#include <QChar>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

namespace quorvane {

// The coarse (`SpostaX`, `SpostaY`) and fine (`AffinaX`, `AffinaY`) shift
// positions, each 0..4.
struct GridShift {
    int spostaX = ShiftCentre;
    int spostaY = ShiftCentre;
    int affinaX = ShiftCentre;
    int affinaY = ShiftCentre;
    bool operator==(const GridShift&) const = default;
};

// Drawn offset of the grid in whole picture pixels.
QPoint gridOffset(const GridShift& shift);

// The grid drawn by `DisegnaGriglia`: with twoLetter the sub-grid of
// primaLettera is laid out too.
GridLayout layoutGrid(const GridShift& shift, bool twoLetter, int primaLettera);

// The frame around the second chosen sub-cell, 30 x 30 px.
QRect subCellFrameRect(int primaLettera, int secondaLettera, const GridShift& shift);

QChar cellLetter(int index);     // "A".."Y"
QChar shiftLetter(int x, int y); // "a".."y" for shift position (x, y)

// Selection fragment in the fine stage: [coarse shift] first [fine shift].
QString fineStageText(int primaLettera, const GridShift& shift);

struct CoarseStageText {
    QString riquadro;    // "Z" when centred, else the one shift letter
    bool menoUnaEnabled; // "-1" usable: centred and a current name over 2 letters
    bool operator==(const CoarseStageText&) const = default;
};
CoarseStageText coarseStageText(const GridShift& shift, const QString& riquadroCorrente);

// `Riquadro` after a letter: "Z" means nothing chosen, so it is dropped.
QString withFirstLetter(const QString& riquadro, int primaLettera);
QString withSecondLetter(const QString& riquadro, int secondaLettera);

// One press of `Mezzo`(index) on the shift position (x, y) of the stage:
// right, down, left, up, or back to the centre, never past 0..4.
struct MezzoMove {
    int x = ShiftCentre;
    int y = ShiftCentre;
    bool operator==(const MezzoMove&) const = default;
};
MezzoMove mezzoMove(int index, int x, int y);

// "-1" is offered only for names it can shorten.
bool menoUnaAvailable(const QString& riquadroCorrente);

// One press of "-1" when n letters are marked: the next group of the
// current name is marked for removal.
struct MenoUnaStep {
    int tag = 0;      // letters to cut
    QString riquadro; // "-" and those letters
    bool disableMenoUna = false;
    bool operator==(const MenoUnaStep&) const = default;
};
MenoUnaStep menoUnaStep(const QString& riquadroCorrente, int n);

} // namespace quorvane

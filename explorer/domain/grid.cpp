#include "domain/grid.h"

#include <algorithm>

namespace quorvane {

QPoint gridOffset(const GridShift& shift) {
    return {Spostamenti[1][shift.spostaX] + Spostamenti[2][shift.affinaX],
            Spostamenti[1][shift.spostaY] + Spostamenti[2][shift.affinaY]};
}

GridLayout layoutGrid(const GridShift& shift, bool twoLetter, int primaLettera) {
    const QPoint off = gridOffset(shift);
    const int offX = off.x(), offY = off.y();

    GridLayout layout;
    for (int i = 0; i < 12; ++i) {
        if (i < 6) {
            const int x = CellPitch * i - 1 + offX;
            layout.lines[i] = QLine(x, offY - 1, x, offY + 725);
        } else {
            const int y = CellPitch * (i - 6) - 1 + offY;
            layout.lines[i] = QLine(offX, y, offX + 724, y);
        }
    }
    if (!twoLetter)
        return layout;

    const int col = primaLettera % 5, row = primaLettera / 5;
    const int cellX = offX + CellPitch * col, cellY = offY + CellPitch * row;
    SubGridLayout sub;
    sub.hiddenCellLetter = primaLettera;
    for (int j = 0; j < 4; ++j) {
        const int y = cellY + SubCellPitch * (j + 1) - 1;
        sub.lines[j] = QLine(cellX, y, cellX + 144, y);
    }
    for (int j = 4; j < 8; ++j) {
        const int x = cellX + SubCellPitch * (j - 3) - 1;
        sub.lines[j] = QLine(x, cellY, x, cellY + 144);
    }
    for (int k = 0; k < 25; ++k)
        sub.letters[k] =
            QRect(cellX + 10 + SubCellPitch * (k % 5), cellY + 9 + SubCellPitch * (k / 5), 8, 10);
    sub.frame = QRect(cellX - 1, cellY - 1, 146, 146);
    layout.subGrid = sub;
    return layout;
}

QRect subCellFrameRect(int primaLettera, int secondaLettera, const GridShift& shift) {
    const int left = CellPitch * (primaLettera % 5) + SubCellPitch * (secondaLettera % 5) +
                     Spostamenti[1][shift.spostaX] + Spostamenti[2][shift.affinaX] - 1;
    const int top = CellPitch * (primaLettera / 5) + SubCellPitch * (secondaLettera / 5) +
                    Spostamenti[1][shift.spostaY] + Spostamenti[2][shift.affinaY] - 1;
    return QRect(left, top, 30, 30);
}

QChar cellLetter(int index) {
    return QChar(char16_t(65 + index));
}

QChar shiftLetter(int x, int y) {
    return QChar(char16_t(97 + x + 5 * y));
}

QString fineStageText(int primaLettera, const GridShift& shift) {
    QString text(cellLetter(primaLettera));
    // A centred shift moves nothing, so its letter would only lengthen the name.
    if (shift.spostaX != ShiftCentre || shift.spostaY != ShiftCentre)
        text.prepend(shiftLetter(shift.spostaX, shift.spostaY));
    if (shift.affinaX != ShiftCentre || shift.affinaY != ShiftCentre)
        text.append(shiftLetter(shift.affinaX, shift.affinaY));
    return text;
}

CoarseStageText coarseStageText(const GridShift& shift, const QString& riquadroCorrente) {
    if (shift.spostaX == ShiftCentre && shift.spostaY == ShiftCentre)
        return {QStringLiteral("Z"), menoUnaAvailable(riquadroCorrente)};
    // Going back would cut letters from a name that the shift no longer extends.
    return {QString(shiftLetter(shift.spostaX, shift.spostaY)), false};
}

QString withFirstLetter(const QString& riquadro, int primaLettera) {
    const QString head = riquadro == QLatin1String("Z") ? QString() : riquadro;
    return head + cellLetter(primaLettera);
}

QString withSecondLetter(const QString& riquadro, int secondaLettera) {
    return riquadro + cellLetter(secondaLettera);
}

MezzoMove mezzoMove(int index, int x, int y) {
    MezzoMove move{x, y};
    switch (index) {
    case 0:
        ++move.x;
        break;
    case 1:
        ++move.y;
        break;
    case 2:
        --move.x;
        break;
    case 3:
        --move.y;
        break;
    case 4:
        move = {ShiftCentre, ShiftCentre};
        break;
    default:
        break;
    }
    // Each button is offered only short of its end; the clamp guards the
    // shift table against a press that slipped through.
    move.x = std::clamp(move.x, 0, 4);
    move.y = std::clamp(move.y, 0, 4);
    return move;
}

bool menoUnaAvailable(const QString& riquadroCorrente) {
    return riquadroCorrente.size() > 2;
}

MenoUnaStep menoUnaStep(const QString& riquadroCorrente, int n) {
    const int length = int(riquadroCorrente.size());
    // p counts from 1: the character before the last one that would remain.
    int p = length - n - 1;
    MenoUnaStep step;
    const bool shiftBefore =
        p >= 1 && p <= length && riquadroCorrente[p - 1] >= u'a' && riquadroCorrente[p - 1] <= u'y';
    if (shiftBefore) {
        // A shift letter belongs to the zoom letter after it: both go together.
        step.tag = n + 2;
        p = p - 1;
    } else {
        step.tag = n + 1;
    }
    step.riquadro = QLatin1Char('-') + riquadroCorrente.right(step.tag);
    step.disableMenoUna = p <= 2;
    return step;
}

} // namespace quorvane

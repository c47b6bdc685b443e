#include "domain/selection.h"

namespace quorvane {

GridSelection startSelection(const QString& currentName) {
    GridSelection s;
    s.menoUna = menoUnaAvailable(currentName);
    return s;
}

std::optional<GridSelection> withLetter(const GridSelection& s, int index,
                                        const QString& currentName) {
    const bool fine = s.stage == GridStage::Fine;
    const QString fragment =
        fine ? withSecondLetter(s.fragment, index) : withFirstLetter(s.fragment, index);
    if (nameAfterRun(currentName, fragment).size() > MaxAreaNameLength)
        return std::nullopt;
    GridSelection next = s;
    next.fragment = fragment;
    next.menoUna = false;
    if (fine) {
        next.second = index;
        next.stage = GridStage::Complete;
    } else {
        next.first = index;
        next.stage = GridStage::Fine;
    }
    return next;
}

GridSelection shifted(const GridSelection& s, int index, const QString& currentName) {
    GridSelection next = s;
    const bool fine = s.stage == GridStage::Fine;
    int& x = fine ? next.shift.affinaX : next.shift.spostaX;
    int& y = fine ? next.shift.affinaY : next.shift.spostaY;
    const MezzoMove move = mezzoMove(index, x, y);
    x = move.x;
    y = move.y;
    if (fine) {
        next.fragment = fineStageText(next.first, next.shift);
    } else {
        const CoarseStageText text = coarseStageText(next.shift, currentName);
        next.fragment = text.riquadro;
        next.menoUna = text.menoUnaEnabled;
    }
    return next;
}

GridSelection cutOneMore(const GridSelection& s, const QString& currentName) {
    const MenoUnaStep step = menoUnaStep(currentName, s.cut);
    GridSelection next = s;
    next.stage = GridStage::GoingBack;
    next.cut = step.tag;
    next.fragment = step.riquadro;
    next.menoUna = !step.disableMenoUna;
    return next;
}

Confirmation classifyConfirmation(const QString& riquadro, int cut, bool letterChosen) {
    if (riquadro == QLatin1String("Z"))
        return Confirmation::StartOver;
    if (cut != 0)
        return Confirmation::GoBack;
    const bool endsWithShift =
        !riquadro.isEmpty() && riquadro.back() >= u'a' && riquadro.back() <= u'y';
    if (!letterChosen || endsWithShift)
        return Confirmation::NeedSelection;
    return Confirmation::Select;
}

Confirmation classifyConfirmation(const GridSelection& s) {
    return classifyConfirmation(s.fragment, s.cut, s.letterChosen());
}

QString shortenedName(const QString& riquadroCorrente, int cut) {
    return riquadroCorrente.left(riquadroCorrente.size() - cut);
}

ChosenSquare chosenSquare(int first, std::optional<int> second, const GridShift& shift) {
    ChosenSquare square;
    square.x0 =
        CellPitch * (first % 5) + Spostamenti[1][shift.spostaX] + Spostamenti[2][shift.affinaX];
    square.y0 =
        CellPitch * (first / 5) + Spostamenti[1][shift.spostaY] + Spostamenti[2][shift.affinaY];
    square.size = OneLetterSize;
    if (second) {
        square.x0 += SubCellPitch * (*second % 5);
        square.y0 += SubCellPitch * (*second / 5);
        square.size = TwoLetterSize;
    }
    return square;
}

QImage sampleThumbnail(const QImage& picture, const ChosenSquare& square) {
    QImage icona(ThumbnailSide, ThumbnailSide, QImage::Format_RGB32);
    icona.fill(ThumbnailBackground);

    const int x0 = square.x0, y0 = square.y0, size = square.size;
    int kx = -1;
    for (int i = x0 - 1; i <= x0 + size; ++i) {
        int ky = -1;
        for (int j = y0 - 1; j <= y0 + size; ++j) {
            if (i >= 0 && i < DimScreen && j >= 0 && j < DimScreen && picture.valid(i, j)) {
                if (size == TwoLetterSize) {
                    icona.setPixel(i - x0 + 2, j - y0 + 2, picture.pixel(i, j));
                } else if ((kx + 1) % 5 == 0 && (ky + 1) % 5 == 0) {
                    icona.setPixel((kx + 1) / 5 + 1, (ky + 1) / 5 + 1, picture.pixel(i, j));
                }
            }
            // The counters run over pixels outside the picture too, so that a
            // square at the edge keeps its samples in place.
            ky = ky + 1;
        }
        kx = kx + 1;
    }
    return icona;
}

Limits nextRunLimits(const Limits& shown, int first, std::optional<int> second,
                     const GridShift& shift) {
    // The fine shift belongs to the second letter: the first letter's square
    // moves by the coarse shift only.
    const int x1 = CellPitch * (first % 5) + Spostamenti[1][shift.spostaX];
    const int y1 = CellPitch * (first / 5) + Spostamenti[1][shift.spostaY];
    const double step = (shown.xMax - shown.xMin) / PictureSteps;
    const double fifth = (shown.xMax - shown.xMin) / 5;
    Limits next;
    next.xMin = shown.xMin + step * x1;
    next.xMax = next.xMin + fifth;
    next.yMin = shown.yMin + step * y1;
    next.yMax = next.yMin + fifth;

    if (second) {
        // The picture draws the fine shift in 5-pixel steps; the limits take it
        // as whole pixel steps of the zoomed square, as the name says.
        const int x2 = CellPitch * (*second % 5) + Spostamenti[1][shift.affinaX];
        const int y2 = CellPitch * (*second / 5) + Spostamenti[1][shift.affinaY];
        const double step2 = (next.xMax - next.xMin) / PictureSteps;
        const double fifth2 = (next.xMax - next.xMin) / 5;
        next.xMin = next.xMin + step2 * x2;
        next.xMax = next.xMin + fifth2;
        next.yMin = next.yMin + step2 * y2;
        next.yMax = next.yMin + fifth2;
    }
    return next;
}

} // namespace quorvane

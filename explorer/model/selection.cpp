#include "model/selection.h"

namespace quorvane {

Confirmation classifyConfirmation(const QString& riquadro, int menoUnaTag, int secondaLettera) {
    if (riquadro == QLatin1String("Z"))
        return Confirmation::StartOver;
    if (menoUnaTag != 0)
        return Confirmation::GoBack;
    const bool endsWithShift =
        !riquadro.isEmpty() && riquadro.back() >= u'a' && riquadro.back() <= u'y';
    if (secondaLettera == NoLetterYet || endsWithShift)
        return Confirmation::NeedSelection;
    return Confirmation::Select;
}

QString shortenedName(const QString& riquadroCorrente, int menoUnaTag) {
    return riquadroCorrente.left(riquadroCorrente.size() - menoUnaTag);
}

ChosenSquare chosenSquare(int primaLettera, int secondaLettera, const GridShift& shift) {
    ChosenSquare square;
    square.x0 = CellPitch * (primaLettera % 5) + Spostamenti[1][shift.spostaX] +
                Spostamenti[2][shift.affinaX];
    square.y0 = CellPitch * (primaLettera / 5) + Spostamenti[1][shift.spostaY] +
                Spostamenti[2][shift.affinaY];
    square.size = OneLetterSize;
    square.tipoScelta = OneLetterSize;
    if (secondaLettera >= 0 && secondaLettera < 25) {
        square.x0 += SubCellPitch * (secondaLettera % 5);
        square.y0 += SubCellPitch * (secondaLettera / 5);
        square.size = TwoLetterSize;
        square.tipoScelta = TwoLetterSize;
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

Limits nextRunLimits(const Limits& shown, int primaLettera, int secondaLettera,
                     const GridShift& shift) {
    // The fine shift belongs to the second letter: the first letter's square
    // moves by the coarse shift only.
    const int x1 = CellPitch * (primaLettera % 5) + Spostamenti[1][shift.spostaX];
    const int y1 = CellPitch * (primaLettera / 5) + Spostamenti[1][shift.spostaY];
    const double step = (shown.xMax - shown.xMin) / PictureSteps;
    const double fifth = (shown.xMax - shown.xMin) / 5;
    Limits next;
    next.xMin = shown.xMin + step * x1;
    next.xMax = next.xMin + fifth;
    next.yMin = shown.yMin + step * y1;
    next.yMax = next.yMin + fifth;

    if (secondaLettera >= 0 && secondaLettera < 25) {
        // The picture draws the fine shift in 5-pixel steps; the limits take it
        // as whole pixel steps of the zoomed square, as the name says.
        const int x2 = CellPitch * (secondaLettera % 5) + Spostamenti[1][shift.affinaX];
        const int y2 = CellPitch * (secondaLettera / 5) + Spostamenti[1][shift.affinaY];
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

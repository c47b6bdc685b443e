// Confirmation of a grid selection with "OK": which case applies, the square
// chosen on the picture, its thumbnail and the limits of the next run.
#pragma once

#include "model/areaname.h"
#include "model/grid.h"
#include "model/thumbnails.h"

#include <QColor>
#include <QImage>
#include <QString>

namespace quorvane {

enum class Confirmation {
    StartOver,     // nothing chosen: back to the start view
    GoBack,        // "-1" marked letters to cut
    NeedSelection, // no letter, or a shift that no letter followed
    Select,        // a cell or sub-cell to compute next
};

// Which case "OK" handles for the fragment in `Riquadro`, the `MenoUna` tag
// and `SecondaLettera`.
Confirmation classifyConfirmation(const QString& riquadro, int menoUnaTag, int secondaLettera);

// The current name with the tag's letters cut off.
QString shortenedName(const QString& riquadroCorrente, int menoUnaTag);

constexpr int OneLetterSize = 144;
constexpr int TwoLetterSize = 28;

// The chosen square as drawn on the picture shown, between its frame lines.
struct ChosenSquare {
    int x0 = 0;
    int y0 = 0;
    int size = OneLetterSize;       // free pixels inside the frame: 144 or 28
    int tipoScelta = OneLetterSize; // `TipoScelta`: 144 or 28
    bool operator==(const ChosenSquare&) const = default;
};
ChosenSquare chosenSquare(int primaLettera, int secondaLettera, const GridShift& shift);

// Where the source lay outside the picture, and the one-pixel border.
inline const QColor ThumbnailBackground = QColor(Qt::white);

// `Icona`: 30 x 30 samples of the square from frame line to frame line, in
// pixels 1..30 of a 32 x 32 image; a sub-cell one to one, a cell every fifth
// pixel.
QImage sampleThumbnail(const QImage& picture, const ChosenSquare& square);

// Limits of the next run: the first letter's square in pixel steps of the
// view shown, then the second letter's inside it in pixel steps of that square.
Limits nextRunLimits(const Limits& shown, int primaLettera, int secondaLettera,
                     const GridShift& shift);

} // namespace quorvane

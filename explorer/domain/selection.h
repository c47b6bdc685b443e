// A selection on the grid: what the user has chosen so far, each press that
// changes it, and its confirmation with "OK": which case applies, the square
// chosen on the picture, its thumbnail and the limits of the next run.
#pragma once

#include "domain/areaname.h"
#include "domain/grid.h"
#include "domain/thumbnails.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>

namespace quorvane {

// The stages of a selection on the grid.
enum class GridStage {
    Coarse,    // no letter yet: the whole grid can be shifted
    Fine,      // a cell chosen: its sub-grid can be shifted
    Complete,  // a sub-cell chosen
    GoingBack, // "-1" marks letters of the current name to cut
};

// The selection while the grid is on.
struct GridSelection {
    GridStage stage = GridStage::Coarse;
    int first = 0;             // the cell of the first letter (`PrimaLettera`)
    std::optional<int> second; // the sub-cell of the second letter (`SecondaLettera`)
    GridShift shift;
    int cut = 0;                            // letters of the current name that "-1" marked
    QString fragment = QStringLiteral("Z"); // what `Riquadro` shows
    bool menoUna = false;                   // "-1" can mark one more group
    bool operator==(const GridSelection&) const = default;
    bool letterChosen() const { return stage == GridStage::Fine || stage == GridStage::Complete; }
};

// The grid switched on over the view named currentName.
GridSelection startSelection(const QString& currentName);

// A letter pressed: the first one chooses a cell, the second a sub-cell.
// Nothing when the letter would make the name longer than an area name may
// be: views deeper than doubles resolve are computed exactly, so the
// grammar's end is the grid's.
std::optional<GridSelection> withLetter(const GridSelection& s, int index,
                                        const QString& currentName);

// `Mezzo`(index) pressed: the coarse shift before a letter, the fine one after.
GridSelection shifted(const GridSelection& s, int index, const QString& currentName);

// "-1" pressed: the next group of the current name is marked for cutting.
GridSelection cutOneMore(const GridSelection& s, const QString& currentName);

enum class Confirmation {
    StartOver,     // nothing chosen: back to the start view
    GoBack,        // "-1" marked letters to cut
    NeedSelection, // no letter, or a shift that no letter followed
    Select,        // a cell or sub-cell to compute next
};

// Which case "OK" handles for the fragment in `Riquadro`, the letters that
// "-1" marked and whether a letter was chosen.
Confirmation classifyConfirmation(const QString& riquadro, int cut, bool letterChosen);
Confirmation classifyConfirmation(const GridSelection& s);

// The current name with the marked letters cut off.
QString shortenedName(const QString& riquadroCorrente, int cut);

constexpr int OneLetterSize = 144;
constexpr int TwoLetterSize = 28;

// The chosen square as drawn on the picture shown, between its frame lines.
struct ChosenSquare {
    int x0 = 0;
    int y0 = 0;
    int size = OneLetterSize; // free pixels inside the frame: 144 or 28
    bool operator==(const ChosenSquare&) const = default;
    bool subCell() const { return size == TwoLetterSize; }
};
ChosenSquare chosenSquare(int first, std::optional<int> second, const GridShift& shift);

// Where the source lay outside the picture, and the one-pixel border.
inline const QColor ThumbnailBackground = QColor(Qt::white);

// `Icona`: 30 x 30 samples of the square from frame line to frame line, in
// pixels 1..30 of a 32 x 32 image; a sub-cell one to one, a cell every fifth
// pixel.
QImage sampleThumbnail(const QImage& picture, const ChosenSquare& square);

// Limits of the next run: the first letter's square in pixel steps of the
// view shown, then the second letter's inside it in pixel steps of that square.
Limits nextRunLimits(const Limits& shown, int first, std::optional<int> second,
                     const GridShift& shift);

} // namespace quorvane

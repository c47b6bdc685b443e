// The shapes drawn above the picture. Each is a small value with a position
// and a visible flag, so that showing or hiding one never touches the
// picture's pixels.
#pragma once

#include "domain/cells.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

namespace quorvane {

struct LineOverlay {
    QLine line;
    QColor colour = Qt::white;
    bool visible = false;
    bool operator==(const LineOverlay&) const = default;
};

struct LabelOverlay {
    QRect rect;
    QString text;
    bool visible = false;
    bool operator==(const LabelOverlay&) const = default;
};

struct FrameOverlay {
    QRect rect;
    QColor colour = Qt::blue;
    bool visible = false;
    bool operator==(const FrameOverlay&) const = default;
};

// Every overlay of the picture, named for what it draws (the window's
// design names in brackets).
struct Overlays {
    std::array<LabelOverlay, 25> cellLetters;    // [MonoLettera] "A".."Y", one per cell
    std::array<LabelOverlay, 25> subCellLetters; // [BiLettera] in the chosen cell's sub-cells
    std::array<LineOverlay, 12> gridLines;       // [GridH] 0..5 vertical, 6..11 horizontal
    std::array<LineOverlay, 8> subGridLines;     // [GridL] 0..3 horizontal, 4..7 vertical
    FrameOverlay cellFrame;                      // [Quad1(0)] the cell of the first letter, blue
    FrameOverlay subCellFrame;         // [Quad2(0)] the sub-cell of the second letter, blue
    FrameOverlay selectedCellFrame;    // [Quad1(1)] a confirmed one-letter selection, red
    FrameOverlay selectedSubCellFrame; // [Quad2(1)] a confirmed two-letter selection, red
    std::array<LineOverlay, 724> histogramBars; // [Linea] one bar per column
    std::array<LineOverlay, 2> crossHair;       // [JuLinea] on the Julia constant, yellow
    FrameOverlay constantFrame;                 // the small frame around the Julia constant
    FrameOverlay zoomFrame;                     // the region the next Julia view shows
    bool operator==(const Overlays&) const = default;
};

// A cell letter: fixed near each cell's centre, whatever the shift.
inline QRect cellLetterRect(int index) {
    return QRect(65 + CellPitch * (index % 5), 65 + CellPitch * (index / 5), 14, 14);
}

// The overlays of the first chosen cell: its sub-grid, its letters and its frame.
struct SubGridLayout {
    std::array<QLine, 8> lines;    // 0..3 horizontal, 4..7 vertical
    std::array<QRect, 25> letters; // 8 x 10 px
    QRect frame;                   // 146 x 146 px
    int hiddenCellLetter = 0;      // the cell letter covered by the sub-grid
    bool operator==(const SubGridLayout&) const = default;
};

// The grid as drawn over the picture.
struct GridLayout {
    std::array<QLine, 12> lines; // 0..5 vertical, 6..11 horizontal
    std::optional<SubGridLayout> subGrid;
    bool operator==(const GridLayout&) const = default;
};

// The families of overlays that are hidden together ([Nascondi] codes 0..3).
enum class OverlayGroup { CellLetters = 0, SubCellLetters = 1, HistogramBars = 2, GridLines = 3 };

// The single frames.
enum class Frame { Cell, SubCell, SelectedCell, SelectedSubCell, Constant, Zoom };

} // namespace quorvane

// The shapes drawn above the picture. Each is a small value with a position
// and a visible flag, so that showing or hiding one never touches the
// picture's pixels.
#pragma once

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
};

struct FrameOverlay {
    QRect rect;
    QColor colour = Qt::blue;
    bool visible = false;
    bool operator==(const FrameOverlay&) const = default;
};

// Every overlay of the picture, by its name.
struct Overlays {
    std::array<LabelOverlay, 25> MonoLettera; // the cell letters of the grid
    std::array<LabelOverlay, 25> BiLettera;   // the sub-cell letters of a chosen cell
    std::array<LineOverlay, 12> GridH;        // the grid lines
    std::array<LineOverlay, 8> GridL;         // the sub-grid lines
    std::array<FrameOverlay, 2> Quad1;        // cell frames: 0 live, 1 the pending selection
    std::array<FrameOverlay, 2> Quad2;        // sub-cell frames: 0 live, 1 the pending selection
    std::array<LineOverlay, 724> Linea;       // the histogram's bars
    std::array<LineOverlay, 2> JuLinea;       // the cross-hair on a Julia constant
};

// `MonoLettera`(index): fixed near each cell's centre, whatever the shift.
inline QRect monoLetteraRect(int index) {
    return QRect(65 + 145 * (index % 5), 65 + 145 * (index / 5), 14, 14);
}

// Overlays of the first chosen cell: the sub-grid, its letters and its frame.
struct SubGridLayout {
    std::array<QLine, 8> gridL;      // 0..3 horizontal, 4..7 vertical
    std::array<QRect, 25> biLettera; // 8 x 10 px
    QRect quad1;                     // 146 x 146 px
    int hiddenMonoLettera = 0;       // the cell letter covered by the sub-grid
    bool operator==(const SubGridLayout&) const = default;
};

// The grid as drawn over the picture.
struct GridLayout {
    std::array<QLine, 12> gridH; // 0..5 vertical, 6..11 horizontal
    std::optional<SubGridLayout> subGrid;
    bool operator==(const GridLayout&) const = default;
};

// The groups that `Nascondi` hides by its code 0..3.
enum class OverlayGroup { MonoLettera = 0, BiLettera = 1, Linea = 2, GridLines = 3 };

enum class FrameName { Quad1, Quad2 };

} // namespace quorvane

// The cells of the lettered 5 x 5 grid as the picture draws them, and the
// shifts of the grid: what area names, the grid and its overlays all measure
// by.
#pragma once

#include <array>

namespace quorvane {

constexpr int CellPitch = 145;   // picture pixels between grid lines
constexpr int SubCellPitch = 29; // picture pixels between sub-grid lines
constexpr int ShiftCentre = 2;

// Shift offsets by position 0..4 (2 = centred). Row 1: whole pixel steps of a
// view, used in names and limits. Row 2: how a row-1 shift of the zoomed view
// is drawn on the picture shown. Row 0 is unused.
inline constexpr std::array<std::array<int, 5>, 3> Spostamenti{{
    {0, 0, 0, 0, 0},
    {-48, -24, 0, 24, 48},
    {-10, -5, 0, 5, 10},
}};

} // namespace quorvane

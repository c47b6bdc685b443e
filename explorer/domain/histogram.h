// The histogram of escape counts: one vertical bar per picture column, its
// height proportional to the samples whose counts fall into it, its colour
// the palette colour of those counts, the samples that never escaped in a
// green bar of their own. Pure values; the window shows them as the line
// histogram bars above a black picture.
#pragma once

#include "domain/palette.h"
#include "exchange.h"

#include <QImage>
#include <QLine>
#include <array>
#include <cstdint>

namespace quorvane {

constexpr int BarCount = quor::DimScreen; // one bar per picture column

// Samples and colour of every bar, before they are scaled to the picture.
struct Bins {
    std::array<std::int64_t, BarCount> samples{}; // Barre
    std::array<Colore, BarCount> colours{};       // ColoriBarre; black where never set
    bool operator==(const Bins&) const = default;
};

// One bar as it is drawn: the pixels (column, top..bottom) in colour, both
// rows included.
struct Bar {
    int column = 0;
    int top = 0;
    int bottom = 0;
    Colore colour = 0;
    bool operator==(const Bar&) const = default;
};

using Bars = std::array<Bar, BarCount>;

// Gathers the counts 0..iterEffettive into the bars: bar i holds count i
// while there are no more counts than columns, otherwise the counts k with
// i * step <= k < (i + 1) * step, step = iterEffettive / 723; bar 723 holds
// the samples that never escaped (count iterEffettive). A bar's colour is
// the palette colour of its highest count; bar 723's colour is never set.
Bins binCounts(const Frequencies& frequencies, int iterEffettive, const Palette& palette);

// Scales the bins to the picture: the tallest bar reaches row 0 and every
// bar stands on row 721. A bar too small for one row is a mark at row 723 in
// its colour, an empty bar a black mark at row 722; the bar of the samples
// that never escaped (column iterEffettive, or 723) is green. With no
// samples at all every bar is an empty mark.
Bars scaleBars(const Bins& bins, int iterEffettive);

// binCounts and scaleBars in one: the chart of a picture.
Bars histogramBars(const Frequencies& frequencies, int iterEffettive, const Palette& palette);

// The line overlay that draws a bar with a one-pixel pen, both ends drawn.
QLine barLine(const Bar& bar);

// Paints the bars over a picture (RGB32 afterwards) through its scan lines,
// as the overlays show them above it.
void paintBars(QImage& picture, const Bars& bars);

} // namespace quorvane

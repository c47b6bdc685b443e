#include "domain/histogram.h"

#include "domain/thumbnails.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

constexpr int LastBar = BarCount - 1;        // 723: the samples that never escaped
constexpr int BaseRow = quor::DimScreen - 2; // 722: the full height of a bar
constexpr Colore Black = rgb(0, 0, 0);
constexpr Colore Green = rgb(0, 255, 0);

// Limits are 20..32767; anything else still indexes the arrays safely.
int countLimit(int iterEffettive) {
    return std::clamp(iterEffettive, 0, MaxCounts - 1);
}

} // namespace

Bins binCounts(const Frequencies& frequencies, int iterEffettive, const Palette& palette) {
    const int limit = countLimit(iterEffettive);
    double step = 1;
    if (limit + 1 > BarCount)
        step = double(limit) / LastBar;
    // The running bound gathers rounding and can end just above the limit
    // (727 ends at 727.0000000000036); the samples that never escaped belong
    // to bar 723 alone, so bars 0..722 stop below the limit.
    const int end = std::max(limit, LastBar);

    Bins bins;
    int k = 0;
    double b = step;
    for (int i = 0; i < LastBar; ++i) {
        while (k < b && k < end) {
            bins.samples[std::size_t(i)] += frequencies[std::size_t(k)];
            ++k;
        }
        b = b + step;
        bins.colours[std::size_t(i)] = palette[std::size_t(k - 1)];
    }
    bins.samples[LastBar] = frequencies[std::size_t(limit)];
    return bins;
}

Bars scaleBars(const Bins& bins, int iterEffettive) {
    std::int64_t max = 0;
    for (const std::int64_t s : bins.samples)
        if (s > max)
            max = s;

    Bars bars;
    for (int i = 0; i < BarCount; ++i) {
        const std::int64_t samples = bins.samples[std::size_t(i)];
        // A chart without samples has no tallest bar: every bar is empty.
        const auto height =
            max > 0 ? std::int64_t(std::floor(double(samples * BaseRow) / double(max))) : 0;
        Bar& bar = bars[std::size_t(i)];
        bar.column = i;
        bar.top = BaseRow - int(height);
        bar.bottom = BaseRow - 1;
        bar.colour = samples == 0 ? Black : bins.colours[std::size_t(i)];
        // A bar without height would be invisible: a non-empty one gets a
        // mark below the base, an empty one a mark on it (black on black).
        if (height == 0)
            bar.top = bar.bottom = samples != 0 ? BaseRow + 1 : BaseRow;
    }
    bars[std::size_t(std::min(countLimit(iterEffettive), LastBar))].colour = Green;
    return bars;
}

Bars histogramBars(const Frequencies& frequencies, int iterEffettive, const Palette& palette) {
    return scaleBars(binCounts(frequencies, iterEffettive, palette), iterEffettive);
}

QLine barLine(const Bar& bar) {
    return QLine(bar.column, bar.top, bar.column, bar.bottom);
}

void paintBars(QImage& picture, const Bars& bars) {
    if (picture.format() != QImage::Format_RGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    for (const Bar& bar : bars) {
        if (bar.column < 0 || bar.column >= picture.width())
            continue;
        const QRgb colour = toQRgb(bar.colour);
        const int last = std::min(bar.bottom, picture.height() - 1);
        for (int row = std::max(bar.top, 0); row <= last; ++row)
            reinterpret_cast<QRgb*>(picture.scanLine(row))[bar.column] = colour;
    }
}

} // namespace quorvane

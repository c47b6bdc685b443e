#include "domain/painting.h"

#include "domain/limits.h"
#include "domain/thumbnails.h"

#include <algorithm>

namespace quorvane {

QImage paintCounts(const std::vector<std::int16_t>& counts, const Palette& palette, int iterMax) {
    std::vector<QRgb> colours(std::size_t(iterMax) + 1);
    for (int k = 0; k <= iterMax; ++k)
        colours[std::size_t(k)] = toQRgb(palette[std::size_t(k)]);
    QImage image(DimScreen, DimScreen, QImage::Format_RGB32);
    for (int row = 0; row < DimScreen; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const std::int16_t* count = counts.data() + row;
        for (int column = 0; column < DimScreen; ++column)
            line[column] = colours[std::size_t(count[std::size_t(column) * DimScreen])];
    }
    return image;
}

void countSamples(const std::vector<std::int16_t>& counts, int iterMax, Frequencies& frequencies) {
    const int cleared = std::max(iterMax, PictureSteps);
    std::fill(frequencies.begin(), frequencies.begin() + cleared + 1, 0);
    for (std::int16_t count : counts)
        ++frequencies[std::size_t(count)];
}

} // namespace quorvane

// A table of counts painted through a palette, and the count of its samples.
#pragma once

#include "domain/palette.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace quorvane {

// The picture of counts[column * 724 + row], each count 0..iterMax painted
// in its palette colour, through the picture's scan lines.
QImage paintCounts(const std::vector<std::int16_t>& counts, const Palette& palette, int iterMax);

// The samples per count: cleared from 0 up to iterMax or the last column,
// whichever is higher, then counted.
void countSamples(const std::vector<std::int16_t>& counts, int iterMax, Frequencies& frequencies);

} // namespace quorvane

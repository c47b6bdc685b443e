// The fixed 32 x 32 pictures of the window.
#pragma once

#include "domain/palette.h"

#include <QImage>
#include <array>

namespace quorvane {

constexpr int ThumbnailSide = 32;

// The blank picture shown where a thumbnail is missing.
QImage blankThumbnail();

// A thumbnail of the start view (X -2..1, Y -1.5..1.5) at limit 100 with the
// linear palette, in pixels 1..30 like every other thumbnail.
QImage startViewThumbnail(const std::array<Colore, RampSize>& rampa);

// The 32 x 32 thumbnail of a 724 x 724 picture: pixel (i, j) is the picture's
// pixel (5 + 23 i, 5 + 23 j).
QImage placeThumbnail(const QImage& picture);

inline QRgb toQRgb(Colore c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

} // namespace quorvane

// What a mouse release in Julia mode puts on the picture: the cross-hair and
// small frame on a chosen constant, and the frame and thumbnail of a zoom.
#pragma once

#include <QImage>
#include <QLine>
#include <QRect>
#include <array>

namespace quorvane {

// The cross-hair (across, then down) and the small frame on the position
// (x, y) where the constant was chosen.
struct ConstantMarks {
    std::array<QLine, 2> crossHair;
    QRect frame;
    bool operator==(const ConstantMarks&) const = default;
};
ConstantMarks constantMarks(int x, int y);

// The frame around the region the next Julia view shows, for a click at
// (x, y): one fifth of the picture inside a one-pixel border.
QRect zoomFrame(int x, int y);

// The 32 x 32 thumbnail of the region inside zoomFrame(x, y): 32 samples four
// pixels apart across its middle. Samples off the picture are black.
QImage zoomThumbnail(const QImage& picture, int x, int y);

} // namespace quorvane

// Orbit traces: the orbit of c under z -> z^2 + c, from z = c, drawn over
// the picture of the start view one segment per step. A trace is a small
// value that takes one step at a time, so that the window can let events
// through and stop between any two steps.
#pragma once

#include "domain/juliaview.h"

#include <QImage>
#include <QLine>
#include <QPointF>
#include <cstdint>
#include <optional>

namespace quorvane {

// The pixel of a point in the picture of the start view, 241 pixels a unit:
// column floor((x + 2) * 723 / 3), row floor((y + 1.5) * 723 / 3). The whole
// numbers stay doubles, bounded by +-FarPixel, so that a point however far
// out never overflows an integer; a point that is not a number gives NaN.
constexpr double FarPixel = 1e300;
QPointF orbitPixel(const PlanePoint& p);

// The part of the segment a..b that lies on the picture, in whole pixels;
// nothing when it misses the picture or an end is not a number. The
// clipping is done before the ends become integers.
std::optional<QLine> clipToPicture(const QPointF& a, const QPointF& b);

struct OrbitStep {
    std::optional<QLine> line; // what to draw of this step's segment
    bool escaped = false;      // the new point lies outside the square -2..2
    bool operator==(const OrbitStep&) const = default;
};

class OrbitTrace {
  public:
    explicit OrbitTrace(const PlanePoint& c);

    // One step: the next point of the orbit and the segment to it.
    OrbitStep next();

    std::uint64_t steps() const { return count; }
    PlanePoint point() const { return z; }
    QPointF pixel() const { return zPixel; }

  private:
    PlanePoint c;
    PlanePoint z;
    QPointF zPixel;
    std::uint64_t count = 0;
};

// Draws a clipped segment into the picture, both ends included.
void drawTraceSegment(QImage& picture, const QLine& line, QRgb colour);

} // namespace quorvane

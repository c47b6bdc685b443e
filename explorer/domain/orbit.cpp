#include "domain/orbit.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

double pixelOf(double v, double min, double max) {
    const double p = std::floor((v - min) * PictureSteps / (max - min));
    return std::isnan(p) ? p : std::clamp(p, -FarPixel, FarPixel);
}

// Liang-Barsky: narrows [t0, t1] to where p * t <= q holds.
bool clipEdge(double p, double q, double& t0, double& t1) {
    if (p == 0)
        return q >= 0;
    const double t = q / p;
    if (p < 0)
        t0 = std::max(t0, t);
    else
        t1 = std::min(t1, t);
    return t0 <= t1;
}

// How far a point lies outside the picture along either axis; 0 on it.
double awayFromPicture(const QPointF& p) {
    return std::max({-p.x(), p.x() - PictureSteps, -p.y(), p.y() - PictureSteps, 0.0});
}

int wholePixel(double v) {
    return int(std::clamp(std::round(v), 0.0, double(PictureSteps)));
}

} // namespace

QPointF orbitPixel(const PlanePoint& p) {
    return {pixelOf(p.x, StartView.xMin, StartView.xMax),
            pixelOf(p.y, StartView.yMin, StartView.yMax)};
}

std::optional<QLine> clipToPicture(const QPointF& a, const QPointF& b) {
    for (double v : {a.x(), a.y(), b.x(), b.y()})
        if (std::isnan(v))
            return std::nullopt;
    // Points are taken from the end nearer to the picture: from a far end,
    // the picture is too small a part of the segment for doubles to place.
    const bool fromB = awayFromPicture(b) < awayFromPicture(a);
    const QPointF from = fromB ? b : a;
    const QPointF d = fromB ? a - b : b - a;
    double t0 = 0, t1 = 1;
    if (!clipEdge(-d.x(), from.x(), t0, t1) || !clipEdge(d.x(), PictureSteps - from.x(), t0, t1) ||
        !clipEdge(-d.y(), from.y(), t0, t1) || !clipEdge(d.y(), PictureSteps - from.y(), t0, t1))
        return std::nullopt;
    const QPoint p0(wholePixel(from.x() + t0 * d.x()), wholePixel(from.y() + t0 * d.y()));
    const QPoint p1(wholePixel(from.x() + t1 * d.x()), wholePixel(from.y() + t1 * d.y()));
    return fromB ? QLine(p1, p0) : QLine(p0, p1);
}

OrbitTrace::OrbitTrace(const PlanePoint& c) : c(c), z(c), zPixel(orbitPixel(c)) {}

OrbitStep OrbitTrace::next() {
    const PlanePoint n{z.x * z.x - z.y * z.y + c.x, (z.x * 2) * z.y + c.y};
    const QPointF nPixel = orbitPixel(n);
    OrbitStep step;
    step.line = clipToPicture(zPixel, nPixel);
    // Written so that a point that is not a number counts as gone too.
    step.escaped = !(n.x >= -2 && n.x <= 2 && n.y >= -2 && n.y <= 2);
    z = n;
    zPixel = nPixel;
    ++count;
    return step;
}

void drawTraceSegment(QImage& picture, const QLine& line, QRgb colour) {
    QPainter painter(&picture);
    painter.setPen(QPen(QColor::fromRgb(colour), 0));
    // A segment of no length still paints its one pixel.
    painter.drawLine(line);
}

} // namespace quorvane

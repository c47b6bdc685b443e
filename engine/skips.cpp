// The table of skips along a reference, built level by level: a run of 2^l
// steps is two runs of 2^(l-1) one after the other.
#include "deep.h"

#include <algorithm>
#include <cmath>

namespace quor {

namespace {

// A W this near the circle of radius 2 (|W|^2 above it) is never skipped
// over: a difference within the tolerance cannot carry it out of the
// circle.
constexpr double Edge = 4.0 * (1.0 - 0x1p-10);

// Skips are built for the first steps of a reference only: a longer one is
// followed step by step beyond them (and the table stays under some 40 MB).
constexpr std::size_t StepsMax = std::size_t{1} << 20;

double norm(double x, double y) {
    return x * x + y * y;
}

} // namespace

void buildSkips(DeepView& view, double epsilon) {
    const Reference& ref = view.reference;
    Skips& skips = view.skips;
    skips.levels.clear();
    skips.epsilon = epsilon;
    // Steps 1 .. steps - 1: the last entry of a reference that ends has no
    // step after it.
    const std::size_t steps = std::min(ref.periodic ? ref.size() : ref.size() - 1, StepsMax);
    if (steps < 2)
        return;
    // The largest offset of the picture bounds what B dc adds in a run.
    double dcMax = 0.0;
    for (int k = 0; k < DimScreen; ++k)
        dcMax = std::max({dcMax, std::fabs(view.dcx[k]), std::fabs(view.dcy[k])});
    dcMax *= std::sqrt(2.0);

    std::vector<Skip> level(steps - 1);
    for (std::size_t j = 0; j < level.size(); ++j) {
        const double wx = ref.x[j + 1], wy = ref.y[j + 1];
        // One step: A = 2 W, B = 1, |d| <= epsilon |2 W|.
        const double r = epsilon * 2.0 * std::sqrt(norm(wx, wy));
        level[j] = {2.0 * wx, 2.0 * wy, 1.0, 0.0, r * r};
    }
    skips.levels.push_back(std::move(level));
    for (std::size_t length = 2; length <= steps - 1; length *= 2) {
        const std::vector<Skip>& below = skips.levels.back();
        std::vector<Skip> next(below.size() / 2);
        for (std::size_t j = 0; j < next.size(); ++j) {
            const Skip& x = below[2 * j];
            const Skip& y = below[2 * j + 1];
            Skip s;
            // y after x: A = Ay Ax, B = Ay Bx + By.
            s.ax = y.ax * x.ax - y.ay * x.ay;
            s.ay = y.ax * x.ay + y.ay * x.ax;
            s.bx = (y.ax * x.bx - y.ay * x.by) + y.bx;
            s.by = (y.ax * x.by + y.ay * x.bx) + y.by;
            // |d| within x's radius, and x's result within y's: |Ax| |d| +
            // |Bx| dcMax <= ry. Not across a W near the edge.
            const std::size_t middle = 1 + (2 * j + 1) * (length / 2);
            const double ax = std::sqrt(norm(x.ax, x.ay));
            const double ry = std::max(0.0, std::sqrt(y.r2) - std::sqrt(norm(x.bx, x.by)) * dcMax);
            const double r = std::min(std::sqrt(x.r2), ax > 0.0 ? ry / ax : 0.0);
            const bool edge = norm(ref.x[middle], ref.y[middle]) > Edge;
            // A run whose factors overflow is never taken.
            const bool finite = std::isfinite(s.ax) && std::isfinite(s.ay) && std::isfinite(s.bx) &&
                                std::isfinite(s.by) && std::isfinite(r);
            s.r2 = edge || !finite ? 0.0 : r * r;
            next[j] = s;
        }
        if (next.empty())
            break;
        skips.levels.push_back(std::move(next));
    }
}

} // namespace quor

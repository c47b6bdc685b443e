// One deep sample after another: its start after the series, its step, and
// the interior test at its returns to W(wrap). The lanes do the same steps
// (deep_steps.h) and call these for whatever their groups cannot do
// together.
#include "deep.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace quor {

using deeplanes::Lane;

bool deeplanes::returnTest(double wrapDefect, Lane& s) {
    if (s.ball > 0) {
        s.r = (s.r + wrapDefect) * Grow;
        const double off = (std::fabs(s.ex - s.ox) + std::fabs(s.ey - s.oy)) * Grow;
        if (off + s.r < s.r0)
            return true;
        if (++s.ball > 2 * s.lag + 2 || !(s.r < INFINITY))
            s.ball = 0;
    }
    const std::uint64_t bx = std::bit_cast<std::uint64_t>(s.dx);
    const std::uint64_t by = std::bit_cast<std::uint64_t>(s.dy);
    if (s.returns > 0 && bx == s.sx && by == s.sy)
        return true;
    s.hx[s.returns % Lane::History] = s.dx;
    s.hy[s.returns % Lane::History] = s.dy;
    if (++s.returns >= s.save) {
        s.sx = bx;
        s.sy = by;
        s.save = 2 * s.returns;
    }
    if (s.ball > 0)
        return false;
    // The lag whose latest return came nearest the one before it, where the
    // two distances before show a steady contraction.
    int best = 0;
    double ax = 0.0, ay = 0.0, lx = 0.0, ly = 0.0, nearest = INFINITY, far = 0.0;
    for (int j = 1; j <= Lane::Lags && 2 * j < s.returns; ++j) {
        const int n = s.returns - 1;
        const double x0 = s.hx[n % Lane::History], y0 = s.hy[n % Lane::History];
        const double x1 = s.hx[(n - j) % Lane::History], y1 = s.hy[(n - j) % Lane::History];
        const double x2 = s.hx[(n - 2 * j) % Lane::History], y2 = s.hy[(n - 2 * j) % Lane::History];
        // a = d(n) - d(n - j), b = d(n - j) - d(n - 2 j), lambda = a / b.
        const double px = x0 - x1, py = y0 - y1, qx = x1 - x2, qy = y1 - y2;
        const double size = std::hypot(px, py);
        far = std::max(far, size);
        const double bb = qx * qx + qy * qy;
        if (!(size < nearest) || !(bb > 0.0))
            continue;
        const double mx = (px * qx + py * qy) / bb, my = (py * qx - px * qy) / bb;
        if (!(std::hypot(mx, my) < 0.98))
            continue;
        best = j;
        nearest = size;
        ax = px;
        ay = py;
        lx = mx;
        ly = my;
    }
    // Where more than one lag can be told apart, the nearest must stand out;
    // and the returns must have come near each other for their size.
    if (best == 0 || !(nearest < 0.5 * far || s.returns <= 4 || s.returns > 2 * Lane::Lags) ||
        !(nearest < 0.25 * (std::fabs(s.dx) + std::fabs(s.dy))))
        return false;
    // The limit d(n) + a lambda / (1 - lambda).
    const double ux = 1.0 - lx, uy = -ly, uu = ux * ux + uy * uy;
    const double tx = ax * lx - ay * ly, ty = ax * ly + ay * lx;
    s.ox = s.dx + (tx * ux + ty * uy) / uu;
    s.oy = s.dy + (ty * ux - tx * uy) / uu;
    // The second term keeps a disc where the doubles repeat.
    s.r0 = nearest + 0x1p-40 * (std::fabs(s.ox) + std::fabs(s.oy) + s.c1);
    s.ex = s.ox;
    s.ey = s.oy;
    s.r = s.r0;
    s.ball = 1;
    s.lag = best;
    return false;
}

Lane startLane(const Series* series, double dcx, double dcy) {
    if (series && series->steps > 0) {
        double dx = 0.0, dy = 0.0;
        seriesStarts(*series, dcx, &dcy, 1, &dx, &dy);
        return startLane(*series, dcx, dcy, dx, dy);
    }
    Lane s;
    s.cx = dcx;
    s.cy = dcy;
    s.c1 = std::fabs(dcx) + std::fabs(dcy);
    return s;
}

Lane startLane(const Series& series, double dcx, double dcy, double dx, double dy) {
    Lane s = startLane(nullptr, dcx, dcy);
    s.dx = dx;
    s.dy = dy;
    s.m = series.index;
    s.k = series.steps;
    return s;
}

Step stepLane(const Reference& ref, Lane& s, std::uint32_t nmax, bool interior, bool leave,
              std::uint32_t& count, const Period* period) {
    const std::size_t last = ref.size() - 1;
    const double zx = ref.x[s.m] + s.dx;
    const double zy = ref.y[s.m] + s.dy;
    const double zz = std::fma(zx, zx, zy * zy);
    // Written so that a sum that is not a number escapes too. Only W(0) = 0
    // comes before the first step, so it never escapes there.
    if (!(zz <= 4.0)) {
        count = static_cast<std::uint32_t>(s.k - 1);
        return Step::Finished;
    }
    if (s.k >= nmax) {
        count = nmax;
        return Step::Finished;
    }
    const double dd = std::fma(s.dx, s.dx, s.dy * s.dy);
    if (zz < dd || (s.m == last && !ref.periodic)) {
        s.dx = zx;
        s.dy = zy;
        s.m = 0;
        s.ball = 0;
        s.returns = 0;
        s.save = 1;
        if (leave)
            return Step::Rebased;
    }
    // d' = (2 W + d) d + dc
    const double ax = 2.0 * ref.x[s.m] + s.dx;
    const double ay = 2.0 * ref.y[s.m] + s.dy;
    if (s.ball > 0) {
        // The ball's centre takes the same step.
        const double bx = 2.0 * ref.x[s.m] + s.ex;
        const double by = 2.0 * ref.y[s.m] + s.ey;
        s.r = deeplanes::ballStep(s.r, bx, by, s.ex, s.ey, s.c1);
        const double fx = std::fma(bx, s.ex, std::fma(-by, s.ey, s.cx));
        s.ey = std::fma(bx, s.ey, std::fma(by, s.ex, s.cy));
        s.ex = fx;
    }
    // Fused: each product is rounded together with what is added to it.
    const double nx = std::fma(ax, s.dx, std::fma(-ay, s.dy, s.cx));
    s.dy = std::fma(ax, s.dy, std::fma(ay, s.dx, s.cy));
    s.dx = nx;
    ++s.k;
    ++s.taken;
    if (s.m == last) {
        s.m = ref.wrap;
        if (period && skipPeriods(*period, s, nmax, count))
            return Step::Finished;
        if (interior && deeplanes::returnTest(ref.wrapDefect, s)) {
            count = nmax;
            return Step::Finished;
        }
    } else {
        ++s.m;
    }
    return Step::On;
}

std::uint32_t deepCount(const Reference& ref, double dcx, double dcy, std::uint32_t nmax,
                        bool interior, std::uint64_t* steps, const Series* series,
                        const Period* period) {
    Lane s = startLane(series, dcx, dcy);
    std::uint32_t count = nmax;
    while (stepLane(ref, s, nmax, interior, false, count, period) != Step::Finished) {
    }
    if (steps)
        *steps += s.taken;
    return count;
}

} // namespace quor

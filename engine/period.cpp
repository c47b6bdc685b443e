// Whole periods skipped at the returns to W(wrap). The period's polynomial
// is built like the first steps' series, in two variables: with
// d = Q(u, v) + e, u = a / radius, v = dc / scale,
//
//   Q' = 2 W Q + [Q^2 up to degree K] + scale v,   Q = radius u at the start,
//   |e'| <= (|2 W| + 2 |Q| + |e|) |e| + |Q^2 beyond degree K|,
//
// with |Q| at most the sum of the sizes of its terms. The radius is the
// largest power of two (in quarters of a bit) for which the bound after the
// period stays within epsilon |q(0, 1)|: q(0, 1) is the response to the
// picture's largest offset, so the truncation moves a sample by less than
// epsilon of that offset. As the first steps' series, it is built and
// evaluated in extended precision (long double).
#include "deep.h"

#include <algorithm>
#include <cmath>

namespace quor {

namespace {

// Total degree of the polynomial: (K + 1)(K + 2) / 2 - 1 terms.
constexpr int Degree = 6;
static_assert(Degree <= Period::MaxDegree);

// How far its terms may outweigh q(0, 1) together: beyond that the
// evaluation's rounding, not the truncation, would decide.
constexpr double Cancel = 0x1p16;

// A period longer than this share of the limit is not worth a polynomial,
// nor one shorter than Shortest steps: the lanes take those about as fast,
// and every return stops their groups.
constexpr std::size_t Fewest = 4;
constexpr std::size_t Shortest = 64;

using Wide = long double;

template <class Real> struct Terms {
    int degree = Degree;
    int side = Degree + 1;
    std::vector<Real> x, y; // at i * side + j
    Terms() : x(std::size_t(side * side), Real(0)), y(std::size_t(side * side), Real(0)) {}
};

// The polynomial after one period from a difference of at most `radius`, or
// nothing if a sample of that disc may escape or be rebased on the way. In
// doubles to look for the radius (the bounds are doubles either way), in
// extended precision for the coefficients kept.
template <class Real>
bool build(const Reference& ref, double radius, double scale, Terms<Real>& q, double& bound) {
    const int side = q.side, degree = q.degree;
    std::fill(q.x.begin(), q.x.end(), Real(0));
    std::fill(q.y.begin(), q.y.end(), Real(0));
    q.x[std::size_t(side)] = radius; // u
    Terms<Real> next;
    std::vector<double> bydegree(std::size_t(degree) + 2);
    bound = 0.0;
    const std::size_t last = ref.size() - 1;
    std::size_t m = ref.wrap;
    do {
        // Sizes by degree; |Q| <= their sum.
        std::fill(bydegree.begin(), bydegree.end(), 0.0);
        for (int i = 0; i <= degree; ++i)
            for (int j = 0; i + j <= degree; ++j)
                bydegree[std::size_t(i + j)] += std::hypot(double(q.x[std::size_t(i * side + j)]),
                                                           double(q.y[std::size_t(i * side + j)]));
        double size = 0.0;
        for (double s : bydegree)
            size += s;
        const double reach = size + bound;
        const double w = std::hypot(ref.x[m], ref.y[m]);
        // As in the first steps' series: no escape, no rebase (W = 0 gives
        // |d| itself, which is no rebase).
        if (!(w + reach < 2.0 * (1.0 - 0x1p-20)) ||
            (w != 0.0 && !(w > 2.0 * reach * (1.0 + 0x1p-20))))
            return false;
        const Real wx2 = Real(2) * ref.x[m], wy2 = Real(2) * ref.y[m];
        std::fill(next.x.begin(), next.x.end(), Real(0));
        std::fill(next.y.begin(), next.y.end(), Real(0));
        for (int i = 0; i <= degree; ++i)
            for (int j = 0; i + j <= degree; ++j) {
                const std::size_t t = std::size_t(i * side + j);
                const Real ax = q.x[t], ay = q.y[t];
                next.x[t] += wx2 * ax - wy2 * ay;
                next.y[t] += wx2 * ay + wy2 * ax;
                if (ax == Real(0) && ay == Real(0))
                    continue;
                for (int k = 0; i + k <= degree; ++k)
                    for (int l = 0; i + j + k + l <= degree; ++l) {
                        const std::size_t o = std::size_t(k * side + l);
                        const std::size_t r = std::size_t((i + k) * side + (j + l));
                        next.x[r] += ax * q.x[o] - ay * q.y[o];
                        next.y[r] += ax * q.y[o] + ay * q.x[o];
                    }
            }
        next.x[1] += Real(scale); // v
        double tail = 0.0;
        for (int g = 1; g <= degree; ++g)
            for (int h = std::max(1, degree + 1 - g); h <= degree; ++h)
                tail += bydegree[std::size_t(g)] * bydegree[std::size_t(h)];
        bound = ((2.0 * w + 2.0 * size + bound) * bound + tail) * (1.0 + 0x1p-40);
        q.x.swap(next.x);
        q.y.swap(next.y);
        m = m == last ? ref.wrap : m + 1;
    } while (m != ref.wrap);
    return true;
}

} // namespace

void buildPeriod(DeepView& view, std::uint32_t nmax, double epsilon) {
    const Reference& ref = view.reference;
    Period& period = view.periods;
    period = Period{};
    period.epsilon = epsilon;
    const double scale = view.series.scale;
    if (!ref.periodic || ref.size() < 2 || !(scale > 0.0))
        return;
    const std::size_t steps = ref.size() - ref.wrap;
    if (steps * Fewest > nmax || steps < Shortest)
        return;
    Terms<double> q;
    double bound = 0.0;
    auto fits = [&](double radius) {
        if (!build(ref, radius, scale, q, bound))
            return false;
        const double first = std::hypot(double(q.x[1]), double(q.y[1]));
        double all = 0.0;
        for (std::size_t t = 0; t < q.x.size(); ++t)
            all += std::hypot(double(q.x[t]), double(q.y[t]));
        return bound <= epsilon * first && all <= Cancel * first;
    };
    // Bisection on the radius's logarithm, in quarters of a bit, between
    // the picture's offsets and 1.
    double low = std::floor(std::log2(scale)) - 8.0, high = 0.0;
    if (!fits(std::exp2(low)))
        return;
    while (high - low > 0.25) {
        const double mid = std::ldexp(std::round(std::ldexp(low + high, 1)), -2);
        if (mid <= low || mid >= high)
            break;
        (fits(std::exp2(mid)) ? low : high) = mid;
    }
    Terms<Wide> wide;
    if (!build(ref, std::exp2(low), scale, wide, bound))
        return;
    period.steps = steps;
    period.radius = std::exp2(low);
    period.scale = scale;
    period.degree = wide.degree;
    period.qx = wide.x;
    period.qy = wide.y;
    // Rows of odd i all zero (exactly: W(wrap) = 0 squares the difference
    // first, and only even powers of it follow).
    period.stride = 2;
    for (int i = 1; i <= wide.degree; i += 2)
        for (int j = 0; i + j <= wide.degree; ++j)
            if (wide.x[std::size_t(i * wide.side + j)] != 0.0L ||
                wide.y[std::size_t(i * wide.side + j)] != 0.0L)
                period.stride = 1;
    period.remainder = bound;
}

bool skipPeriods(const Period& period, deeplanes::Lane& s, std::uint32_t nmax,
                 std::uint32_t& count) {
    if (period.steps == 0)
        return false;
    const int degree = period.degree, side = degree + 1, stride = period.stride;
    // Q(u, v) = sum over the rows i of R_i(v) u^i: the rows depend only on
    // the sample's offset, so they are evaluated once for all its periods
    // here; a period then costs Horner's rule in u (in u^2 where the rows of
    // odd i are zero, as when W(wrap) = 0), in extended precision.
    Wide rowx[Period::MaxDegree + 1], rowy[Period::MaxDegree + 1];
    bool rows = false;
    const int top = degree - degree % stride;
    bool skipped = false;
    while (std::fabs(s.dx) + std::fabs(s.dy) <= period.radius) {
        if (s.k + period.steps > nmax) {
            // No sample of the disc escapes within the period.
            count = nmax;
            return true;
        }
        if (!rows) {
            const Wide vx = Wide(s.cx) / period.scale, vy = Wide(s.cy) / period.scale;
            for (int i = 0; i <= top; i += stride) {
                Wide rx = 0.0L, ry = 0.0L;
                for (int j = degree - i; j >= 0; --j) {
                    const Wide ax = rx * vx - ry * vy + period.qx[std::size_t(i * side + j)];
                    const Wide ay = rx * vy + ry * vx + period.qy[std::size_t(i * side + j)];
                    rx = ax;
                    ry = ay;
                }
                rowx[i] = rx;
                rowy[i] = ry;
            }
            rows = true;
        }
        const Wide ux = Wide(s.dx) / period.radius, uy = Wide(s.dy) / period.radius;
        Wide wx = ux, wy = uy;
        if (stride == 2) {
            wx = ux * ux - uy * uy;
            wy = 2.0L * ux * uy;
        }
        Wide px = 0.0L, py = 0.0L;
        for (int i = top; i >= 0; i -= stride) {
            const Wide ax = px * wx - py * wy + rowx[i];
            const Wide ay = px * wy + py * wx + rowy[i];
            px = ax;
            py = ay;
        }
        s.dx = double(px);
        s.dy = double(py);
        s.k += period.steps;
        skipped = true;
    }
    if (skipped) {
        // The interior test starts anew from this return.
        s.ball = 0;
        s.returns = 0;
        s.save = 1;
    }
    return false;
}

} // namespace quor

// The series of the first steps, built step by step along the reference.
// With d = P(u) + e, u = dc / scale and |u| <= 1 for every sample,
//
//   d' = 2 W d + d^2 + dc
//
// gives P' = 2 W P + [P^2 up to degree K] + scale u, and for the rest
//
//   |e'| <= (|2 W| + 2 |P| + |e|) |e| + |P^2 beyond degree K|,
//
// where |P| <= |b1| + ... + |bK|: a bound R on |e| for every sample at once.
//
// The first terms are then built again and evaluated in extended precision
// (long double, 64 bits): in doubles each of the thousands of steps rounds
// them as a step rounds a difference, and the skip would carry as much
// rounding as the steps it replaces; this way it carries less, and a sample
// starts from its difference rounded once. Only the first terms need the
// extra bits: those beyond, which together weigh at most 2^-12 of b1, stay
// in doubles (their rounding, 2^-48 of them at most, stays below 2^-60 of
// b1 u). A term depends only on those before it, so the first ones are
// built again on their own.
#include "deep.h"

#include <algorithm>
#include <cmath>

namespace quor {

namespace {

// Terms of the series: more reach further where the differences grow
// slowly, at K^2 operations a step.
constexpr std::size_t Terms = 32;

// How far the terms of the polynomial may outweigh its first one together.
// Inside a small copy of the set the differences pass near 0 once a period
// and the polynomial takes their squares: its terms grow and cancel, and
// its evaluation rounds worse than the steps it replaces. Within this bound
// the evaluation stays within 2^-31 of the first term at the worst (2^-42
// measured on the test views, against 2^-45 for the steps).
constexpr double Cancel = 0x1p16;

// One step of the polynomial's terms (term i of degree i + 1), as many as
// b holds: P' = 2 W P + [P^2 up to that degree] + scale u.
template <class Real>
void step(double wx, double wy, double scale, const std::vector<Real>& bx,
          const std::vector<Real>& by, std::vector<Real>& nx, std::vector<Real>& ny) {
    const Real wx2 = Real(2) * wx, wy2 = Real(2) * wy;
    for (std::size_t i = 0; i < bx.size(); ++i) {
        Real sx = wx2 * bx[i] - wy2 * by[i], sy = wx2 * by[i] + wy2 * bx[i];
        for (std::size_t j = 0; j + 1 <= i; ++j) {
            const std::size_t l = i - 1 - j;
            sx += bx[j] * bx[l] - by[j] * by[l];
            sy += bx[j] * by[l] + by[j] * bx[l];
        }
        nx[i] = sx;
        ny[i] = sy;
    }
    nx[0] += Real(scale);
}

} // namespace

void buildSeries(DeepView& view, std::uint32_t nmax, double epsilon) {
    const Reference& ref = view.reference;
    Series& series = view.series;
    series = Series{};
    series.epsilon = epsilon;
    double mx = 0.0, my = 0.0;
    for (int k = 0; k < DimScreen; ++k) {
        mx = std::max(mx, std::fabs(view.dcx[k]));
        my = std::max(my, std::fabs(view.dcy[k]));
    }
    const double scale = std::hypot(mx, my) * (1.0 + 0x1p-50);
    if (!(scale > 0.0) || ref.size() < 2)
        return;
    series.scale = scale;
    const std::size_t last = ref.size() - 1;
    std::vector<double> bx(Terms, 0.0), by(Terms, 0.0), nx(Terms), ny(Terms), norm(Terms),
        size(Terms + 1);
    double bound = 0.0; // R
    std::size_t m = 0;
    for (std::size_t n = 0; n < nmax; ++n) {
        // Sizes of the terms, and sums of the sizes from each term on.
        size[Terms] = 0.0;
        for (std::size_t i = Terms; i-- > 0;) {
            norm[i] = std::hypot(bx[i], by[i]);
            size[i] = size[i + 1] + norm[i];
        }
        const double reach = size[0] + bound; // |d| <= reach for every sample
        const double w = std::hypot(ref.x[m], ref.y[m]);
        // No sample escapes or is rebased at this step: |W + d| <= 2 and
        // |W + d| >= |d| (W = 0 gives |d| exactly, which is no rebase).
        const bool escapes = !(w + reach < 2.0 * (1.0 - 0x1p-20));
        const bool rebases = w != 0.0 && !(w > 2.0 * reach * (1.0 + 0x1p-20));
        if (escapes || rebases || (m == last && !ref.periodic))
            break;
        step(ref.x[m], ref.y[m], scale, bx, by, nx, ny);
        double tail = 0.0; // |P^2 beyond degree K|: degrees (i + 1) + (j + 1) > K
        for (std::size_t i = 0; i < Terms; ++i)
            tail += norm[i] * size[Terms - 1 - i];
        bound = ((2.0 * w + 2.0 * size[0] + bound) * bound + tail) * (1.0 + 0x1p-40);
        bx.swap(nx);
        by.swap(ny);
        m = m == last ? ref.wrap : m + 1;
        const double first = std::hypot(bx[0], by[0]);
        double all = 0.0;
        for (std::size_t i = 0; i < Terms; ++i)
            all += std::hypot(bx[i], by[i]);
        // The evaluation rounds each term: where they together outweigh the
        // first term many times, they cancel, and the rounding of the
        // polynomial would outgrow that of the steps it replaces.
        if (!(bound <= epsilon * first) || !(all <= Cancel * first))
            break;
        series.steps = n + 1;
        series.index = m;
        series.nearx = bx;
        series.neary = by;
        series.remainder = bound;
    }
    if (series.steps == 0)
        return;
    const double first = std::hypot(series.nearx[0], series.neary[0]);
    double rest = 0.0;
    std::size_t wide = Terms;
    while (wide > 1) {
        rest += std::hypot(series.nearx[wide - 1], series.neary[wide - 1]);
        if (!(rest <= 0x1p-12 * first))
            break;
        --wide;
    }
    // The first terms again, in extended precision, along the same steps.
    using Wide = long double;
    std::vector<Wide> wx(wide, 0.0L), wy(wide, 0.0L), vx(wide), vy(wide);
    m = 0;
    for (std::size_t n = 0; n < series.steps; ++n) {
        step(ref.x[m], ref.y[m], scale, wx, wy, vx, vy);
        wx.swap(vx);
        wy.swap(vy);
        m = m == last ? ref.wrap : m + 1;
    }
    series.bx = wx;
    series.by = wy;
    series.wide = wide;
}

namespace {

// P(u) for N samples at once, u = dc / scale: Horner's rule over the terms
// in doubles, then over the first `wide` in extended precision. Every
// sample's operations are the same whatever N is.
template <int N>
void evaluate(const Series& s, double dcx, const double* dcy, double* dx, double* dy) {
    using Wide = long double;
    const Wide inverse = 1.0L / Wide(s.scale);
    Wide ux[N], uy[N];
    double nx[N], ny[N], px[N], py[N];
    for (int k = 0; k < N; ++k) {
        ux[k] = Wide(dcx) * inverse;
        uy[k] = Wide(dcy[k]) * inverse;
        nx[k] = double(ux[k]);
        ny[k] = double(uy[k]);
        px[k] = py[k] = 0.0;
    }
    const std::size_t terms = s.nearx.size();
    for (std::size_t i = terms; i-- > s.wide;)
        for (int k = 0; k < N; ++k) {
            const double sx = px[k] + s.nearx[i], sy = py[k] + s.neary[i];
            px[k] = sx * nx[k] - sy * ny[k];
            py[k] = sx * ny[k] + sy * nx[k];
        }
    Wide wx[N], wy[N];
    for (int k = 0; k < N; ++k) {
        wx[k] = px[k];
        wy[k] = py[k];
    }
    for (std::size_t i = s.wide; i-- > 0;)
        for (int k = 0; k < N; ++k) {
            const Wide sx = wx[k] + s.bx[i], sy = wy[k] + s.by[i];
            wx[k] = sx * ux[k] - sy * uy[k];
            wy[k] = sx * uy[k] + sy * ux[k];
        }
    for (int k = 0; k < N; ++k) {
        dx[k] = double(wx[k]);
        dy[k] = double(wy[k]);
    }
}

} // namespace

void seriesStarts(const Series& series, double dcx, const double* dcy, int n, double* dx,
                  double* dy) {
    constexpr int Together = 4;
    int k = 0;
    for (; k + Together <= n; k += Together)
        evaluate<Together>(series, dcx, dcy + k, dx + k, dy + k);
    for (; k < n; ++k)
        evaluate<1>(series, dcx, dcy + k, dx + k, dy + k);
}

} // namespace quor

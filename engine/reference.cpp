// The reference orbit of a deep view and the samples' offsets from it, in
// high precision (GMP rationals for the exact sample positions, MPFR for the
// orbit); everything the samples then need is stored in doubles.
//
// The reference is a periodic point of the view where one can be found: its
// orbit comes back exactly to W(0) = 0 and never escapes, so it serves every
// sample for as long as the limit asks, and its stored doubles repeat, which
// lets samples inside the set be found repeating. It is found as the nucleus
// of the lowest period whose disc test says a zero of W(p) lies near the
// view's centre, by Newton's method. Where none is found, the centre itself
// serves, and samples rebase when its orbit ends.
#include "deep.h"

#include <gmp.h>
#include <mpfr.h>

#include <algorithm>
#include <bit>
#include <cmath>

namespace quor {

namespace {

// How far from the view's centre a periodic point may lie to serve as the
// reference, in log2 of half diagonals: 2^6 half diagonals are some 2^15
// pixel steps, so the offsets keep 38 bits below a pixel step.
constexpr double Far = 6.0;
// How far (log2 half diagonals) a copy's nucleus may lie outside a view for
// its period to be preferred to its bulbs' (see discPeriod).
constexpr double Near = 2.0;

// Owners of GMP and MPFR numbers.
struct Rational {
    mpq_t q;
    Rational() { mpq_init(q); }
    ~Rational() { mpq_clear(q); }
    Rational(const Rational&) = delete;
    Rational& operator=(const Rational&) = delete;
};

struct Real {
    mpfr_t f;
    explicit Real(mpfr_prec_t bits) { mpfr_init2(f, bits); }
    ~Real() { mpfr_clear(f); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;
};

struct Complex {
    Real x, y;
    explicit Complex(mpfr_prec_t bits) : x(bits), y(bits) {}
};

// A plain decimal ("-12.5", ".5", "3.") exactly.
void readDecimal(const std::string& text, mpq_t out) {
    std::string digits;
    unsigned long fraction = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.')
            point = true;
        else if (c != '-') {
            digits += c;
            fraction += point ? 1 : 0;
        }
    }
    mpz_set_str(mpq_numref(out), digits.c_str(), 10);
    mpz_ui_pow_ui(mpq_denref(out), 10, fraction);
    mpq_canonicalize(out);
    if (!text.empty() && text[0] == '-')
        mpq_neg(out, out);
}

// z = z^2 + c, with two temporaries of z's precision.
struct Stepper {
    Real t1, t2;
    explicit Stepper(mpfr_prec_t bits) : t1(bits), t2(bits) {}
    void operator()(Complex& z, const Complex& c) {
        mpfr_sqr(t1.f, z.x.f, MPFR_RNDN);
        mpfr_sqr(t2.f, z.y.f, MPFR_RNDN);
        mpfr_mul(z.y.f, z.x.f, z.y.f, MPFR_RNDN);
        mpfr_mul_2ui(z.y.f, z.y.f, 1, MPFR_RNDN);
        mpfr_add(z.y.f, z.y.f, c.y.f, MPFR_RNDN);
        mpfr_sub(z.x.f, t1.f, t2.f, MPFR_RNDN);
        mpfr_add(z.x.f, z.x.f, c.x.f, MPFR_RNDN);
    }
};

// The derivative dW/dC, which grows past what a double holds: (x + iy) 2^e.
struct Derivative {
    double x = 0.0, y = 0.0;
    long e = 0;
    // d' = 2 W d + 1
    void step(double wx, double wy) {
        const double nx = 2.0 * (wx * x - wy * y) + std::ldexp(1.0, static_cast<int>(-e));
        y = 2.0 * (wx * y + wy * x);
        x = nx;
        const int big = std::max(std::ilogb(x), std::ilogb(y));
        if (big > 256) {
            x = std::ldexp(x, -256);
            y = std::ldexp(y, -256);
            e += 256;
        }
    }
    double log2Abs() const { return std::log2(std::hypot(x, y)) + static_cast<double>(e); }
};

// log2 of a complex value held in MPFR (-inf for zero).
double log2Abs(const Complex& z) {
    long ex = 0, ey = 0;
    const double mx = mpfr_get_d_2exp(&ex, z.x.f, MPFR_RNDN);
    const double my = mpfr_get_d_2exp(&ey, z.y.f, MPFR_RNDN);
    const long e = std::max(ex, ey);
    return std::log2(std::hypot(std::ldexp(mx, static_cast<int>(ex - e)),
                                std::ldexp(my, static_cast<int>(ey - e)))) +
           static_cast<double>(e);
}

// The period of the nucleus to look for from c: the lowest p (1 to most)
// for which the disc of radius r around c may hold a zero of W(p), that is
// |W(p)| < r |dW(p)/dC|; if there is none before the orbit escapes, the p
// whose disc would be the smallest. Zero when the orbit escapes at once.
// But where that p is a multiple of a lower period whose disc of radius
// 2^Near r holds a zero, the lower one: the view lies in the bulbs or the
// satellites around a small copy of the set whose nucleus is just outside
// it, and the copy's own period serves its samples better (its returns come
// as often, and its periods can be skipped). log2Derivative receives
// log2 |dW(p)/dC| of the p returned.
unsigned discPeriod(const Complex& c, double log2r, std::uint32_t most, mpfr_prec_t bits,
                    double& log2Derivative) {
    Complex z(bits);
    mpfr_set_zero(z.x.f, 1);
    mpfr_set_zero(z.y.f, 1);
    Stepper step(bits);
    Derivative d;
    unsigned best = 0, near = 0;
    double smallest = INFINITY, nearDerivative = 0.0;
    for (std::uint32_t p = 1; p <= most; ++p) {
        d.step(mpfr_get_d(z.x.f, MPFR_RNDN), mpfr_get_d(z.y.f, MPFR_RNDN));
        step(z, c);
        const double lz = log2Abs(z);
        if (lz > 1.0 || !std::isfinite(d.x) || !std::isfinite(d.y))
            break;
        const double disc = lz - d.log2Abs();
        if (disc < smallest) {
            smallest = disc;
            best = p;
            log2Derivative = d.log2Abs();
        }
        if (near == 0 && disc < log2r + Near) {
            near = p;
            nearDerivative = d.log2Abs();
        }
        if (disc < log2r) {
            if (near != 0 && near < p && p % near == 0) {
                log2Derivative = nearDerivative;
                return near;
            }
            break;
        }
    }
    return best;
}

// Newton's method for a zero of W(p) from c; true when it settled to the
// last bits of c.
bool nucleus(Complex& c, unsigned p, mpfr_prec_t bits) {
    Complex z(bits);
    Stepper step(bits);
    for (int iteration = 0; iteration < 80; ++iteration) {
        mpfr_set_zero(z.x.f, 1);
        mpfr_set_zero(z.y.f, 1);
        Derivative d;
        for (unsigned k = 0; k < p; ++k) {
            d.step(mpfr_get_d(z.x.f, MPFR_RNDN), mpfr_get_d(z.y.f, MPFR_RNDN));
            step(z, c);
        }
        // delta = W(p) / dW(p), with W(p) scaled into doubles.
        long ex = 0, ey = 0;
        const double mx = mpfr_get_d_2exp(&ex, z.x.f, MPFR_RNDN);
        const double my = mpfr_get_d_2exp(&ey, z.y.f, MPFR_RNDN);
        const long e = std::max(ex, ey);
        const double wx = std::ldexp(mx, static_cast<int>(ex - e));
        const double wy = std::ldexp(my, static_cast<int>(ey - e));
        const double den = d.x * d.x + d.y * d.y;
        if (!(den > 0.0) || !std::isfinite(den))
            return false;
        const int scale = static_cast<int>(e - d.e);
        const double deltaX = std::ldexp((wx * d.x + wy * d.y) / den, scale);
        const double deltaY = std::ldexp((wy * d.x - wx * d.y) / den, scale);
        if (!std::isfinite(deltaX) || !std::isfinite(deltaY))
            return false;
        mpfr_sub_d(c.x.f, c.x.f, deltaX, MPFR_RNDN);
        mpfr_sub_d(c.y.f, c.y.f, deltaY, MPFR_RNDN);
        // Settled when the step is down to the last bits of c.
        const double size = std::log2(std::hypot(deltaX, deltaY));
        if (size < std::max(log2Abs(c), -40.0) - static_cast<double>(bits) + 8.0)
            return true;
    }
    return false;
}

// Rounds a rational to the nearest double.
double nearest(const mpq_t q) {
    Real r(53);
    mpfr_set_q(r.f, q, MPFR_RNDN);
    return mpfr_get_d(r.f, MPFR_RNDN);
}

// The offsets a + k (b - a) / 723 - centre, k = 0..723, each rounded once.
void offsets(const mpq_t a, const mpq_t b, const mpq_t centre, double* out) {
    Rational step, v;
    mpq_sub(step.q, b, a);
    mpq_set_ui(v.q, 723, 1);
    mpq_div(step.q, step.q, v.q);
    mpq_sub(v.q, a, centre);
    for (int k = 0; k < DimScreen; ++k) {
        out[k] = nearest(v.q);
        mpq_add(v.q, v.q, step.q);
    }
}

// Stores the orbit of c: W(0) .. W(length - 1), or up to and including the
// first escape. Returns |W(length)| (rounded up), if it got there.
double storeOrbit(const Complex& c, std::size_t length, mpfr_prec_t bits, Reference& ref) {
    Complex z(bits);
    mpfr_set_zero(z.x.f, 1);
    mpfr_set_zero(z.y.f, 1);
    Stepper step(bits);
    ref.x.clear();
    ref.y.clear();
    for (std::size_t k = 0; k < length; ++k) {
        const double x = mpfr_get_d(z.x.f, MPFR_RNDN), y = mpfr_get_d(z.y.f, MPFR_RNDN);
        ref.x.push_back(x);
        ref.y.push_back(y);
        if (!(x * x + y * y <= 4.0))
            return INFINITY;
        step(z, c);
    }
    return std::hypot(mpfr_get_d(z.x.f, MPFR_RNDA), mpfr_get_d(z.y.f, MPFR_RNDA)) * (1.0 + 0x1p-50);
}

bool sameBits(const Reference& r, std::size_t i, std::size_t j) {
    return std::bit_cast<std::uint64_t>(r.x[i]) == std::bit_cast<std::uint64_t>(r.x[j]) &&
           std::bit_cast<std::uint64_t>(r.y[i]) == std::bit_cast<std::uint64_t>(r.y[j]);
}

// A reference that never escapes often settles into doubles that repeat:
// from the first index k0 where W(i) = W(i + q) holds bit for bit to the
// end, it is made periodic (W(k0 + q) is W(k0) again). Samples never look
// past W(limit), so the wrapped reference gives them the very values the
// long one would; only now their state can repeat.
void wrapRepeatingTail(Reference& ref) {
    const std::size_t last = ref.size() - 1;
    std::size_t j = last;
    while (j-- > 0 && !sameBits(ref, j, last)) {
    }
    if (j == static_cast<std::size_t>(-1))
        return;
    const std::size_t q = last - j;
    std::size_t k0 = j;
    while (k0 > 0 && sameBits(ref, k0 - 1, k0 - 1 + q))
        --k0;
    ref.x.resize(k0 + q);
    ref.y.resize(k0 + q);
    ref.periodic = true;
    ref.wrap = k0;
    // W(k0 + q) and W(k0) are the same doubles, each within 2^-53 of the
    // exact orbit (and the high precision's own error, far below that).
    ref.wrapDefect = 0x1p-51 * (std::fabs(ref.x[k0]) + std::fabs(ref.y[k0]));
}

// Makes the nucleus that Newton's method finds from c, for the period of
// discPeriod with radius 2^log2r, the reference, if it settles within Far
// half diagonals (2^log2r) of the centre. Its orbit must come out right to
// 64 bits after the derivative has magnified the point's last bits, which
// may take more bits than the view's depth.
bool periodicReference(const Complex& from, const Complex& centre, double log2r, std::uint32_t nmax,
                       DeepView& view, mpq_t cx, mpq_t cy) {
    double log2Derivative = 0.0;
    const mpfr_prec_t bits = mpfr_get_prec(from.x.f);
    const unsigned p = discPeriod(from, log2r, nmax, bits, log2Derivative);
    if (p == 0)
        return false;
    const mpfr_prec_t nbits =
        std::max<mpfr_prec_t>(bits, static_cast<mpfr_prec_t>(log2Derivative) + 64);
    Complex c(nbits);
    mpfr_set(c.x.f, from.x.f, MPFR_RNDN);
    mpfr_set(c.y.f, from.y.f, MPFR_RNDN);
    if (!nucleus(c, p, nbits))
        return false;
    Real distance(53), t(53);
    mpfr_sub(distance.f, c.x.f, centre.x.f, MPFR_RNDN);
    mpfr_sub(t.f, c.y.f, centre.y.f, MPFR_RNDN);
    mpfr_hypot(distance.f, distance.f, t.f, MPFR_RNDN);
    if (!(std::log2(mpfr_get_d(distance.f, MPFR_RNDN)) < log2r + Far))
        return false;
    // W(p) is nearly 0 = W(0), which stands for it: the difference, and a
    // margin for the error of the high precision itself.
    const double after = storeOrbit(c, p, nbits, view.reference);
    if (view.reference.size() != p)
        return false;
    view.reference.periodic = true;
    view.reference.wrap = 0;
    view.reference.wrapDefect = 2.0 * after + 0x1p-60;
    view.nucleus = true;
    view.period = p;
    view.precision = nbits;
    mpfr_get_q(cx, c.x.f);
    mpfr_get_q(cy, c.y.f);
    return true;
}

// Probes per side when the centre's orbit escapes: the sample that lasts
// longest among them leads to a longer orbit or a periodic point.
constexpr int Probes = 16;

} // namespace

namespace {

// The reference and the offsets.
void chooseReference(const DeepJob& job, DeepView& view, bool periodicPoint) {
    Rational xa, xb, ya, yb;
    readDecimal(job.limits.xa, xa.q);
    readDecimal(job.limits.xb, xb.q);
    readDecimal(job.limits.ya, ya.q);
    readDecimal(job.limits.yb, yb.q);

    // The precision: the pixel step's bits and 64 more.
    Rational width, height;
    mpq_sub(width.q, xb.q, xa.q);
    mpq_sub(height.q, yb.q, ya.q);
    const double log2Pixel =
        std::log2(std::min(nearest(width.q), nearest(height.q))) - std::log2(723.0);
    const mpfr_prec_t bits = std::max<mpfr_prec_t>(80, static_cast<mpfr_prec_t>(-log2Pixel) + 64);
    view.nucleus = false;
    view.period = 0;
    view.precision = bits;

    Rational cx, cy; // the reference's parameter C
    mpq_add(cx.q, xa.q, xb.q);
    mpq_div_2exp(cx.q, cx.q, 1);
    mpq_add(cy.q, ya.q, yb.q);
    mpq_div_2exp(cy.q, cy.q, 1);
    Complex centre(bits);
    mpfr_set_q(centre.x.f, cx.q, MPFR_RNDN);
    mpfr_set_q(centre.y.f, cy.q, MPFR_RNDN);

    // First a periodic point found from the centre: within the view's half
    // diagonal if there is one, else the nearest the centre's orbit points
    // to. Failing that the centre's own orbit; and if that escapes before
    // the limit, a periodic point found from the probe that lasts longest,
    // or that probe's orbit, if it lasts longer.
    const double log2r = std::log2(0.5 * std::hypot(nearest(width.q), nearest(height.q)));
    if (periodicPoint && periodicReference(centre, centre, log2r, job.nmax, view, cx.q, cy.q)) {
        offsets(xa.q, xb.q, cx.q, view.dcx);
        offsets(ya.q, yb.q, cy.q, view.dcy);
        return;
    }
    storeOrbit(centre, std::size_t{job.nmax} + 1, bits, view.reference);
    view.reference.periodic = false;
    offsets(xa.q, xb.q, cx.q, view.dcx);
    offsets(ya.q, yb.q, cy.q, view.dcy);
    if (view.reference.size() == std::size_t{job.nmax} + 1) {
        wrapRepeatingTail(view.reference);
        return;
    }
    if (!periodicPoint)
        return;

    constexpr int spacing = DimScreen / Probes;
    std::uint32_t longest = static_cast<std::uint32_t>(view.reference.size()) - 2;
    int bestColumn = -1, bestRow = -1;
    for (int j = spacing / 2; j < DimScreen; j += spacing)
        for (int i = spacing / 2; i < DimScreen; i += spacing) {
            const std::uint32_t n =
                deepCount(view.reference, view.dcx[j], view.dcy[i], job.nmax, false);
            if (n > longest) {
                longest = n;
                bestColumn = j;
                bestRow = i;
            }
        }
    if (bestColumn < 0)
        return;
    Rational px, py, t;
    mpq_set_ui(t.q, static_cast<unsigned long>(bestColumn), 723);
    mpq_mul(px.q, width.q, t.q);
    mpq_add(px.q, px.q, xa.q);
    mpq_set_ui(t.q, static_cast<unsigned long>(bestRow), 723);
    mpq_mul(py.q, height.q, t.q);
    mpq_add(py.q, py.q, ya.q);
    Complex probe(bits);
    mpfr_set_q(probe.x.f, px.q, MPFR_RNDN);
    mpfr_set_q(probe.y.f, py.q, MPFR_RNDN);
    const double log2Spacing = log2Pixel + std::log2(double(spacing));
    if (!periodicReference(probe, centre, log2Spacing, job.nmax, view, cx.q, cy.q)) {
        storeOrbit(probe, std::size_t{job.nmax} + 1, bits, view.reference);
        if (view.reference.size() == std::size_t{job.nmax} + 1)
            wrapRepeatingTail(view.reference);
        mpfr_get_q(cx.q, probe.x.f);
        mpfr_get_q(cy.q, probe.y.f);
    }
    offsets(xa.q, xb.q, cx.q, view.dcx);
    offsets(ya.q, yb.q, cy.q, view.dcy);
}

} // namespace

void prepareDeepView(const DeepJob& job, DeepView& view, bool periodicPoint) {
    chooseReference(job, view, periodicPoint);
    buildSeries(view, job.nmax);
    buildPeriod(view, job.nmax);
}

} // namespace quor

// The fixed test views, built by a rule from target points rather than typed.
//
// Targets. Both are points of the boundary whose orbits land on a repelling
// cycle, so every view around them, however deep, is full of detail and
// mostly escaping. Near i the target is i itself (i, -1 + i, -i, -1 + i,
// ...). In the seahorse valley it is found from a seed by Newton's method
// (below); its cycle repels only slightly, so the counts around it climb
// into the thousands as the views deepen.
//
// Names. From the start view, letter by letter: the zoom letter of the cell
// whose middle is nearest the target, which is the cell that holds it. The
// cells are 144.6 pixel steps wide on a pitch of 145, so a target may fall
// between two cells, and one held near a cell's edge drifts out of the view
// within a few letters; where the target lies more than 0.49 cell widths
// from the middle in x or in y, the shift letter that brings it nearest a
// cell's middle goes first.
#include "exact.h"
#include "oracle.h"

#include <cmath>
#include <cstdio>

namespace quoracle {

namespace {

// A complex number in MPFR and the few operations the targets need.
struct C {
    R x, y;
    explicit C(mpfr_prec_t bits) : x(bits), y(bits) {}
    void set(const C& o) {
        mpfr_set(x.f, o.x.f, MPFR_RNDN);
        mpfr_set(y.f, o.y.f, MPFR_RNDN);
    }
    void set(double a, double b) {
        mpfr_set_d(x.f, a, MPFR_RNDN);
        mpfr_set_d(y.f, b, MPFR_RNDN);
    }
    double abs() const {
        return std::hypot(mpfr_get_d(x.f, MPFR_RNDN), mpfr_get_d(y.f, MPFR_RNDN));
    }
};

// r = a b (r may be a or b).
void mul(C& r, const C& a, const C& b) {
    C t(mpfr_get_prec(r.x.f));
    R u(mpfr_get_prec(r.x.f));
    mpfr_mul(t.x.f, a.x.f, b.x.f, MPFR_RNDN);
    mpfr_mul(u.f, a.y.f, b.y.f, MPFR_RNDN);
    mpfr_sub(t.x.f, t.x.f, u.f, MPFR_RNDN);
    mpfr_mul(t.y.f, a.x.f, b.y.f, MPFR_RNDN);
    mpfr_mul(u.f, a.y.f, b.x.f, MPFR_RNDN);
    mpfr_add(t.y.f, t.y.f, u.f, MPFR_RNDN);
    r.set(t);
}

// r = a / b.
void div(C& r, const C& a, const C& b) {
    const mpfr_prec_t bits = mpfr_get_prec(r.x.f);
    C conj(bits), t(bits);
    R n(bits);
    mpfr_set(conj.x.f, b.x.f, MPFR_RNDN);
    mpfr_neg(conj.y.f, b.y.f, MPFR_RNDN);
    mul(t, a, conj);
    mpfr_sqr(n.f, b.x.f, MPFR_RNDN);
    mpfr_fma(n.f, b.y.f, b.y.f, n.f, MPFR_RNDN);
    mpfr_div(r.x.f, t.x.f, n.f, MPFR_RNDN);
    mpfr_div(r.y.f, t.y.f, n.f, MPFR_RNDN);
}

void add(C& r, const C& a, const C& b) {
    mpfr_add(r.x.f, a.x.f, b.x.f, MPFR_RNDN);
    mpfr_add(r.y.f, a.y.f, b.y.f, MPFR_RNDN);
}

std::string text(const R& v) {
    Q q;
    mpfr_get_q(q.q, v.f);
    return decimalText(q, 70);
}

// A seed in the seahorse valley, between the main cardioid and the disc of
// period 2.
const Point seahorseSeed{"-0.7453", "0.1127"};

// The target near the seahorse seed: the point that Newton's method finds
// from the seed for W(k + 1) = W(k), k = 28, a point whose orbit lands on a
// repelling fixed point after 28 steps and so lies on the boundary. Its
// fixed point's multiplier is close to 1 in size (about 1.0064), so the
// counts around it grow by some 160 for every factor e of zoom: near 7,000
// at 30 letters.
const Point& seahorseTarget() {
    static const Point target = [] {
        constexpr unsigned k = 28;
        const mpfr_prec_t bits = 400;
        C c(bits), w(bits), dw(bits), wk(bits), dwk(bits), g(bits), dg(bits), step(bits), one(bits);
        const Q sx = decimal(seahorseSeed.x), sy = decimal(seahorseSeed.y);
        mpfr_set_q(c.x.f, sx.q, MPFR_RNDN);
        mpfr_set_q(c.y.f, sy.q, MPFR_RNDN);
        one.set(1.0, 0.0);
        for (int iteration = 0; iteration < 100; ++iteration) {
            w.set(0.0, 0.0);
            dw.set(0.0, 0.0);
            for (unsigned j = 0; j <= k; ++j) {
                if (j == k) {
                    wk.set(w);
                    dwk.set(dw);
                }
                mul(dw, dw, w);
                mpfr_mul_2ui(dw.x.f, dw.x.f, 1, MPFR_RNDN);
                mpfr_mul_2ui(dw.y.f, dw.y.f, 1, MPFR_RNDN);
                add(dw, dw, one);
                mul(w, w, w);
                add(w, w, c);
            }
            mpfr_sub(g.x.f, w.x.f, wk.x.f, MPFR_RNDN);
            mpfr_sub(g.y.f, w.y.f, wk.y.f, MPFR_RNDN);
            mpfr_sub(dg.x.f, dw.x.f, dwk.x.f, MPFR_RNDN);
            mpfr_sub(dg.y.f, dw.y.f, dwk.y.f, MPFR_RNDN);
            div(step, g, dg);
            mpfr_sub(c.x.f, c.x.f, step.x.f, MPFR_RNDN);
            mpfr_sub(c.y.f, c.y.f, step.y.f, MPFR_RNDN);
            if (step.abs() == 0.0 || std::log2(step.abs()) < -static_cast<double>(bits) + 8)
                break;
        }
        return Point{text(c.x), text(c.y)};
    }();
    return target;
}

// The nucleus nearest a seed: along the seed's orbit, until it escapes, the
// period p whose disc |c' - c| < |W(p)| / |dW(p)/dc| (where W(p) may have a
// zero) is smallest gives the period, and Newton's method from the seed
// the nucleus, a periodic point: W(p) = 0.
Point nucleusNear(const Point& seed, mpfr_prec_t bits, unsigned& period) {
    C c(bits), w(bits), dw(bits), step(bits), one(bits);
    const Q sx = decimal(seed.x), sy = decimal(seed.y);
    mpfr_set_q(c.x.f, sx.q, MPFR_RNDN);
    mpfr_set_q(c.y.f, sy.q, MPFR_RNDN);
    one.set(1.0, 0.0);
    auto orbit = [&](unsigned steps, auto&& each) {
        w.set(0.0, 0.0);
        dw.set(0.0, 0.0);
        for (unsigned p = 1; p <= steps; ++p) {
            mul(dw, dw, w); // d' = 2 W d + 1
            mpfr_mul_2ui(dw.x.f, dw.x.f, 1, MPFR_RNDN);
            mpfr_mul_2ui(dw.y.f, dw.y.f, 1, MPFR_RNDN);
            add(dw, dw, one);
            mul(w, w, w);
            add(w, w, c);
            if (!each(p))
                break;
        }
    };
    double smallest = INFINITY;
    period = 0;
    orbit(1000000, [&](unsigned p) {
        const double disc = std::log2(w.abs()) - std::log2(dw.abs());
        if (disc < smallest) {
            smallest = disc;
            period = p;
        }
        return w.abs() <= 2.0;
    });
    for (int k = 0; k < 100; ++k) {
        orbit(period, [](unsigned) { return true; });
        div(step, w, dw);
        mpfr_sub(c.x.f, c.x.f, step.x.f, MPFR_RNDN);
        mpfr_sub(c.y.f, c.y.f, step.y.f, MPFR_RNDN);
        if (step.abs() == 0.0 || std::log2(step.abs()) < -static_cast<double>(bits) + 8)
            break;
    }
    return {text(c.x), text(c.y)};
}

} // namespace

std::string nameTowards(const Point& target, int letters) {
    const Q tx = decimal(target.x), ty = decimal(target.y);
    Q xa(-2), xb(1), ya(-3, 2), yb(3, 2);
    const long shifts[5] = {-48, -24, 0, 24, 48};
    std::string name;
    // The cell nearest the target along one side from lo with width w, after
    // a shift of s steps: its index and the target's offset from its middle
    // in cell widths.
    auto nearest = [](const Q& t, const Q& lo, const Q& w, long s) {
        const Q step = w / Q(723);
        double best = 1e300;
        int index = 0;
        for (int k = 0; k < 5; ++k) {
            const Q middle = lo + step * Q(145 * k + s) + w / Q(10);
            const double off = mpq_get_d(((t - middle) / (w / Q(5))).q);
            if (std::fabs(off) < std::fabs(best)) {
                best = off;
                index = k;
            }
        }
        return std::pair(index, best);
    };
    while (static_cast<int>(name.size()) < letters) {
        const Q w = xb - xa;
        const Q step = w / Q(723);
        auto [col, ox] = nearest(tx, xa, w, 0);
        auto [row, oy] = nearest(ty, ya, w, 0);
        if ((std::fabs(ox) > 0.49 || std::fabs(oy) > 0.49) &&
            static_cast<int>(name.size()) + 2 <= letters) {
            int sx = 2, sy = 2;
            for (int s = 0; s < 5; ++s) {
                if (std::fabs(nearest(tx, xa, w, shifts[s]).second) <
                    std::fabs(nearest(tx, xa, w, shifts[sx]).second))
                    sx = s;
                if (std::fabs(nearest(ty, ya, w, shifts[s]).second) <
                    std::fabs(nearest(ty, ya, w, shifts[sy]).second))
                    sy = s;
            }
            name += static_cast<char>('a' + 5 * sy + sx);
            const Q dx = step * Q(shifts[sx]), dy = step * Q(shifts[sy]);
            xa = xa + dx;
            xb = xb + dx;
            ya = ya + dy;
            yb = yb + dy;
            col = nearest(tx, xa, w, 0).first;
            row = nearest(ty, ya, w, 0).first;
        }
        name += static_cast<char>('A' + 5 * row + col);
        xa = xa + step * Q(145 * col);
        xb = xa + w / Q(5);
        ya = ya + step * Q(145 * row);
        yb = ya + w / Q(5);
    }
    return name;
}

std::vector<TestView> testViews() {
    std::vector<TestView> views;
    const Point i{"0", "1"};
    for (const int letters : {20, 26, 32, 38}) {
        const Point& t = seahorseTarget();
        views.push_back({"seahorse " + std::to_string(letters), nameTowards(t, letters), 32767, t});
    }
    for (const int letters : {20, 26, 32, 38})
        views.push_back({"i " + std::to_string(letters), nameTowards(i, letters), 1000, i});
    return views;
}

TestView copyView() {
    // The nucleus nearest the point 2^-24 from the seahorse target towards
    // the lower left, a small copy of the set of period 1948; the name of 37
    // letters towards it. At 36 letters its interior covers 1.3 % of the
    // picture, at 37 a third (the test measures it), at 38 nearly all.
    const Point& t = seahorseTarget();
    Q d;
    mpq_set_d(d.q, -std::ldexp(std::sqrt(0.5), -24));
    unsigned period = 0;
    const Point n = nucleusNear(
        {decimalText(decimal(t.x) + d, 70), decimalText(decimal(t.y) + d, 70)}, 200, period);
    return {"copy 37, period " + std::to_string(period), nameTowards(n, 37), 32767, n};
}

} // namespace quoracle

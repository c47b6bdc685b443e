#include "domain/exactorbit.h"

#include <mpfr.h>

#include <algorithm>

namespace quorvane {

// c and the orbit's point at one precision.
struct ExactOrbitTrace::Orbit {
    mpfr_t cx, cy, x, y, xx, yy, u;

    Orbit(const ExactPoint& c, long bits) {
        for (mpfr_ptr v : {cx, cy, x, y, xx, yy, u})
            mpfr_init2(v, bits);
        mpfr_set_q(cx, c.x.get_mpq_t(), MPFR_RNDN);
        mpfr_set_q(cy, c.y.get_mpq_t(), MPFR_RNDN);
        mpfr_set(x, cx, MPFR_RNDN);
        mpfr_set(y, cy, MPFR_RNDN);
    }
    ~Orbit() {
        for (mpfr_ptr v : {cx, cy, x, y, xx, yy, u})
            mpfr_clear(v);
    }
    Orbit(const Orbit&) = delete;
    Orbit& operator=(const Orbit&) = delete;

    // z = z^2 + c, as the double trace takes the step.
    void step() {
        mpfr_sqr(xx, x, MPFR_RNDN);
        mpfr_sqr(yy, y, MPFR_RNDN);
        mpfr_mul(y, x, y, MPFR_RNDN);
        mpfr_mul_2ui(y, y, 1, MPFR_RNDN);
        mpfr_add(y, y, cy, MPFR_RNDN);
        mpfr_sub(x, xx, yy, MPFR_RNDN);
        mpfr_add(x, x, cx, MPFR_RNDN);
    }
    // The whole pixel of v along an axis of the start view starting at min.
    double pixelOf(mpfr_srcptr v, double min) {
        mpfr_sub_d(u, v, min, MPFR_RNDN);
        mpfr_mul_ui(u, u, PictureSteps, MPFR_RNDN);
        mpfr_div_ui(u, u, 3, MPFR_RNDN);
        mpfr_floor(u, u);
        return std::clamp(mpfr_get_d(u, MPFR_RNDN), -FarPixel, FarPixel);
    }
    QPointF pixel() { return {pixelOf(x, StartView.xMin), pixelOf(y, StartView.yMin)}; }
    bool inSquare() const {
        return mpfr_cmp_si(x, -2) >= 0 && mpfr_cmp_si(x, 2) <= 0 && mpfr_cmp_si(y, -2) >= 0 &&
               mpfr_cmp_si(y, 2) <= 0;
    }
};

namespace {

constexpr long ApartBits = 64;

// floor((v - min) * 723 / 3), exactly.
double exactPixel(const mpq_class& v, const mpq_class& min) {
    const mpq_class scaled = (v - min) * PictureSteps / 3;
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    return whole.get_d();
}

} // namespace

ExactOrbitTrace::ExactOrbitTrace(const ExactPoint& point)
    : c(point), low(std::make_unique<Orbit>(point, point.bits)),
      high(std::make_unique<Orbit>(point, point.bits + ApartBits)),
      zPixel(exactPixel(point.x, ExactLimits{}.xMin), exactPixel(point.y, ExactLimits{}.yMin)) {}

ExactOrbitTrace::~ExactOrbitTrace() = default;
ExactOrbitTrace::ExactOrbitTrace(ExactOrbitTrace&&) noexcept = default;
ExactOrbitTrace& ExactOrbitTrace::operator=(ExactOrbitTrace&&) noexcept = default;

long ExactOrbitTrace::precision() const {
    return long(mpfr_get_prec(low->x));
}

// Both precisions doubled, and the orbit followed again from c to where it was.
void ExactOrbitTrace::raise() {
    const long bits = 2 * precision();
    low = std::make_unique<Orbit>(c, bits);
    high = std::make_unique<Orbit>(c, bits + ApartBits);
    for (std::uint64_t k = 0; k < count; ++k) {
        low->step();
        high->step();
    }
}

std::optional<OrbitStep> ExactOrbitTrace::next() {
    QPointF nPixel;
    bool inSquare = false;
    for (;;) {
        low->step();
        high->step();
        nPixel = low->pixel();
        inSquare = low->inSquare();
        if (nPixel == high->pixel() && inSquare == high->inSquare())
            break;
        if (2 * precision() > MaxBits)
            return std::nullopt;
        raise();
    }
    OrbitStep step;
    step.line = clipToPicture(zPixel, nPixel);
    step.escaped = !inSquare;
    zPixel = nPixel;
    ++count;
    return step;
}

} // namespace quorvane

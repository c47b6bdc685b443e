// The trace of a deep picture's point: its exact orbit, drawn where two
// precisions agree, against the double trace and a plain orbit in MPFR.
#include "domain/exactorbit.h"
#include "oracle.h"

#include <mpfr.h>

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

// The start view's pixels of the orbit of c, from z = c, until it leaves
// the square -2..2 or after steps steps: at bits bits, with the real part
// of the square taken as (x + y)(x - y), another way than the trace's.
std::vector<QPointF> orbitPixels(const ExactPoint& c, long bits, int steps) {
    mpfr_t cx, cy, x, y, sum, difference, px, py;
    for (mpfr_ptr v : {cx, cy, x, y, sum, difference, px, py})
        mpfr_init2(v, bits);
    mpfr_set_q(cx, c.x.get_mpq_t(), MPFR_RNDN);
    mpfr_set_q(cy, c.y.get_mpq_t(), MPFR_RNDN);
    mpfr_set(x, cx, MPFR_RNDN);
    mpfr_set(y, cy, MPFR_RNDN);
    std::vector<QPointF> pixels;
    for (int k = 0; k < steps; ++k) {
        mpfr_add(sum, x, y, MPFR_RNDN);
        mpfr_sub(difference, x, y, MPFR_RNDN);
        mpfr_mul(y, x, y, MPFR_RNDN);
        mpfr_mul_2ui(y, y, 1, MPFR_RNDN);
        mpfr_add(y, y, cy, MPFR_RNDN);
        mpfr_mul(x, sum, difference, MPFR_RNDN);
        mpfr_add(x, x, cx, MPFR_RNDN);
        // (x + 2) 241 and (y + 1.5) 241, whole.
        mpfr_add_ui(px, x, 2, MPFR_RNDN);
        mpfr_mul_ui(px, px, 241, MPFR_RNDN);
        mpfr_add_d(py, y, 1.5, MPFR_RNDN);
        mpfr_mul_ui(py, py, 241, MPFR_RNDN);
        pixels.emplace_back(mpfr_get_d(px, MPFR_RNDD), mpfr_get_d(py, MPFR_RNDD));
        pixels.back() = {std::floor(pixels.back().x()), std::floor(pixels.back().y())};
        if (mpfr_cmpabs_ui(x, 2) > 0 || mpfr_cmpabs_ui(y, 2) > 0)
            break;
    }
    for (mpfr_ptr v : {cx, cy, x, y, sum, difference, px, py})
        mpfr_clear(v);
    return pixels;
}

} // namespace

TEST(ExactOrbitTrace, DrawsAsTheDoubleTraceWhereDoublesHoldTheOrbit) {
    // Orbits that stay on dyadic points, settle on a cycle or leave at once.
    for (const PlanePoint c : {PlanePoint{-1, 0}, PlanePoint{0, 0}, PlanePoint{-2.5, 0},
                               PlanePoint{-1.75, 0}, PlanePoint{-0.125, 0.75}}) {
        ExactOrbitTrace exact({mpq_class(c.x), mpq_class(c.y), 53});
        OrbitTrace plain(c);
        EXPECT_EQ(exact.pixel(), plain.pixel());
        for (int k = 0; k < 300; ++k) {
            const OrbitStep step = plain.next();
            ASSERT_EQ(exact.next(), step) << c.x << " " << c.y << " step " << k;
            if (step.escaped)
                break;
        }
        EXPECT_EQ(exact.precision(), 53);
    }
}

TEST(ExactOrbitTrace, FollowsTheExactPointWhereTheDoubleOneIsLost) {
    // A sample near the seahorse valley's target, 20 letters down: its orbit
    // lingers by a weakly repelling cycle for thousands of steps.
    const View view =
        View::of(*AreaName::from(QString::fromStdString(quoracle::testViews()[0].name)));
    const ExactPoint c = *deepSample(view, 362, 362);
    constexpr int Steps = 8000;
    const std::vector<QPointF> reference = orbitPixels(c, 4096, Steps);
    ASSERT_EQ(reference, orbitPixels(c, 4096 + 64, Steps));
    ASSERT_GT(reference.size(), 2000u);

    // From the sample's own precision, and from one far too coarse, which
    // has to grow until the two agree.
    ExactOrbitTrace exact(c), coarse({c.x, c.y, 24});
    OrbitTrace plain(view.pointAt(362, 362));
    std::size_t parted = reference.size();
    for (std::size_t k = 0; k < reference.size(); ++k) {
        const bool last = k + 1 == reference.size() && reference.size() < Steps;
        for (ExactOrbitTrace* trace : {&exact, &coarse}) {
            const auto step = trace->next();
            ASSERT_TRUE(step);
            ASSERT_EQ(trace->pixel(), reference[k]) << "step " << k;
            EXPECT_EQ(step->escaped, last) << k;
        }
        plain.next();
        if (parted == reference.size() && plain.pixel() != reference[k])
            parted = k;
    }
    EXPECT_GT(coarse.precision(), 24);
    // The double trace of the nearest double point went astray.
    EXPECT_LT(parted, reference.size());
}

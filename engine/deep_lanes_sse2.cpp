// The deep lanes on SSE2, which every x86-64 processor has: four groups of
// two samples.
#include "deep_lanes.h"

#include <emmintrin.h>

#include <cmath>

namespace {

struct Sse2 {
    using D = __m128d;
    static constexpr int Lanes = 2;
    static D load(const double* p) { return _mm_load_pd(p); }
    static void store(double* p, D a) { _mm_store_pd(p, a); }
    static D set1(double a) { return _mm_set1_pd(a); }
    static D add(D a, D b) { return _mm_add_pd(a, b); }
    static D sub(D a, D b) { return _mm_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm_mul_pd(a, b); }
    // a b + c and c - a b, each rounded once: SSE2 has no fused
    // instruction, so the library's exact fma, lane by lane.
    static D fmadd(D a, D b, D c) {
        return _mm_set_pd(std::fma(hi(a), hi(b), hi(c)), std::fma(lo(a), lo(b), lo(c)));
    }
    static D fnmadd(D a, D b, D c) {
        return _mm_set_pd(std::fma(-hi(a), hi(b), hi(c)), std::fma(-lo(a), lo(b), lo(c)));
    }
    static double lo(D a) { return _mm_cvtsd_f64(a); }
    static double hi(D a) { return _mm_cvtsd_f64(_mm_unpackhi_pd(a, a)); }
    static D sqrt(D a) { return _mm_sqrt_pd(a); }
    static D abs(D a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }
    // Lanes where !(zz <= four) (a sum that is not a number too) or zz < dd.
    static unsigned outside(D zz, D four, D dd) {
        return unsigned(_mm_movemask_pd(_mm_or_pd(_mm_cmpnle_pd(zz, four), _mm_cmplt_pd(zz, dd))));
    }
};

#include "deep_steps.h"

} // namespace

namespace quor::deeplanes {

Run stepsSse2(Group& g, unsigned live, const Orbit& o, int most, unsigned ball) {
    static_assert(Sse2::Lanes == LanesSse2);
    return groupRun<Sse2>(g, live, o, most, ball);
}

} // namespace quor::deeplanes

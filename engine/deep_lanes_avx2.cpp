// The deep lanes on AVX2: four groups of four samples. Compiled with -mavx2
// and -mfma (the fused multiply-adds of stepLane(), no others: the project
// keeps the compiler from fusing) and called only when the processor has
// both.
#include "deep_lanes.h"

#include <immintrin.h>

namespace {

struct Avx2 {
    using D = __m256d;
    static constexpr int Lanes = 4;
    static D load(const double* p) { return _mm256_load_pd(p); }
    static void store(double* p, D a) { _mm256_store_pd(p, a); }
    static D set1(double a) { return _mm256_set1_pd(a); }
    static D add(D a, D b) { return _mm256_add_pd(a, b); }
    static D sub(D a, D b) { return _mm256_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm256_mul_pd(a, b); }
    // a b + c and c - a b, each rounded once.
    static D fmadd(D a, D b, D c) { return _mm256_fmadd_pd(a, b, c); }
    static D fnmadd(D a, D b, D c) { return _mm256_fnmadd_pd(a, b, c); }
    static D sqrt(D a) { return _mm256_sqrt_pd(a); }
    static D abs(D a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
    // Lanes where !(zz <= four) (a sum that is not a number too) or zz < dd.
    static unsigned outside(D zz, D four, D dd) {
        return unsigned(_mm256_movemask_pd(
            _mm256_or_pd(_mm256_cmp_pd(zz, four, _CMP_NLE_UQ), _mm256_cmp_pd(zz, dd, _CMP_LT_OQ))));
    }
};

#include "deep_steps.h"

} // namespace

namespace quor::deeplanes {

Run stepsAvx2(Group& g, unsigned live, const Orbit& o, int most, unsigned ball) {
    static_assert(Avx2::Lanes == LanesAvx2);
    return groupRun<Avx2>(g, live, o, most, ball);
}

} // namespace quor::deeplanes

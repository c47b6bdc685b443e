// The deep lanes on AVX-512: four groups of eight samples. Compiled with
// -mavx512f (the fused multiply-adds of stepLane(), no others: the project
// keeps the compiler from fusing) and called only when the processor has
// it.
#include "deep_lanes.h"

#include <immintrin.h>

namespace {

struct Avx512 {
    using D = __m512d;
    static constexpr int Lanes = 8;
    static D load(const double* p) { return _mm512_load_pd(p); }
    static void store(double* p, D a) { _mm512_store_pd(p, a); }
    static D set1(double a) { return _mm512_set1_pd(a); }
    static D add(D a, D b) { return _mm512_add_pd(a, b); }
    static D sub(D a, D b) { return _mm512_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm512_mul_pd(a, b); }
    // a b + c and c - a b, each rounded once.
    static D fmadd(D a, D b, D c) { return _mm512_fmadd_pd(a, b, c); }
    static D fnmadd(D a, D b, D c) { return _mm512_fnmadd_pd(a, b, c); }
    static D sqrt(D a) { return _mm512_maskz_sqrt_pd(0xFF, a); }
    static D abs(D a) { return _mm512_abs_pd(a); }
    // Lanes where !(zz <= four) (a sum that is not a number too) or zz < dd.
    static unsigned outside(D zz, D four, D dd) {
        return _mm512_cmp_pd_mask(zz, four, _CMP_NLE_UQ) | _mm512_cmp_pd_mask(zz, dd, _CMP_LT_OQ);
    }
};

#include "deep_steps.h"

} // namespace

namespace quor::deeplanes {

Run stepsAvx512(Group& g, unsigned live, const Orbit& o, int most, unsigned ball) {
    static_assert(Avx512::Lanes == LanesAvx512);
    return groupRun<Avx512>(g, live, o, most, ball);
}

} // namespace quor::deeplanes

// The escape loop on AVX-512: eight samples per register, six registers in
// flight so that one step of each hides the latency of the others. Compiled
// with -mavx512f and called only when the processor has it.
#include "lanes.h"

#include <immintrin.h>

namespace quor::lanes {

std::uint64_t stepsAvx512(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax) {
    constexpr int W = 8;
    constexpr int V = LanesAvx512 / W;
    __m512d x[V], y[V], cx[V], cy[V];
    __m512i n[V];
    __mmask8 inside[V];
    const __m512i limit = _mm512_set1_epi64(nmax);
    __m512i budget = _mm512_set1_epi64(stepsMax);
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        x[v] = _mm512_load_pd(s.x + v * W);
        y[v] = _mm512_load_pd(s.y + v * W);
        cx[v] = _mm512_load_pd(s.cx + v * W);
        cy[v] = _mm512_load_pd(s.cy + v * W);
        n[v] = _mm512_load_si512(s.n + v * W);
        inside[v] = static_cast<__mmask8>(live >> (v * W));
        budget = _mm512_mask_min_epi64(budget, inside[v], budget, _mm512_sub_epi64(limit, n[v]));
    }
    alignas(64) std::int64_t budgets[W];
    _mm512_store_si512(budgets, budget);
    std::int64_t steps = budgets[0];
    for (int w = 1; w < W; ++w)
        steps = budgets[w] < steps ? budgets[w] : steps;

    const __m512d four = _mm512_set1_pd(4.0);
    const __m512d two = _mm512_set1_pd(2.0);
    const __m512i one = _mm512_set1_epi64(1);
    for (std::int64_t k = 0; k < steps; ++k) {
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v) {
            const __m512d xx = _mm512_mul_pd(x[v], x[v]);
            const __m512d yy = _mm512_mul_pd(y[v], y[v]);
            // The lane stays in only while xx + yy <= 4 (false for NaN too),
            // and once out it never counts again, whatever its iterate does.
            inside[v] = _mm512_mask_cmp_pd_mask(inside[v], _mm512_add_pd(xx, yy), four, _CMP_LE_OQ);
            y[v] = _mm512_add_pd(_mm512_mul_pd(_mm512_mul_pd(two, x[v]), y[v]), cy[v]);
            x[v] = _mm512_add_pd(_mm512_sub_pd(xx, yy), cx[v]);
            n[v] = _mm512_mask_add_epi64(n[v], inside[v], n[v], one);
        }
    }

    std::uint64_t finished = 0;
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        _mm512_store_pd(s.x + v * W, x[v]);
        _mm512_store_pd(s.y + v * W, y[v]);
        _mm512_store_si512(s.n + v * W, n[v]);
        const __mmask8 was = static_cast<__mmask8>(live >> (v * W));
        const __mmask8 done = static_cast<__mmask8>(was & ~inside[v]) |
                              _mm512_mask_cmpeq_epi64_mask(was, n[v], limit);
        finished |= static_cast<std::uint64_t>(done) << (v * W);
    }
    return finished;
}

} // namespace quor::lanes

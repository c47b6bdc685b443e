// The escape loop on AVX-512: eight samples per register, six registers in
// flight so that one step of each hides the latency of the others. Compiled
// with -mavx512f and called only when the processor has it.
#include "lanes.h"

#include <immintrin.h>

namespace quor::lanes {

template <bool Cycles>
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
        if (Cycles && k % CheckEvery == CheckEvery - 1) {
            // An iterate rarely equals its saved one even in x alone: one
            // test for all registers first, the exact test only then.
            __m512i nearest = _mm512_set1_epi64(-1);
#pragma GCC unroll 8
            for (int v = 0; v < V; ++v)
                nearest = _mm512_mask_min_epu64(
                    nearest, 0xFF, nearest,
                    _mm512_xor_si512(_mm512_castpd_si512(x[v]), _mm512_load_si512(s.sx + v * W)));
            if (_mm512_test_epi64_mask(nearest, nearest) != 0xFF) {
                const __m512i taken = _mm512_set1_epi64(k + 1);
#pragma GCC unroll 8
                for (int v = 0; v < V; ++v) {
                    // Still inside: counted at every step so far. (Taken from
                    // the counts, so that the compiler keeps the masks above
                    // in mask registers.) Bits, not values: +0 and -0 differ.
                    const __mmask8 in = _mm512_cmpeq_epi64_mask(
                        n[v], _mm512_add_epi64(_mm512_load_si512(s.n + v * W), taken));
                    const __mmask8 same = _mm512_mask_cmpeq_epi64_mask(
                        _mm512_mask_cmpeq_epi64_mask(in, _mm512_castpd_si512(x[v]),
                                                     _mm512_load_si512(s.sx + v * W)),
                        _mm512_castpd_si512(y[v]), _mm512_load_si512(s.sy + v * W));
                    n[v] = _mm512_mask_add_epi64(n[v], same, n[v], _mm512_set1_epi64(Repeating));
                }
            }
        }
    }

    // A lane is finished when it stopped counting (it escaped), has reached
    // the limit, or was found repeating (below zero, so above the limit as
    // an unsigned number).
    const __m512i stepped = _mm512_set1_epi64(steps);
    std::uint64_t finished = 0;
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        const __mmask8 was = static_cast<__mmask8>(live >> (v * W));
        const __m512i counted = _mm512_add_epi64(_mm512_load_si512(s.n + v * W), stepped);
        const __mmask8 done = _mm512_mask_cmpneq_epi64_mask(was, n[v], counted) |
                              _mm512_mask_cmpge_epu64_mask(was, n[v], limit);
        finished |= static_cast<std::uint64_t>(done) << (v * W);
        _mm512_store_pd(s.x + v * W, x[v]);
        _mm512_store_pd(s.y + v * W, y[v]);
        _mm512_store_si512(s.n + v * W, n[v]);
    }
    if constexpr (Cycles) {
        // One register per round looks for lanes due to save their iterate.
        const int v = static_cast<int>(s.turn++ % V);
        const __m512i nv = _mm512_load_si512(s.n + v * W);
        const auto running = static_cast<__mmask8>((live & ~finished) >> (v * W));
        const __mmask8 due =
            _mm512_mask_cmpge_epi64_mask(running, nv, _mm512_load_si512(s.save + v * W));
        _mm512_mask_store_pd(s.sx + v * W, due, _mm512_load_pd(s.x + v * W));
        _mm512_mask_store_pd(s.sy + v * W, due, _mm512_load_pd(s.y + v * W));
        _mm512_mask_store_epi64(s.save + v * W, due, _mm512_add_epi64(nv, nv));
    }
    return finished;
}

template std::uint64_t stepsAvx512<false>(State&, std::uint64_t, std::int64_t, int);
template std::uint64_t stepsAvx512<true>(State&, std::uint64_t, std::int64_t, int);

} // namespace quor::lanes

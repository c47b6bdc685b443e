// The escape loop on AVX2: four samples per register, six registers in
// flight. Compiled with -mavx2 (no FMA: every product is rounded on its own,
// as in the plain loop) and called only when the processor has it.
#include "lanes.h"

#include <immintrin.h>

namespace quor::lanes {

template <bool Cycles>
std::uint64_t stepsAvx2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax) {
    constexpr int W = 4;
    constexpr int V = LanesAvx2 / W;
    std::int64_t steps = stepsMax;
    for (int l = 0; l < LanesAvx2; ++l)
        if ((live >> l & 1) && nmax - s.n[l] < steps)
            steps = nmax - s.n[l];

    const __m256i bits = _mm256_set_epi64x(8, 4, 2, 1);
    // Lanes l of register v whose bit is set in mask, as a lane mask.
    auto lanesOf = [&](std::uint64_t mask, int v) {
        const __m256i b = _mm256_set1_epi64x(static_cast<long long>(mask >> (v * W)));
        return _mm256_cmpeq_epi64(_mm256_and_si256(b, bits), bits);
    };
    auto load = [](const void* p) { return _mm256_load_si256(static_cast<const __m256i*>(p)); };

    __m256d x[V], y[V], cx[V], cy[V], inside[V];
    __m256i n[V];
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        x[v] = _mm256_load_pd(s.x + v * W);
        y[v] = _mm256_load_pd(s.y + v * W);
        cx[v] = _mm256_load_pd(s.cx + v * W);
        cy[v] = _mm256_load_pd(s.cy + v * W);
        n[v] = load(s.n + v * W);
        inside[v] = _mm256_castsi256_pd(lanesOf(live, v));
    }

    const __m256d four = _mm256_set1_pd(4.0);
    const __m256d two = _mm256_set1_pd(2.0);
    for (std::int64_t k = 0; k < steps; ++k) {
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v) {
            const __m256d xx = _mm256_mul_pd(x[v], x[v]);
            const __m256d yy = _mm256_mul_pd(y[v], y[v]);
            // Sticky: a lane that has left the circle never counts again.
            inside[v] =
                _mm256_and_pd(inside[v], _mm256_cmp_pd(_mm256_add_pd(xx, yy), four, _CMP_LE_OQ));
            y[v] = _mm256_add_pd(_mm256_mul_pd(_mm256_mul_pd(two, x[v]), y[v]), cy[v]);
            x[v] = _mm256_add_pd(_mm256_sub_pd(xx, yy), cx[v]);
            // An inside lane's mask is all ones, that is -1.
            n[v] = _mm256_sub_epi64(n[v], _mm256_castpd_si256(inside[v]));
        }
        if (Cycles && k % CheckEvery == CheckEvery - 1) {
            // x alone first for all registers, the exact test only then.
            __m256i any = _mm256_setzero_si256();
#pragma GCC unroll 8
            for (int v = 0; v < V; ++v)
                any = _mm256_or_si256(
                    any, _mm256_cmpeq_epi64(_mm256_castpd_si256(x[v]), load(s.sx + v * W)));
            if (!_mm256_testz_si256(any, any)) {
                // Bits, not values: +0 and -0 are different iterates.
#pragma GCC unroll 8
                for (int v = 0; v < V; ++v) {
                    const __m256i same = _mm256_and_si256(
                        _mm256_and_si256(
                            _mm256_cmpeq_epi64(_mm256_castpd_si256(x[v]), load(s.sx + v * W)),
                            _mm256_cmpeq_epi64(_mm256_castpd_si256(y[v]), load(s.sy + v * W))),
                        _mm256_castpd_si256(inside[v]));
                    n[v] = _mm256_add_epi64(n[v],
                                            _mm256_and_si256(same, _mm256_set1_epi64x(Repeating)));
                }
            }
        }
    }

    // Finished: escaped, at the limit, or marked repeating (below zero).
    const __m256i limit = _mm256_set1_epi64x(nmax);
    const __m256i zero = _mm256_setzero_si256();
    std::uint64_t finished = 0;
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        _mm256_store_pd(s.x + v * W, x[v]);
        _mm256_store_pd(s.y + v * W, y[v]);
        _mm256_store_si256(reinterpret_cast<__m256i*>(s.n + v * W), n[v]);
        const unsigned was = static_cast<unsigned>(live >> (v * W)) & 0xF;
        const unsigned out = was & ~static_cast<unsigned>(_mm256_movemask_pd(inside[v]));
        const __m256i full =
            _mm256_or_si256(_mm256_cmpeq_epi64(n[v], limit), _mm256_cmpgt_epi64(zero, n[v]));
        const unsigned end =
            was & static_cast<unsigned>(_mm256_movemask_pd(_mm256_castsi256_pd(full)));
        finished |= static_cast<std::uint64_t>(out | end) << (v * W);
    }
    if constexpr (Cycles) {
        // One register per round looks for lanes due to save their iterate.
        const int v = static_cast<int>(s.turn++ % V);
        const __m256i nv = load(s.n + v * W);
        const __m256i due = _mm256_andnot_si256(_mm256_cmpgt_epi64(load(s.save + v * W), nv),
                                                lanesOf(live & ~finished, v));
        _mm256_maskstore_pd(s.sx + v * W, due, _mm256_load_pd(s.x + v * W));
        _mm256_maskstore_pd(s.sy + v * W, due, _mm256_load_pd(s.y + v * W));
        _mm256_maskstore_epi64(reinterpret_cast<long long*>(s.save + v * W), due,
                               _mm256_add_epi64(nv, nv));
    }
    return finished;
}

template std::uint64_t stepsAvx2<false>(State&, std::uint64_t, std::int64_t, int);
template std::uint64_t stepsAvx2<true>(State&, std::uint64_t, std::int64_t, int);

} // namespace quor::lanes

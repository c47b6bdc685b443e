// The escape loop on AVX2: four samples per register, six registers in
// flight. Compiled with -mavx2 (no FMA: every product is rounded on its own,
// as in the plain loop) and called only when the processor has it.
#include "lanes.h"

#include <immintrin.h>

namespace quor::lanes {

std::uint64_t stepsAvx2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax) {
    constexpr int W = 4;
    constexpr int V = LanesAvx2 / W;
    std::int64_t steps = stepsMax;
    for (int l = 0; l < LanesAvx2; ++l)
        if ((live >> l & 1) && nmax - s.n[l] < steps)
            steps = nmax - s.n[l];

    __m256d x[V], y[V], cx[V], cy[V], inside[V];
    __m256i n[V];
    const __m256i bits = _mm256_set_epi64x(8, 4, 2, 1);
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        x[v] = _mm256_load_pd(s.x + v * W);
        y[v] = _mm256_load_pd(s.y + v * W);
        cx[v] = _mm256_load_pd(s.cx + v * W);
        cy[v] = _mm256_load_pd(s.cy + v * W);
        n[v] = _mm256_load_si256(reinterpret_cast<const __m256i*>(s.n + v * W));
        const __m256i laneBits =
            _mm256_and_si256(_mm256_set1_epi64x(static_cast<long long>(live >> (v * W))), bits);
        inside[v] = _mm256_castsi256_pd(_mm256_cmpeq_epi64(laneBits, bits));
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
    }

    const __m256i limit = _mm256_set1_epi64x(nmax);
    std::uint64_t finished = 0;
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        _mm256_store_pd(s.x + v * W, x[v]);
        _mm256_store_pd(s.y + v * W, y[v]);
        _mm256_store_si256(reinterpret_cast<__m256i*>(s.n + v * W), n[v]);
        const unsigned was = static_cast<unsigned>(live >> (v * W)) & 0xF;
        const unsigned out = was & ~static_cast<unsigned>(_mm256_movemask_pd(inside[v]));
        const unsigned full = was & static_cast<unsigned>(_mm256_movemask_pd(
                                        _mm256_castsi256_pd(_mm256_cmpeq_epi64(n[v], limit))));
        finished |= static_cast<std::uint64_t>(out | full) << (v * W);
    }
    return finished;
}

} // namespace quor::lanes

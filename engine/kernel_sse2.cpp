// The escape loop on SSE2, which every x86-64 processor has: two samples per
// register, eight registers in flight.
#include "lanes.h"

#include <emmintrin.h>

namespace quor::lanes {

template <bool Cycles>
std::uint64_t stepsSse2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax) {
    constexpr int W = 2;
    constexpr int V = LanesSse2 / W;
    std::int64_t steps = stepsMax;
    for (int l = 0; l < LanesSse2; ++l)
        if ((live >> l & 1) && nmax - s.n[l] < steps)
            steps = nmax - s.n[l];
    auto load = [](const void* p) { return _mm_load_si128(static_cast<const __m128i*>(p)); };
    // SSE2 compares 32-bit halves: a 64-bit lane is equal when both are.
    auto equal64 = [](__m128i a, __m128i b) {
        const __m128i e = _mm_cmpeq_epi32(a, b);
        return _mm_and_si128(e, _mm_shuffle_epi32(e, 0xB1));
    };

    __m128d x[V], y[V], cx[V], cy[V], inside[V];
    __m128i n[V];
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        x[v] = _mm_load_pd(s.x + v * W);
        y[v] = _mm_load_pd(s.y + v * W);
        cx[v] = _mm_load_pd(s.cx + v * W);
        cy[v] = _mm_load_pd(s.cy + v * W);
        n[v] = load(s.n + v * W);
        const long long lo = (live >> (v * W) & 1) ? -1 : 0;
        const long long hi = (live >> (v * W + 1) & 1) ? -1 : 0;
        inside[v] = _mm_castsi128_pd(_mm_set_epi64x(hi, lo));
    }

    const __m128d four = _mm_set1_pd(4.0);
    const __m128d two = _mm_set1_pd(2.0);
    for (std::int64_t k = 0; k < steps; ++k) {
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v) {
            const __m128d xx = _mm_mul_pd(x[v], x[v]);
            const __m128d yy = _mm_mul_pd(y[v], y[v]);
            // Sticky: a lane that has left the circle never counts again;
            // the ordered compare is false for NaN.
            inside[v] = _mm_and_pd(inside[v], _mm_cmple_pd(_mm_add_pd(xx, yy), four));
            y[v] = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(two, x[v]), y[v]), cy[v]);
            x[v] = _mm_add_pd(_mm_sub_pd(xx, yy), cx[v]);
            n[v] = _mm_sub_epi64(n[v], _mm_castpd_si128(inside[v]));
        }
        if (Cycles && k % CheckEvery == CheckEvery - 1) {
            // x alone first for all registers, the exact test only then.
            __m128i any = _mm_setzero_si128();
#pragma GCC unroll 8
            for (int v = 0; v < V; ++v)
                any = _mm_or_si128(any, equal64(_mm_castpd_si128(x[v]), load(s.sx + v * W)));
            if (_mm_movemask_epi8(any) != 0) {
                // Bits, not values: +0 and -0 are different iterates.
#pragma GCC unroll 8
                for (int v = 0; v < V; ++v) {
                    const __m128i same = _mm_and_si128(
                        _mm_and_si128(equal64(_mm_castpd_si128(x[v]), load(s.sx + v * W)),
                                      equal64(_mm_castpd_si128(y[v]), load(s.sy + v * W))),
                        _mm_castpd_si128(inside[v]));
                    n[v] = _mm_add_epi64(n[v], _mm_and_si128(same, _mm_set1_epi64x(Repeating)));
                }
            }
        }
    }

    // Finished: escaped, at the limit, or marked repeating (below zero).
    std::uint64_t finished = 0;
#pragma GCC unroll 8
    for (int v = 0; v < V; ++v) {
        _mm_store_pd(s.x + v * W, x[v]);
        _mm_store_pd(s.y + v * W, y[v]);
        _mm_store_si128(reinterpret_cast<__m128i*>(s.n + v * W), n[v]);
        const unsigned was = static_cast<unsigned>(live >> (v * W)) & 0x3;
        const unsigned out = was & ~static_cast<unsigned>(_mm_movemask_pd(inside[v]));
        finished |= static_cast<std::uint64_t>(out) << (v * W);
    }
    for (int l = 0; l < LanesSse2; ++l)
        if ((live >> l & 1) && (s.n[l] == nmax || s.n[l] < 0))
            finished |= std::uint64_t{1} << l;
    if constexpr (Cycles) {
        // One register per round looks for lanes due to save their iterate.
        const int v = static_cast<int>(s.turn++ % V);
        for (int l = v * W; l < v * W + W; ++l) {
            if (((live & ~finished) >> l & 1) && s.n[l] >= s.save[l]) {
                s.sx[l] = s.x[l];
                s.sy[l] = s.y[l];
                s.save[l] = 2 * s.n[l];
            }
        }
    }
    return finished;
}

template std::uint64_t stepsSse2<false>(State&, std::uint64_t, std::int64_t, int);
template std::uint64_t stepsSse2<true>(State&, std::uint64_t, std::int64_t, int);

} // namespace quor::lanes

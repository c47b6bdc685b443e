// The deep lanes on AVX-512: V registers of eight samples, masks in mask
// registers, W(m) fetched by one gather per register. Compiled with
// -mavx512f and called only when the processor has it. Every lane does what
// advance() does without skips, operation for operation.
#include "deep_lanes.h"

#include <immintrin.h>

namespace quor::deeplanes {

std::uint64_t stepsAvx512(State& s, std::uint64_t live, const Orbit& o, int steps) {
    constexpr int W = 8;
    constexpr int V = LanesAvx512 / W;
    __m512d dx[V], dy[V], cx[V], cy[V];
    __m512i m[V], k[V], taken[V];
    __mmask8 on[V];
    for (int v = 0; v < V; ++v) {
        dx[v] = _mm512_load_pd(s.dx + v * W);
        dy[v] = _mm512_load_pd(s.dy + v * W);
        cx[v] = _mm512_load_pd(s.cx + v * W);
        cy[v] = _mm512_load_pd(s.cy + v * W);
        m[v] = _mm512_load_si512(s.m + v * W);
        k[v] = _mm512_load_si512(s.k + v * W);
        taken[v] = _mm512_load_si512(s.taken + v * W);
        on[v] = static_cast<__mmask8>(live >> (v * W));
    }
    const __m512d four = _mm512_set1_pd(4.0), two = _mm512_set1_pd(2.0);
    const __m512d w0x = _mm512_set1_pd(o.x[0]), w0y = _mm512_set1_pd(o.y[0]);
    const __m512i nmax = _mm512_set1_epi64(o.nmax), last = _mm512_set1_epi64(o.last);
    const __m512i wrap = _mm512_set1_epi64(o.wrap), one = _mm512_set1_epi64(1);
    const __m512i zero = _mm512_setzero_si512();
    for (int step = 0; step < steps; ++step) {
        unsigned any = 0;
        for (int v = 0; v < V; ++v) {
            const __m512d wx = _mm512_mask_i64gather_pd(_mm512_setzero_pd(), on[v], m[v], o.x, 8);
            const __m512d wy = _mm512_mask_i64gather_pd(_mm512_setzero_pd(), on[v], m[v], o.y, 8);
            const __m512d zx = _mm512_add_pd(wx, dx[v]), zy = _mm512_add_pd(wy, dy[v]);
            const __m512d zz = _mm512_add_pd(_mm512_mul_pd(zx, zx), _mm512_mul_pd(zy, zy));
            // Not (zz <= 4): true for a sum that is not a number too.
            const __mmask8 escaped = _mm512_mask_cmp_pd_mask(
                _mm512_mask_cmpge_epi64_mask(on[v], k[v], one), zz, four, _CMP_NLE_UQ);
            const __mmask8 limit = _mm512_mask_cmpge_epi64_mask(on[v] & ~escaped, k[v], nmax);
            _mm512_mask_store_epi64(s.count + v * W, escaped, _mm512_sub_epi64(k[v], one));
            _mm512_mask_store_epi64(s.count + v * W, limit, nmax);
            on[v] &= static_cast<__mmask8>(~(escaped | limit));
            const __m512d dd =
                _mm512_add_pd(_mm512_mul_pd(dx[v], dx[v]), _mm512_mul_pd(dy[v], dy[v]));
            __mmask8 rebase = _mm512_mask_cmp_pd_mask(on[v], zz, dd, _CMP_LT_OQ);
            if (o.ends)
                rebase |= _mm512_mask_cmpeq_epi64_mask(on[v], m[v], last);
            dx[v] = _mm512_mask_mov_pd(dx[v], rebase, zx);
            dy[v] = _mm512_mask_mov_pd(dy[v], rebase, zy);
            m[v] = _mm512_mask_mov_epi64(m[v], rebase, zero);
            const __m512d bx = _mm512_mask_mov_pd(wx, rebase, w0x);
            const __m512d by = _mm512_mask_mov_pd(wy, rebase, w0y);
            // d' = (2 W + d) d + dc
            const __m512d ax = _mm512_add_pd(_mm512_mul_pd(two, bx), dx[v]);
            const __m512d ay = _mm512_add_pd(_mm512_mul_pd(two, by), dy[v]);
            const __m512d nx = _mm512_add_pd(
                _mm512_sub_pd(_mm512_mul_pd(ax, dx[v]), _mm512_mul_pd(ay, dy[v])), cx[v]);
            const __m512d ny = _mm512_add_pd(
                _mm512_add_pd(_mm512_mul_pd(ax, dy[v]), _mm512_mul_pd(ay, dx[v])), cy[v]);
            dx[v] = _mm512_mask_mov_pd(dx[v], on[v], nx);
            dy[v] = _mm512_mask_mov_pd(dy[v], on[v], ny);
            const __mmask8 wraps = _mm512_mask_cmpeq_epi64_mask(on[v], m[v], last);
            m[v] = _mm512_mask_add_epi64(m[v], on[v], m[v], one);
            m[v] = _mm512_mask_mov_epi64(m[v], wraps, wrap);
            k[v] = _mm512_mask_add_epi64(k[v], on[v], k[v], one);
            taken[v] = _mm512_mask_add_epi64(taken[v], on[v], taken[v], one);
            if (o.interior) {
                const __m512i bx2 = _mm512_castpd_si512(dx[v]), by2 = _mm512_castpd_si512(dy[v]);
                const __mmask8 same = _mm512_mask_cmpeq_epi64_mask(
                    _mm512_mask_cmpeq_epi64_mask(
                        _mm512_mask_cmpeq_epi64_mask(on[v], m[v], _mm512_load_si512(s.sm + v * W)),
                        bx2, _mm512_load_si512(s.sx + v * W)),
                    by2, _mm512_load_si512(s.sy + v * W));
                _mm512_mask_store_epi64(s.count + v * W, same, nmax);
                on[v] &= static_cast<__mmask8>(~same);
                const __mmask8 due = _mm512_mask_cmpge_epi64_mask(
                    on[v], taken[v], _mm512_load_si512(s.save + v * W));
                if (due) {
                    _mm512_mask_store_epi64(s.sm + v * W, due, m[v]);
                    _mm512_mask_store_epi64(s.sx + v * W, due, bx2);
                    _mm512_mask_store_epi64(s.sy + v * W, due, by2);
                    _mm512_mask_store_epi64(s.save + v * W, due,
                                            _mm512_add_epi64(taken[v], taken[v]));
                }
            }
            any |= on[v];
        }
        if (any == 0)
            break;
    }
    std::uint64_t finished = 0;
    for (int v = 0; v < V; ++v) {
        _mm512_store_pd(s.dx + v * W, dx[v]);
        _mm512_store_pd(s.dy + v * W, dy[v]);
        _mm512_store_si512(s.m + v * W, m[v]);
        _mm512_store_si512(s.k + v * W, k[v]);
        _mm512_store_si512(s.taken + v * W, taken[v]);
        finished |= static_cast<std::uint64_t>(static_cast<__mmask8>(live >> (v * W)) & ~on[v])
                    << (v * W);
    }
    return finished;
}

} // namespace quor::deeplanes

// The loop of a group of deep lanes, written once for every instruction
// set: T gives a register of T::Lanes doubles and its operations, V
// registers go side by side so that their steps overlap. Every lane does
// what stepLane() does, operation for operation, as long as no lane
// escapes or is rebased: all lanes stand at the same place m, so W(m) is
// one value for all of them, read once a step. Included only by the files
// of the instruction sets, each inside its own unnamed namespace.

template <class T, int V, bool Ball>
quor::deeplanes::Run groupSteps(quor::deeplanes::Group& g, unsigned live,
                                const quor::deeplanes::Orbit& o, std::int64_t& m, int most) {
    using D = typename T::D;
    constexpr int L = T::Lanes;
    D dx[V], dy[V], cx[V], cy[V], c1[V], r[V], ex[V], ey[V];
    unsigned on[V];
    for (int v = 0; v < V; ++v) {
        dx[v] = T::load(g.dx + v * L);
        dy[v] = T::load(g.dy + v * L);
        cx[v] = T::load(g.cx + v * L);
        cy[v] = T::load(g.cy + v * L);
        if (Ball) {
            c1[v] = T::load(g.c1 + v * L);
            r[v] = T::load(g.r + v * L);
            ex[v] = T::load(g.ex + v * L);
            ey[v] = T::load(g.ey + v * L);
        }
        on[v] = live >> (v * L) & ((1u << L) - 1);
    }
    const D four = T::set1(4.0);
    const D slack = T::set1(quor::deeplanes::Slack), grow = T::set1(quor::deeplanes::Grow);
    quor::deeplanes::Run run;
    std::int64_t at = m;
    int s = 0;
    for (; s < most; ++s) {
        const D wx = T::set1(o.x[at]), wy = T::set1(o.y[at]);
        unsigned bad = 0;
        for (int v = 0; v < V; ++v) {
            const D zx = T::add(wx, dx[v]), zy = T::add(wy, dy[v]);
            const D zz = T::add(T::mul(zx, zx), T::mul(zy, zy));
            const D dd = T::add(T::mul(dx[v], dx[v]), T::mul(dy[v], dy[v]));
            bad |= (T::outside(zz, four, dd) & on[v]) << (v * L);
        }
        if (bad != 0 || (o.ends && at == o.last)) {
            run.outside = bad;
            break;
        }
        const D w2x = T::set1(2.0 * o.x[at]), w2y = T::set1(2.0 * o.y[at]);
        for (int v = 0; v < V; ++v) {
            // d' = (2 W + d) d + dc
            const D ax = T::add(w2x, dx[v]), ay = T::add(w2y, dy[v]);
            if (Ball) {
                // The ball's centre e takes the same step, and its radius
                // the bound of ballStep.
                const D bx = T::add(w2x, ex[v]), by = T::add(w2y, ey[v]);
                const D sx = T::add(bx, ex[v]), sy = T::add(by, ey[v]);
                const D q = T::sqrt(T::add(T::mul(sx, sx), T::mul(sy, sy)));
                const D a = T::add(T::abs(bx), T::abs(by));
                const D n = T::add(T::abs(ex[v]), T::abs(ey[v]));
                r[v] = T::mul(
                    T::add(T::mul(T::add(q, r[v]), r[v]),
                           T::mul(slack, T::add(T::mul(T::add(a, n), T::add(n, r[v])), c1[v]))),
                    grow);
                const D fx = T::add(T::sub(T::mul(bx, ex[v]), T::mul(by, ey[v])), cx[v]);
                ey[v] = T::add(T::add(T::mul(bx, ey[v]), T::mul(by, ex[v])), cy[v]);
                ex[v] = fx;
            }
            const D nx = T::add(T::sub(T::mul(ax, dx[v]), T::mul(ay, dy[v])), cx[v]);
            dy[v] = T::add(T::add(T::mul(ax, dy[v]), T::mul(ay, dx[v])), cy[v]);
            dx[v] = nx;
        }
        if (at == o.last) {
            at = o.wrap;
            if (o.returns) {
                run.returned = true;
                ++s;
                break;
            }
        } else {
            ++at;
        }
    }
    for (int v = 0; v < V; ++v) {
        T::store(g.dx + v * L, dx[v]);
        T::store(g.dy + v * L, dy[v]);
        if (Ball) {
            T::store(g.r + v * L, r[v]);
            T::store(g.ex + v * L, ex[v]);
            T::store(g.ey + v * L, ey[v]);
        }
    }
    m = at;
    run.steps = s;
    return run;
}

template <class T, int V>
quor::deeplanes::Run groupRun(quor::deeplanes::Group& g, unsigned live,
                              const quor::deeplanes::Orbit& o, std::int64_t& m, int most,
                              bool ball) {
    return ball ? groupSteps<T, V, true>(g, live, o, m, most)
                : groupSteps<T, V, false>(g, live, o, m, most);
}

// The loop of a worker's deep lanes, written once for every instruction
// set: T gives a register of T::Lanes doubles and its operations. Each
// register is a group whose lanes stand at one place on the reference, so W
// is read once a step for all of them; the groups' steps are independent
// and overlap. Every lane does what stepLane() does, operation for
// operation. Included only by the files of the instruction sets, each
// inside its own unnamed namespace.

template <class T, bool Ball>
quor::deeplanes::Run groupSteps(quor::deeplanes::Group& g, unsigned live,
                                const quor::deeplanes::Orbit& o, int most, unsigned ball) {
    using D = typename T::D;
    constexpr int L = T::Lanes, V = quor::deeplanes::Registers;
    D dx[V], dy[V], cx[V], cy[V], c1[V], r[V], ex[V], ey[V];
    unsigned on[V];
    std::int64_t at[V];
    auto load = [&](int v) {
        dx[v] = T::load(g.dx + v * L);
        dy[v] = T::load(g.dy + v * L);
        cx[v] = T::load(g.cx + v * L);
        cy[v] = T::load(g.cy + v * L);
        on[v] = live >> (v * L) & ((1u << L) - 1);
    };
    for (int v = 0; v < V; ++v) {
        load(v);
        at[v] = g.m[v];
        if (Ball) {
            c1[v] = T::load(g.c1 + v * L);
            r[v] = T::load(g.r + v * L);
            ex[v] = T::load(g.ex + v * L);
            ey[v] = T::load(g.ey + v * L);
        }
    }
    const D four = T::set1(4.0);
    const D slack = T::set1(quor::deeplanes::Slack), grow = T::set1(quor::deeplanes::Grow);
    quor::deeplanes::Run run;
    int s = 0;
    for (; s < most; ++s) {
        unsigned bad = 0;
        bool end = false;
        for (int v = 0; v < V; ++v) {
            const D wx = T::set1(o.x[at[v]]), wy = T::set1(o.y[at[v]]);
            const D zx = T::add(wx, dx[v]), zy = T::add(wy, dy[v]);
            const D zz = T::fmadd(zx, zx, T::mul(zy, zy));
            const D dd = T::fmadd(dx[v], dx[v], T::mul(dy[v], dy[v]));
            bad |= (T::outside(zz, four, dd) & on[v]) << (v * L);
            end = end || at[v] == o.last;
        }
        if (bad != 0) {
            // These lanes leave before the step; the others go on.
            bool empty = false;
            for (int v = 0; v < V; ++v) {
                if ((bad >> (v * L) & ((1u << L) - 1)) == 0)
                    continue;
                T::store(g.dx + v * L, dx[v]);
                T::store(g.dy + v * L, dy[v]);
                for (unsigned b = bad >> (v * L) & ((1u << L) - 1); b != 0; b &= b - 1) {
                    const int l = v * L + __builtin_ctz(b);
                    g.lx[l] = g.dx[l];
                    g.ly[l] = g.dy[l];
                    g.lm[l] = at[v];
                    g.ls[l] = s;
                    g.dx[l] = g.dy[l] = g.cx[l] = g.cy[l] = 0.0;
                }
                live &= ~bad;
                load(v);
                empty = empty || on[v] == 0;
            }
            run.left |= bad;
            if (empty)
                break;
        }
        if (o.ends && end)
            break;
        unsigned returned = 0;
        for (int v = 0; v < V; ++v) {
            const D w2x = T::set1(2.0 * o.x[at[v]]), w2y = T::set1(2.0 * o.y[at[v]]);
            // d' = (2 W + d) d + dc
            const D ax = T::add(w2x, dx[v]), ay = T::add(w2y, dy[v]);
            if (Ball && (ball >> v & 1)) {
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
                const D fx = T::fmadd(bx, ex[v], T::fnmadd(by, ey[v], cx[v]));
                ey[v] = T::fmadd(bx, ey[v], T::fmadd(by, ex[v], cy[v]));
                ex[v] = fx;
            }
            const D nx = T::fmadd(ax, dx[v], T::fnmadd(ay, dy[v], cx[v]));
            dy[v] = T::fmadd(ax, dy[v], T::fmadd(ay, dx[v], cy[v]));
            dx[v] = nx;
            if (at[v] == o.last) {
                at[v] = o.wrap;
                returned |= 1u << v;
            } else {
                ++at[v];
            }
        }
        if (o.returns && returned != 0) {
            run.returned = returned;
            ++s;
            break;
        }
    }
    for (int v = 0; v < V; ++v) {
        T::store(g.dx + v * L, dx[v]);
        T::store(g.dy + v * L, dy[v]);
        g.m[v] = at[v];
        if (Ball) {
            T::store(g.r + v * L, r[v]);
            T::store(g.ex + v * L, ex[v]);
            T::store(g.ey + v * L, ey[v]);
        }
    }
    run.steps = s;
    return run;
}

template <class T>
quor::deeplanes::Run groupRun(quor::deeplanes::Group& g, unsigned live,
                              const quor::deeplanes::Orbit& o, int most, unsigned ball) {
    return ball ? groupSteps<T, true>(g, live, o, most, ball)
                : groupSteps<T, false>(g, live, o, most, ball);
}

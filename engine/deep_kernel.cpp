// The deep kernel: each sample follows the reference as its difference from
// it, in doubles, with rebasing; columns are shared out to worker threads as
// in the fast kernel.
#include "columns.h"
#include "deep.h"
#include "deep_lanes.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <memory>

namespace quor {

bool advance(const Reference& ref, const Skips* skips, double dcx, double dcy, std::uint32_t nmax,
             bool interior, DeepLane& s, std::uint32_t& count) {
    const double* wx = ref.x.data();
    const double* wy = ref.y.data();
    const std::size_t last = ref.size() - 1;
    const std::size_t levels = skips ? skips->levels.size() : 0;
    double dx = s.dx, dy = s.dy;
    std::size_t m = s.m;
    std::uint64_t k = s.k;
    bool skipping = levels > 1;
    bool finished = false;
    count = nmax;
    for (;;) {
        const double zx = wx[m] + dx;
        const double zy = wy[m] + dy;
        const double zz = zx * zx + zy * zy;
        // Written so that a sum that is not a number escapes too.
        if (k >= 1 && !(zz <= 4.0)) {
            count = static_cast<std::uint32_t>(k - 1);
            finished = true;
            break;
        }
        if (k >= nmax) {
            finished = true;
            break;
        }
        const double dd = dx * dx + dy * dy;
        if (zz < dd || (m == last && !ref.periodic)) {
            dx = zx;
            dy = zy;
            m = 0;
        }
        // The longest run from m that |d| allows: level l starts at m only
        // if m - 1 is a multiple of 2^l. A single step is taken in full:
        // skipping it would save nothing.
        int l = 0;
        if (skipping && m >= 1) {
            const std::size_t j0 = m - 1;
            l = std::min<int>(j0 == 0 ? 63 : std::countr_zero(j0), int(levels) - 1);
            for (; l >= 1; --l) {
                const std::vector<Skip>& level = skips->levels[std::size_t(l)];
                const std::size_t j = j0 >> l;
                if (j < level.size() && dd < level[j].r2)
                    break;
            }
            // Once the difference has outgrown the runs, it is followed step
            // by step to the end (on vector lanes in the table).
            skipping = l >= 1;
        }
        if (l >= 1) {
            // d' = A d + B dc
            const Skip& r = skips->levels[std::size_t(l)][(m - 1) >> l];
            const double nx = (r.ax * dx - r.ay * dy) + (r.bx * dcx - r.by * dcy);
            dy = (r.ax * dy + r.ay * dx) + (r.bx * dcy + r.by * dcx);
            dx = nx;
            const std::size_t to = m + (std::size_t{1} << l);
            m = to == ref.size() ? ref.wrap : to;
            k += std::uint64_t{1} << l;
        } else {
            // d' = (2 W + d) d + dc
            const double ax = 2.0 * wx[m] + dx;
            const double ay = 2.0 * wy[m] + dy;
            const double nx = ax * dx - ay * dy + dcx;
            dy = ax * dy + ay * dx + dcy;
            dx = nx;
            m = m == last ? ref.wrap : m + 1;
            ++k;
        }
        ++s.taken;
        if (interior) {
            // The state (m, d) saved at doubling step counts: the next step
            // is a fixed function of it, so meeting it again means it
            // repeats for ever (the count stays the limit).
            if (m == s.sm && std::bit_cast<std::uint64_t>(dx) == s.sx &&
                std::bit_cast<std::uint64_t>(dy) == s.sy) {
                finished = true;
                break;
            }
            if (s.taken >= s.save) {
                s.sm = m;
                s.sx = std::bit_cast<std::uint64_t>(dx);
                s.sy = std::bit_cast<std::uint64_t>(dy);
                s.save = 2 * s.taken;
            }
        }
        if (levels > 1 && !skipping)
            break; // handed over to the plain steps
    }
    s.dx = dx;
    s.dy = dy;
    s.m = m;
    s.k = k;
    return finished;
}

std::uint32_t deepCount(const Reference& ref, double dcx, double dcy, std::uint32_t nmax,
                        bool interior, std::uint64_t* steps, const Skips* skips) {
    DeepLane s;
    std::uint32_t count = nmax;
    if (!advance(ref, skips, dcx, dcy, nmax, interior, s, count))
        advance(ref, nullptr, dcx, dcy, nmax, interior, s, count);
    if (steps)
        *steps += s.taken;
    return count;
}

namespace {

// Steps between two looks at the lanes: finished lanes take new samples.
constexpr int StepsPerRound = 32;

} // namespace

TableEnd deepTable(const DeepView& view, std::uint32_t nmax, std::uint32_t* Tabella,
                   const ColumnReport& report, const DeepOptions& options) {
    const Reference& ref = view.reference;
    const Skips* skips = options.skip ? &view.skips : nullptr;
#if defined(__x86_64__)
    const bool lanes = options.isa == Isa::Avx512 && isaAvailable(Isa::Avx512);
#else
    const bool lanes = false;
#endif
    const deeplanes::Orbit orbit{
        ref.x.data(),         ref.y.data(), std::int64_t(ref.size()) - 1, std::int64_t(ref.wrap),
        ref.periodic ? 0 : 1, nmax,         options.interior ? 1 : 0};
    ColumnBoard board;
    // Samples still running per column; only the worker that took the
    // column touches its entry.
    std::vector<std::uint16_t> left(DimScreen);
    std::atomic<std::uint64_t> steps{0};
    auto work = [&] {
        auto s = std::make_unique<deeplanes::State>();
        int index[deeplanes::MaxLanes] = {};
        std::uint64_t live = 0, taken = 0;
        int column = -1, row = DimScreen;
        auto finish = [&](int at, std::uint32_t count) {
            Tabella[at] = count;
            const int c = at / DimScreen;
            if (--left[std::size_t(c)] == 0)
                board.done(c);
        };
        if (!lanes) {
            // One sample after another.
            for (column = board.take(); column >= 0; column = board.take()) {
                left[std::size_t(column)] = DimScreen;
                for (row = 0; row < DimScreen; ++row)
                    finish(column * DimScreen + row,
                           deepCount(ref, view.dcx[column], view.dcy[row], nmax, options.interior,
                                     &taken, skips));
            }
            steps.fetch_add(taken, std::memory_order_relaxed);
            return;
        }
#if defined(__x86_64__)
        // Gives lane l the next sample that the skips leave unfinished.
        auto load = [&](int l) {
            for (;;) {
                if (row == DimScreen) {
                    column = board.take();
                    if (column < 0)
                        return false;
                    left[std::size_t(column)] = DimScreen;
                    row = 0;
                }
                const int at = column * DimScreen + row;
                const double dcx = view.dcx[column], dcy = view.dcy[row];
                ++row;
                DeepLane lane;
                std::uint32_t count = nmax;
                if (skips && advance(ref, skips, dcx, dcy, nmax, options.interior, lane, count)) {
                    taken += lane.taken;
                    finish(at, count);
                    continue;
                }
                s->dx[l] = lane.dx;
                s->dy[l] = lane.dy;
                s->cx[l] = dcx;
                s->cy[l] = dcy;
                s->m[l] = std::int64_t(lane.m);
                s->k[l] = std::int64_t(lane.k);
                s->taken[l] = std::int64_t(lane.taken);
                s->save[l] = std::int64_t(lane.save);
                s->sm[l] = std::int64_t(lane.sm);
                s->sx[l] = std::int64_t(lane.sx);
                s->sy[l] = std::int64_t(lane.sy);
                s->count[l] = nmax;
                index[l] = at;
                return true;
            }
        };
        const std::uint64_t all = (std::uint64_t{1} << deeplanes::LanesAvx512) - 1;
        bool more = true;
        for (;;) {
            for (std::uint64_t idle = all & ~live; more && idle != 0; idle &= idle - 1) {
                const int l = std::countr_zero(idle);
                if (!load(l))
                    more = false;
                else
                    live |= std::uint64_t{1} << l;
            }
            if (live == 0 || board.stopped())
                break;
            std::uint64_t finished = deeplanes::stepsAvx512(*s, live, orbit, StepsPerRound);
            live &= ~finished;
            for (; finished != 0; finished &= finished - 1) {
                const int l = std::countr_zero(finished);
                taken += std::uint64_t(s->taken[l]);
                finish(index[l], std::uint32_t(s->count[l]));
            }
        }
        steps.fetch_add(taken, std::memory_order_relaxed);
#endif
    };
    const TableEnd end = runColumns(board, options.threads, work, report);
    if (options.steps)
        *options.steps = steps.load();
    return end;
}

TableEnd deepTable(const DeepJob& job, std::uint32_t* Tabella, const ColumnReport& report,
                   const DeepOptions& options) {
    auto view = std::make_unique<DeepView>();
    prepareDeepView(job, *view);
    return deepTable(*view, job.nmax, Tabella, report, options);
}

} // namespace quor

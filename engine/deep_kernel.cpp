// The deep table: each sample follows the reference as its difference from
// it, in doubles, with rebasing. Each worker thread keeps groups of lanes,
// each group at one place on the reference, so that W is read once for all
// its lanes; a lane that is rebased leaves its group and waits, at the start
// of the reference, for a group of such lanes. Columns are shared out to
// worker threads as in the fast kernel.
#include "columns.h"
#include "deep.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <memory>

namespace quor {

using deeplanes::Lane;

namespace {

struct Lanes {
    deeplanes::StepFn steps = nullptr;
    int lanes = 1;
};

Lanes lanesFor(Isa isa) {
    switch (isaAvailable(isa) ? isa : Isa::Portable) {
#if defined(__x86_64__)
    case Isa::Avx512:
        return {deeplanes::stepsAvx512, deeplanes::LanesAvx512};
    case Isa::Avx2:
        // Its fused multiply-adds are a set of their own.
        if (__builtin_cpu_supports("fma"))
            return {deeplanes::stepsAvx2, deeplanes::LanesAvx2};
        return {deeplanes::stepsSse2, deeplanes::LanesSse2};
    case Isa::Sse2:
        return {deeplanes::stepsSse2, deeplanes::LanesSse2};
#endif
    default:
        return {};
    }
}

// A sample in the table and its state.
struct Sample {
    Lane lane;
    int at = 0; // column * DimScreen + row
};

// A rebased sample as it waits: all that is left of its state at the start
// of the reference (its interior test starts anew).
struct Waiting {
    double dx, dy, cx, cy, c1;
    std::uint64_t k, taken;
    int at;
};

} // namespace

TableEnd deepTable(const DeepView& view, std::uint32_t nmax, std::uint32_t* Tabella,
                   const ColumnReport& report, const DeepOptions& options) {
    const Reference& ref = view.reference;
    const Series* series = options.skip ? &view.series : nullptr;
    const Period* period = options.skip && view.periods.steps > 0 ? &view.periods : nullptr;
    const Lanes kernel = lanesFor(options.isa);
    const deeplanes::Orbit orbit{
        ref.x.data(),           ref.y.data(),  std::int64_t(ref.size()) - 1,
        std::int64_t(ref.wrap), !ref.periodic, (options.interior || period) && ref.periodic};
    ColumnBoard board;
    // Samples still running per column; only the worker that took the
    // column touches its entry.
    std::vector<std::uint16_t> left(DimScreen);
    std::atomic<std::uint64_t> steps{0};
    auto work = [&] {
        std::uint64_t taken = 0;
        int column = -1, row = DimScreen;
        auto finish = [&](const Sample& s, std::uint32_t count) {
            Tabella[s.at] = count;
            taken += s.lane.taken;
            const int c = s.at / DimScreen;
            if (--left[std::size_t(c)] == 0)
                board.done(c);
        };
        // The next sample of the worker's columns, at its start; the
        // series' starts of a column are evaluated together.
        std::vector<double> startx(DimScreen), starty(DimScreen);
        const bool starts = series && series->steps > 0;
        auto next = [&](Sample& s) {
            if (row == DimScreen) {
                column = board.take();
                if (column < 0)
                    return false;
                left[std::size_t(column)] = DimScreen;
                row = 0;
                if (starts)
                    seriesStarts(*series, view.dcx[column], view.dcy, DimScreen, startx.data(),
                                 starty.data());
            }
            s.at = column * DimScreen + row;
            s.lane = starts ? startLane(*series, view.dcx[column], view.dcy[row],
                                        startx[std::size_t(row)], starty[std::size_t(row)])
                            : startLane(nullptr, view.dcx[column], view.dcy[row]);
            ++row;
            return true;
        };
        if (!kernel.steps) {
            // One sample after another.
            for (Sample s; next(s);) {
                std::uint32_t count = nmax;
                while (stepLane(ref, s.lane, nmax, options.interior, false, count, period) !=
                       Step::Finished) {
                }
                finish(s, count);
            }
            steps.fetch_add(taken, std::memory_order_relaxed);
            return;
        }
        const int lanes = kernel.lanes; // per group
        constexpr int groups = deeplanes::Registers;
        auto g = std::make_unique<deeplanes::Group>();
        Sample lane[deeplanes::MaxLanes];
        unsigned live = 0;
        std::vector<Waiting> rebased; // at the start of the reference
        bool fresh = true;
        // At least the largest step count of a lane in use (exact after a
        // run that reached it), and the groups that may carry balls.
        std::uint64_t kmax = 0;
        unsigned ball = 0;
        // The arrays hold the differences and balls of the lanes in use.
        auto put = [&](int l) {
            const Lane& s = lane[l].lane;
            g->dx[l] = s.dx;
            g->dy[l] = s.dy;
            g->cx[l] = s.cx;
            g->cy[l] = s.cy;
            g->c1[l] = s.c1;
            g->r[l] = s.r;
            g->ex[l] = s.ex;
            g->ey[l] = s.ey;
        };
        auto get = [&](int l) {
            Lane& s = lane[l].lane;
            s.dx = g->dx[l];
            s.dy = g->dy[l];
            s.r = g->r[l];
            s.ex = g->ex[l];
            s.ey = g->ey[l];
            s.m = std::uint64_t(g->m[l / lanes]);
        };
        // A lane that finishes or leaves: its arrays hold zeros again.
        auto drop = [&](int l) {
            live &= ~(1u << l);
            g->dx[l] = g->dy[l] = g->cx[l] = g->cy[l] = 0.0;
        };
        auto done = [&](Sample& s, Step step, std::uint32_t count) {
            if (step == Step::Finished)
                finish(s, count);
            else
                rebased.push_back({s.lane.dx, s.lane.dy, s.lane.cx, s.lane.cy, s.lane.c1, s.lane.k,
                                   s.lane.taken, s.at});
        };
        // Fills an empty group with new samples, or with rebased ones once
        // there are enough of them or no new ones are left.
        auto fill = [&](int v) {
            const int first = v * lanes;
            int n = 0;
            for (; n < lanes && rebased.size() < std::size_t(lanes); ++n)
                if (!fresh || !next(lane[first + n])) {
                    fresh = false;
                    break;
                }
            const bool old = n == 0;
            for (; old && n < lanes && !rebased.empty(); ++n) {
                // Only what the steps read: the rest of the interior test's
                // state is unused until it is written anew.
                const Waiting& w = rebased.back();
                Sample& s = lane[first + n];
                s.lane.m = 0;
                s.lane.returns = 0;
                s.lane.ball = 0;
                s.lane.save = 1;
                s.lane.dx = w.dx;
                s.lane.dy = w.dy;
                s.lane.cx = w.cx;
                s.lane.cy = w.cy;
                s.lane.c1 = w.c1;
                s.lane.k = w.k;
                s.lane.taken = w.taken;
                s.at = w.at;
                rebased.pop_back();
            }
            for (int l = first; l < first + n; ++l) {
                put(l);
                live |= 1u << l;
                kmax = std::max(kmax, lane[l].lane.k);
            }
            g->m[v] = n > 0 ? std::int64_t(lane[first].lane.m) : 0;
            ball &= ~(1u << v);
        };
        const unsigned full = (1u << lanes) - 1;
        for (;;) {
            for (int v = 0; v < groups; ++v)
                if ((live >> (v * lanes) & full) == 0)
                    fill(v);
            if (live == 0 || board.stopped())
                break;
            const std::uint64_t most = kmax < nmax ? nmax - kmax : 0;
            const deeplanes::Run run = kernel.steps(*g, live, orbit, int(most), ball);
            // The lanes that left: the step they could not take with their
            // group, one at a time (they escape or are rebased).
            for (unsigned out = run.left; out != 0; out &= out - 1) {
                const int l = std::countr_zero(out);
                Sample& s = lane[l];
                s.lane.k += std::uint64_t(g->ls[l]);
                s.lane.taken += std::uint64_t(g->ls[l]);
                s.lane.dx = g->lx[l];
                s.lane.dy = g->ly[l];
                s.lane.m = std::uint64_t(g->lm[l]);
                std::uint32_t count = nmax;
                const Step step =
                    stepLane(ref, s.lane, nmax, options.interior, true, count, period);
                done(s, step, count);
            }
            live &= ~run.left;
            kmax += std::uint64_t(run.steps);
            bool ends = false;
            for (int v = 0; v < groups; ++v)
                ends = ends || (orbit.ends && g->m[v] == orbit.last);
            const bool limit = std::uint64_t(run.steps) == most;
            if (limit)
                kmax = 0;
            ball &= ~run.returned;
            for (unsigned on = live; on != 0; on &= on - 1) {
                const int l = std::countr_zero(on);
                Sample& s = lane[l];
                s.lane.k += std::uint64_t(run.steps);
                s.lane.taken += std::uint64_t(run.steps);
                if (limit)
                    kmax = std::max(kmax, s.lane.k);
                if (!(run.returned || limit || ends))
                    continue;
                const std::int64_t m = g->m[l / lanes];
                std::uint32_t count = nmax;
                if (run.returned >> (l / lanes) & 1) {
                    get(l);
                    if ((period && skipPeriods(*period, s.lane, nmax, count)) ||
                        (options.interior && deeplanes::returnTest(ref.wrapDefect, s.lane))) {
                        drop(l);
                        finish(s, nmax);
                    } else {
                        kmax = std::max(kmax, s.lane.k);
                        put(l);
                        ball |= s.lane.ball > 0 ? 1u << (l / lanes) : 0;
                    }
                } else if (s.lane.k >= nmax || (orbit.ends && m == orbit.last)) {
                    // The step that the group cannot take together: this
                    // lane reaches the limit, or the reference ends.
                    get(l);
                    const Step step =
                        stepLane(ref, s.lane, nmax, options.interior, true, count, period);
                    drop(l);
                    done(s, step, count);
                }
            }
        }
        steps.fetch_add(taken, std::memory_order_relaxed);
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

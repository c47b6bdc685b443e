// The deep kernel: each sample follows the reference as its difference from
// it, in doubles, with rebasing; columns are shared out to worker threads as
// in the fast kernel.
#include "columns.h"
#include "deep.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <memory>

namespace quor {

std::uint32_t deepCount(const Reference& ref, double dcx, double dcy, std::uint32_t nmax,
                        bool interior, std::uint64_t* steps, const Skips* skips) {
    const double* wx = ref.x.data();
    const double* wy = ref.y.data();
    const std::size_t last = ref.size() - 1;
    double dx = 0.0, dy = 0.0; // w(0) = W(0) + 0
    std::size_t m = 0;
    // The state (m, d) saved at doubling step counts: the next step is a
    // fixed function of it, so meeting it again means it repeats for ever.
    std::uint64_t save = 1;
    std::size_t sm = 0;
    std::uint64_t sx = 0, sy = 0;
    std::uint64_t k = 0; // may pass nmax in a skip
    std::uint64_t taken = 0;
    std::uint32_t count = nmax;
    const std::size_t levels = skips ? skips->levels.size() : 0;
    for (;; ++taken) {
        const double zx = wx[m] + dx;
        const double zy = wy[m] + dy;
        const double zz = zx * zx + zy * zy;
        // Written so that a sum that is not a number escapes too.
        if (k >= 1 && !(zz <= 4.0)) {
            count = static_cast<std::uint32_t>(k - 1);
            break;
        }
        if (k >= nmax)
            break;
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
        if (m >= 1 && levels > 1) {
            const std::size_t j0 = m - 1;
            l = std::min<int>(j0 == 0 ? 63 : std::countr_zero(j0), int(levels) - 1);
            for (; l >= 1; --l) {
                const std::vector<Skip>& level = skips->levels[std::size_t(l)];
                const std::size_t j = j0 >> l;
                if (j < level.size() && dd < level[j].r2)
                    break;
            }
        }
        if (l >= 1) {
            // d' = A d + B dc
            const Skip& s = skips->levels[std::size_t(l)][(m - 1) >> l];
            const double nx = (s.ax * dx - s.ay * dy) + (s.bx * dcx - s.by * dcy);
            dy = (s.ax * dy + s.ay * dx) + (s.bx * dcy + s.by * dcx);
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
        if (interior) {
            if (m == sm && std::bit_cast<std::uint64_t>(dx) == sx &&
                std::bit_cast<std::uint64_t>(dy) == sy)
                break; // count stays the limit
            if (taken + 1 >= save) {
                sm = m;
                sx = std::bit_cast<std::uint64_t>(dx);
                sy = std::bit_cast<std::uint64_t>(dy);
                save = 2 * (taken + 1);
            }
        }
    }
    if (steps)
        *steps += taken;
    return count;
}

TableEnd deepTable(const DeepView& view, std::uint32_t nmax, std::uint32_t* Tabella,
                   const ColumnReport& report, const DeepOptions& options) {
    ColumnBoard board;
    std::atomic<std::uint64_t> steps{0};
    auto work = [&] {
        std::uint64_t taken = 0;
        for (int column = board.take(); column >= 0; column = board.take()) {
            std::uint32_t* out = Tabella + static_cast<std::size_t>(column) * DimScreen;
            for (int row = 0; row < DimScreen; ++row)
                out[row] =
                    deepCount(view.reference, view.dcx[column], view.dcy[row], nmax,
                              options.interior, &taken, options.skip ? &view.skips : nullptr);
            board.done(column);
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

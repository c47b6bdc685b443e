// The fast kernel. Each worker thread keeps a set of lanes busy: a lane whose
// sample has finished takes the next sample of the worker's column at once,
// and a worker whose column is used up takes the next free column, so no
// lane waits for a slow neighbour. The calling thread only collects finished
// columns and reports them in order.
#include "columns.h"
#include "kernel.h"
#include "lanes.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace quor {

namespace lanes {

template <bool Cycles>
std::uint64_t stepsPortable(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax) {
    std::uint64_t finished = 0;
    for (int l = 0; l < LanesPortable; ++l) {
        if (!(live >> l & 1))
            continue;
        double x = s.x[l];
        double y = s.y[l];
        const double cx = s.cx[l];
        const double cy = s.cy[l];
        std::int64_t n = s.n[l];
        const std::int64_t end = std::min<std::int64_t>(nmax, n + stepsMax);
        bool inside = true;
        while (n < end) {
            const double xx = x * x;
            const double yy = y * y;
            if (!(xx + yy <= 4.0)) {
                inside = false;
                break;
            }
            y = (2.0 * x) * y + cy;
            x = xx - yy + cx;
            ++n;
            // Bits, not values: +0 and -0 are different iterates.
            if (Cycles &&
                std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(s.sx[l]) &&
                std::bit_cast<std::uint64_t>(y) == std::bit_cast<std::uint64_t>(s.sy[l])) {
                n += Repeating;
                break;
            }
        }
        if (Cycles && inside && n >= s.save[l] && n < nmax) {
            s.sx[l] = x;
            s.sy[l] = y;
            s.save[l] = 2 * n;
        }
        s.x[l] = x;
        s.y[l] = y;
        s.n[l] = n;
        if (!inside || n == nmax || n < 0)
            finished |= std::uint64_t{1} << l;
    }
    return finished;
}

template std::uint64_t stepsPortable<false>(State&, std::uint64_t, std::int64_t, int);
template std::uint64_t stepsPortable<true>(State&, std::uint64_t, std::int64_t, int);

} // namespace lanes

namespace {

// Steps between two looks at the lanes. Long rounds keep the loop tight where
// samples run long; short ones keep finished lanes from idling where they
// escape quickly. Each worker adapts between the two to what it meets.
constexpr int StepsMin = 8;
constexpr int StepsMax = 64;

struct Kernel {
    lanes::StepFn steps;
    int lanes;
};

template <bool Cycles> Kernel kernelFor(Isa isa) {
    switch (isa) {
#if defined(__x86_64__)
    case Isa::Avx512:
        return {lanes::stepsAvx512<Cycles>, lanes::LanesAvx512};
    case Isa::Avx2:
        return {lanes::stepsAvx2<Cycles>, lanes::LanesAvx2};
    case Isa::Sse2:
        return {lanes::stepsSse2<Cycles>, lanes::LanesSse2};
#endif
    default:
        return {lanes::stepsPortable<Cycles>, lanes::LanesPortable};
    }
}

// What the workers share: the job, the table, the columns.
class Run {
  public:
    Run(const TableJob& job, std::uint32_t* table, Kernel kernel)
        : job_(job), table_(table), kernel_(kernel) {
        sampleCoordinates(job.xa, job.xb, xs_);
        sampleCoordinates(job.ya, job.yb, ys_);
    }

    void work();

    ColumnBoard& board() { return board_; }
    std::uint64_t steps() const { return steps_.load(std::memory_order_relaxed); }

  private:
    const TableJob& job_;
    std::uint32_t* table_;
    Kernel kernel_;
    double xs_[DimScreen];
    double ys_[DimScreen];
    ColumnBoard board_;
    // Samples still running per column; only the worker that took the column
    // touches its entry.
    std::uint16_t left_[DimScreen] = {};
    std::atomic<std::uint64_t> steps_{0}; // steps the lanes took, all samples
};

void Run::work() {
    lanes::State s;
    int index[lanes::MaxLanes] = {};
    const int laneCount = kernel_.lanes;
    const std::uint64_t allLanes =
        laneCount == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << laneCount) - 1;
    const std::int64_t nmax = job_.nmax;
    const bool julia = job_.tipo != Quorvane;
    std::uint64_t live = 0;
    int column = -1;
    int row = DimScreen; // the worker's column is used up: take a new one

    auto finish = [&](int at, std::uint32_t count) {
        table_[at] = count;
        const int c = at / DimScreen;
        if (--left_[c] == 0)
            board_.done(c);
    };
    // Gives lane l the next sample; false when there is none left.
    auto load = [&](int l) {
        for (;;) {
            if (row == DimScreen) {
                column = board_.take();
                if (column < 0)
                    return false;
                left_[column] = DimScreen;
                row = 0;
            }
            const int at = column * DimScreen + row;
            const double x0 = xs_[column];
            const double y0 = ys_[row];
            ++row;
            // No step allowed (the count is the limit, 0), or the sample
            // outside the circle from the start: the plain loop's first test
            // gives 0, and the sample never takes a lane.
            if (nmax == 0 || !(x0 * x0 + y0 * y0 <= 4.0)) {
                finish(at, 0);
                continue;
            }
            lanes::start(s, l, x0, y0, julia ? job_.xj : x0, julia ? job_.yj : y0);
            index[l] = at;
            return true;
        }
    };

    bool more = true;
    int steps = StepsMin;
    std::uint64_t stepsTaken = 0;
    for (;;) {
        if (more) {
            for (std::uint64_t idle = allLanes & ~live; idle != 0; idle &= idle - 1) {
                const int l = std::countr_zero(idle);
                if (!load(l)) {
                    more = false;
                    break;
                }
                live |= std::uint64_t{1} << l;
            }
        }
        if (live == 0 || board_.stopped()) {
            steps_.fetch_add(stepsTaken, std::memory_order_relaxed);
            return;
        }
        std::uint64_t finished = kernel_.steps(s, live, nmax, steps);
        live &= ~finished;
        const int count = std::popcount(finished);
        if (count == 0)
            steps = std::min(steps * 2, StepsMax);
        else if (count * 8 >= laneCount)
            steps = std::max(steps / 2, StepsMin);
        for (; finished != 0; finished &= finished - 1) {
            const int l = std::countr_zero(finished);
            const std::int64_t n = s.n[l];
            finish(index[l], static_cast<std::uint32_t>(n < 0 ? nmax : n));
            stepsTaken += static_cast<std::uint64_t>(n & lanes::StepsMask);
        }
    }
}

} // namespace

unsigned ColumnBoard::waitForPrefix(int reported) {
    const int next = reported + 1;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!done_[next].load(std::memory_order_acquire))
            allDone_.wait_for(lock, std::chrono::milliseconds(1));
    }
    int top = next;
    while (top + 1 < DimScreen && done_[top + 1].load(std::memory_order_acquire))
        ++top;
    return static_cast<unsigned>(top);
}

TableEnd runColumns(ColumnBoard& board, unsigned threads, const std::function<void()>& work,
                    const ColumnReport& report) {
    threads = threads ? threads : std::thread::hardware_concurrency();
    threads = std::clamp(threads, 1u, 256u);
    std::vector<std::thread> workers;
    try {
        for (unsigned t = 0; t < threads; ++t)
            workers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked for still finish the table; with none at
        // all, this thread does the work before reporting.
        if (workers.empty())
            work();
    }

    int reported = -1;
    bool stopped = false;
    while (reported + 1 < DimScreen && !stopped) {
        reported = static_cast<int>(board.waitForPrefix(reported));
        stopped = report && report(static_cast<unsigned>(reported));
    }
    board.stop();
    for (std::thread& w : workers)
        w.join();
    return {static_cast<unsigned>(reported + 1), stopped};
}

bool isaAvailable(Isa isa) {
    switch (isa) {
    case Isa::Portable:
        return true;
#if defined(__x86_64__)
    case Isa::Sse2:
        return __builtin_cpu_supports("sse2");
    case Isa::Avx2:
        return __builtin_cpu_supports("avx2");
    case Isa::Avx512:
        return __builtin_cpu_supports("avx512f");
#endif
    default:
        return false;
    }
}

Isa bestIsa() {
    for (Isa isa : {Isa::Avx512, Isa::Avx2, Isa::Sse2})
        if (isaAvailable(isa))
            return isa;
    return Isa::Portable;
}

const char* isaName(Isa isa) {
    switch (isa) {
    case Isa::Avx512:
        return "AVX-512";
    case Isa::Avx2:
        return "AVX2";
    case Isa::Sse2:
        return "SSE2";
    default:
        return "portable";
    }
}

TableEnd fastTable(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report,
                   const FastOptions& options) {
    const Isa isa = isaAvailable(options.isa) ? options.isa : bestIsa();
    auto run = std::make_unique<Run>(job, Tabella,
                                     options.cycles ? kernelFor<true>(isa) : kernelFor<false>(isa));
    const TableEnd end = runColumns(
        run->board(), options.threads, [&run] { run->work(); }, report);
    if (options.steps)
        *options.steps = run->steps();
    return end;
}

} // namespace quor

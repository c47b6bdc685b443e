// Cycle detection: the fast kernel finds orbits that repeat bit for bit and
// gives them the limit, on every instruction set and thread count, without
// changing a single count of the plain loop; only a match of every bit
// counts, and a lane found repeating leaves nothing behind for its next
// sample.
#include "engine_support.h"
#include "lanes.h"

#include <cmath>

using namespace quor;

namespace {

constexpr Isa everyIsa[] = {Isa::Portable, Isa::Sse2, Isa::Avx2, Isa::Avx512};

// The plain counts of the first `columns` columns of job (the plain loop on
// whole views at 32767 takes seconds; a few columns are enough).
std::vector<std::uint32_t> plainColumns(const TableJob& job, unsigned columns) {
    std::vector<std::uint32_t> t(TableSize);
    EXPECT_EQ(plainTable(job, t.data(), [&](unsigned j) { return j + 1 >= columns; }).columns,
              columns);
    t.resize(std::size_t{columns} * DimScreen);
    return t;
}

} // namespace

TEST(CycleDetection, GivesThePlainCountsOnEveryInstructionSet) {
    // The views where orbits repeat (or nearly do), each from a column where
    // the set is: its first columns are compared.
    const double px = 3.0 / 723, julia = 3.2 / 723; // the start view's pixel, the Julia views'
    const double ulp = std::ldexp(1.0, -53);
    struct Case {
        const char* name;
        TableJob job; // tipo, xa, xb, ya, yb, nmax, xj, yj
        unsigned columns;
    } cases[] = {
        {"start view across -0.75", {0, -0.76, -0.76 + 723 * px, -1.5, 1.5, 32767}, 6},
        {"north", {0, -0.16, -0.14, 1.03, 1.05, 32767}, 12},
        {"antenna", {0, -1.79, -1.74, -0.025, 0.025, 32767}, 12},
        {"boundary", {0, -0.7453, -0.7433, 0.1121, 0.1141, 32767}, 24},
        {"period-3 bulb, wholly inside", {0, -0.1226, -0.1225, 0.7449, 0.745, 32767}, 4},
        {"rabbit", {1, -0.01, -0.01 + 723 * julia, -1.6, 1.6, 32767, -0.12, 0.75}, 6},
        {"basilica", {1, -0.01, -0.01 + 723 * julia, -1.6, 1.6, 32767, -1, 0}, 6},
        {"-0.0 as limits", {0, -0.0, 0.3, -0.0, 0.3, 32767}, 6},
        {"Julia, -0.0 as limits", {1, -0.0, 1.0, -0.0, 1.0, 32767, -0.0, -0.0}, 6},
        {"last bits of -0.75 + 0.1i",
         {0, -0.75, -0.75 + 723 * ulp, 0.1, 0.1 + 723 * ulp / 8, 32767},
         6},
        {"last bits of the parabolic point",
         {0, 0.25 - 361 * ulp / 2, 0.25 + 362 * ulp / 2, -361e-300, 362e-300, 3000},
         6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto plain = plainColumns(c.job, c.columns);
        for (Isa isa : everyIsa)
            for (unsigned threads : {1u, 3u}) {
                if (!isaAvailable(isa))
                    continue;
                SCOPED_TRACE(std::string(isaName(isa)) + " x" + std::to_string(threads));
                std::vector<std::uint32_t> fast(TableSize, 0xDEADBEEF);
                auto enough = [&](unsigned j) { return j + 1 >= c.columns; };
                fastTable(c.job, fast.data(), enough, {isa, threads});
                for (std::size_t k = 0; k < plain.size(); ++k)
                    ASSERT_EQ(fast[k], plain[k]) << "column " << k / 724 << " row " << k % 724;
            }
    }
}

TEST(CycleDetection, RepeatingOrbitsGetTheLimitForAFractionOfTheSteps) {
    // Wholly inside the main cardioid and a period-2 bulb, and the basilica:
    // every count is the limit by definition, and the orbits settle into
    // repeating bits long before it.
    const TableJob jobs[] = {{0, -0.1, -0.1 + 1e-3, 0.1, 0.1 + 1e-3, 1000000},
                             {0, -1.01, -0.99, -0.01, 0.01, 1000000},
                             {1, -0.2, 0.2, -0.2, 0.2, 1000000, -1, 0}};
    for (const TableJob& job : jobs)
        for (Isa isa : everyIsa) {
            if (!isaAvailable(isa))
                continue;
            SCOPED_TRACE(std::string(isaName(isa)) + " from " + std::to_string(job.xa));
            std::vector<std::uint32_t> t(TableSize);
            std::uint64_t steps = 0;
            FastOptions options{isa};
            options.steps = &steps;
            fastTable(job, t.data(), {}, options);
            EXPECT_EQ(std::count(t.begin(), t.end(), 1000000u), TableSize);
            EXPECT_LT(steps, std::uint64_t{TableSize} * 1000); // 1000 times fewer than the limit
        }
}

TEST(CycleDetection, ARepeatingLaneIsMarkedAndLeavesNothingToItsNextSample) {
    // Sample B (a Quorvane sample on the real axis just right of 0.25)
    // stays inside for more than 16 steps and then escapes. Its iterate
    // after 16 steps, p, is made the fixed point of sample A's constant,
    // so that A, started at p, repeats at once with p saved. If B, taken by
    // the same lane after A, found A's saved iterate, it would be caught at
    // step 16 and given the limit.
    const std::int64_t nmax = 100000;
    double b = 0, p = 0, a = 0;
    std::int64_t countB = 0;
    for (int k = 0; k < 1000 && countB == 0; ++k) {
        b = 0.2501 + k * 1e-6;
        const TableJob column{0, b, b, 0.0, 0.0, std::uint32_t(nmax)}; // 724 times b
        countB = std::int64_t(plainColumns(column, 1)[0]);
        double x = b, y = 0.0;
        for (int n = 0; n < 16; ++n) {
            const double xx = x * x, yy = y * y;
            y = (2.0 * x) * y + 0.0;
            x = xx - yy + b;
        }
        p = x;
        a = p - p * p;
        if (!(countB > 16 && countB < nmax && p * p + a == p && y == 0.0))
            countB = 0;
    }
    ASSERT_GT(countB, 0) << "no sample B found";

    for (auto [isa, steps] : {
             std::pair(Isa::Portable, &lanes::stepsPortable<true>),
#if defined(__x86_64__)
                 std::pair(Isa::Sse2, &lanes::stepsSse2<true>),
                 std::pair(Isa::Avx2, &lanes::stepsAvx2<true>),
                 std::pair(Isa::Avx512, &lanes::stepsAvx512<true>)
#endif
         }) {
        if (!isaAvailable(isa))
            continue;
        SCOPED_TRACE(isaName(isa));
        auto run = [&](lanes::State& s) { // lane 0 alone until it is finished
            for (int round = 0; round < 100000; ++round)
                if (steps(s, 1, nmax, 64) & 1)
                    return s.n[0];
            return std::int64_t{0};
        };
        lanes::State s{};
        lanes::start(s, 0, p, 0.0, a, 0.0);
        const std::int64_t n = run(s);
        EXPECT_LT(n, 0) << "A not marked as repeating";
        EXPECT_LE(n & lanes::StepsMask, 64) << "A not found at once";
        lanes::start(s, 0, b, 0.0, b, 0.0);
        EXPECT_EQ(run(s), countB);
        // Only all the bits of both halves make a match: p - 0i has the
        // value of B's iterate p + 0i after 16 steps, but other bits.
        lanes::start(s, 0, b, 0.0, b, 0.0);
        s.sx[0] = p;
        s.sy[0] = -0.0;
        EXPECT_EQ(run(s), countB);
    }
}

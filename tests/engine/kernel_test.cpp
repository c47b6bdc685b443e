// The fast kernel against the plain one, count by count, on every
// instruction set this processor has and with several thread counts; and
// the counts the plain kernel must give by definition.
#include "engine_support.h"

#include <cmath>
#include <limits>

using quor::DimScreen;
using quor::TableJob;
using quor::TableSize;

namespace {

std::vector<quor::Isa> availableIsas() {
    std::vector<quor::Isa> isas;
    for (quor::Isa isa : {quor::Isa::Portable, quor::Isa::Sse2, quor::Isa::Avx2, quor::Isa::Avx512})
        if (quor::isaAvailable(isa))
            isas.push_back(isa);
    return isas;
}

TableJob view(double xa, double xb, double ya, double yb, std::uint32_t nmax) {
    TableJob job;
    job.xa = xa;
    job.xb = xb;
    job.ya = ya;
    job.yb = yb;
    job.nmax = nmax;
    return job;
}

TableJob julia(double xj, double yj, double half, std::uint32_t nmax) {
    TableJob job = view(-half, half, -half, half, nmax);
    job.tipo = quor::Julia;
    job.xj = xj;
    job.yj = yj;
    return job;
}

std::uint32_t at(const std::vector<std::uint32_t>& t, int column, int row) {
    return t[static_cast<std::size_t>(column) * DimScreen + row];
}

// The first sample where two tables differ, for a readable failure.
::testing::AssertionResult sameTable(const std::vector<std::uint32_t>& expected,
                                     const std::vector<std::uint32_t>& actual) {
    for (int k = 0; k < TableSize; ++k)
        if (expected[k] != actual[k])
            return ::testing::AssertionFailure()
                   << "column " << k / DimScreen << " row " << k % DimScreen << ": plain "
                   << expected[k] << ", fast " << actual[k];
    return ::testing::AssertionSuccess();
}

// Every instruction set with one and with two worker threads, and the
// default, must give the plain table exactly.
void expectFastEqualsPlain(const TableJob& job, const char* what) {
    SCOPED_TRACE(what);
    const auto plain = quortest::plainCounts(job);
    std::vector<std::uint32_t> fast(TableSize, 0xDEADBEEF);
    EXPECT_EQ(quor::fastTable(job, fast.data()), 724u);
    EXPECT_TRUE(sameTable(plain, fast)) << "default";
    for (quor::Isa isa : availableIsas()) {
        for (unsigned threads : {1u, 3u}) {
            SCOPED_TRACE(std::string(quor::isaName(isa)) + " x" + std::to_string(threads));
            std::fill(fast.begin(), fast.end(), 0xDEADBEEF);
            quor::FastOptions options;
            options.isa = isa;
            options.threads = threads;
            EXPECT_EQ(quor::fastTable(job, fast.data(), {}, options), 724u);
            EXPECT_TRUE(sameTable(plain, fast));
        }
    }
}

} // namespace

TEST(SampleCoordinates, AdvanceByRepeatedAddition) {
    double xs[DimScreen];
    quor::sampleCoordinates(-2.0, 1.0, xs);
    EXPECT_EQ(xs[0], -2.0);
    const double d = 3.0 / 723.0;
    double v = -2.0;
    for (int k = 0; k < DimScreen; ++k) {
        ASSERT_EQ(xs[k], v) << k;
        v = v + d;
    }
    EXPECT_NEAR(xs[723], 1.0, 1e-12);
}

TEST(PlainKernel, CountsByDefinition) {
    // The start view: the corner -2 - 1.5i is outside the circle (count 0),
    // c = 0 never leaves, and a sample just outside escapes after a few steps.
    const auto t = quortest::plainCounts(view(-2.5, 2.5, -2.5, 2.5, 100));
    EXPECT_EQ(at(t, 0, 0), 0u); // -2.5 - 2.5i
    // Column 361.5 is not a sample; find the ones nearest the origin instead:
    // with 723 steps over 5, the samples next to 0 lie within 0.004 of it.
    EXPECT_EQ(at(t, 361, 361), 100u);
    EXPECT_EQ(at(t, 362, 362), 100u);

    // Julia constant 0: |z| <= 1 never escapes, |z| > 2 escapes at once, and
    // in between the count is the step where |z|^(2^n) first passes 2.
    const TableJob j0 = julia(0.0, 0.0, 2.5, 60);
    const auto tj = quortest::plainCounts(j0);
    double xs[DimScreen], ys[DimScreen];
    quor::sampleCoordinates(j0.xa, j0.xb, xs);
    quor::sampleCoordinates(j0.ya, j0.yb, ys);
    for (int c = 0; c < DimScreen; c += 7) {
        for (int r = 0; r < DimScreen; r += 5) {
            const double m = xs[c] * xs[c] + ys[r] * ys[r];
            if (m <= 0.999) {
                ASSERT_EQ(at(tj, c, r), 60u) << c << "," << r;
            } else if (m > 4.001) {
                ASSERT_EQ(at(tj, c, r), 0u) << c << "," << r;
            } else if (m > 1.001) {
                ASSERT_LT(at(tj, c, r), 60u) << c << "," << r;
            }
        }
    }
}

TEST(PlainKernel, TipOnTheCircleNeverEscapes) {
    // dx = dy = 2^-20 and the limits are multiples of it, so every sample is
    // exact; column 0 is exactly -2 and row 361 exactly 0. The orbit of -2 is
    // -2, 2, 2, ... on the circle itself, which counts as inside.
    const double step = std::ldexp(1.0, -20);
    const TableJob job = view(-2.0, -2.0 + 723 * step, -361 * step, 362 * step, 500);
    double ys[DimScreen];
    quor::sampleCoordinates(job.ya, job.yb, ys);
    ASSERT_EQ(ys[361], 0.0);
    const auto t = quortest::plainCounts(job);
    EXPECT_EQ(at(t, 0, 361), 500u);
    EXPECT_LT(at(t, 0, 0), 500u); // -2 - 361 * 2^-20 i leaves
    expectFastEqualsPlain(job, "the tip -2");
}

TEST(PlainKernel, ReportsEveryColumnAndStopsAfterTheAskedOne) {
    const TableJob job = view(-2.0, 1.0, -1.5, 1.5, 64);
    const auto full = quortest::plainCounts(job);

    std::vector<unsigned> reported;
    std::vector<std::uint32_t> t(TableSize, 0xDEADBEEF);
    EXPECT_EQ(quor::quor_nucleo(job, t.data(),
                                [&](unsigned j) {
                                    reported.push_back(j);
                                    return false;
                                }),
              724u);
    ASSERT_EQ(reported.size(), 724u);
    for (unsigned j = 0; j < 724; ++j)
        EXPECT_EQ(reported[j], j);
    EXPECT_TRUE(sameTable(full, t));

    // A stop after column 0: exactly one column is computed, nothing after it.
    std::fill(t.begin(), t.end(), 0xDEADBEEF);
    reported.clear();
    EXPECT_EQ(quor::quor_nucleo(job, t.data(),
                                [&](unsigned j) {
                                    reported.push_back(j);
                                    return true;
                                }),
              1u);
    EXPECT_EQ(reported, std::vector<unsigned>{0});
    for (int r = 0; r < DimScreen; ++r)
        EXPECT_EQ(at(t, 0, r), at(full, 0, r));
    for (int k = DimScreen; k < TableSize; ++k)
        ASSERT_EQ(t[k], 0xDEADBEEFu) << k;

    // The same for the Julia kernel, stopping after column 9.
    TableJob j = julia(-0.8, 0.156, 1.6, 64);
    std::fill(t.begin(), t.end(), 0xDEADBEEF);
    EXPECT_EQ(quor::julia_nucleo(j, t.data(), [](unsigned c) { return c == 9; }), 10u);
    const auto fullJulia = quortest::plainCounts(j);
    for (int k = 0; k < 10 * DimScreen; ++k)
        ASSERT_EQ(t[k], fullJulia[k]) << k;
    EXPECT_EQ(t[10 * DimScreen], 0xDEADBEEFu);
}

TEST(FastKernel, EqualsPlainOnTheStartView) {
    expectFastEqualsPlain(view(-2.0, 1.0, -1.5, 1.5, 100), "start view 100");
    expectFastEqualsPlain(view(-2.0, 1.0, -1.5, 1.5, 1000), "start view 1000");
}

TEST(FastKernel, EqualsPlainOnADeepView) {
    // About 1e-15 per pixel near -0.7436 + 0.1318i: the samples differ in
    // their last bits only, where any change in the order of operations
    // would show.
    const double step = 1e-15;
    expectFastEqualsPlain(view(-0.7436, -0.7436 + 723 * step, 0.1318, 0.1318 + 723 * step, 1500),
                          "deep view");
    // Wider, with its many boundary samples of all escape times.
    expectFastEqualsPlain(view(-0.7436, -0.7435, 0.1318, 0.1319, 2000), "seahorse valley");
}

TEST(FastKernel, EqualsPlainWhollyInsideAndWhollyOutside) {
    {
        const TableJob inside = view(-0.1, -0.1 + 1e-6, 0.1, 0.1 + 1e-6, 400);
        const auto t = quortest::plainCounts(inside);
        for (int k = 0; k < TableSize; ++k)
            ASSERT_EQ(t[k], 400u) << k;
        expectFastEqualsPlain(inside, "wholly inside");
    }
    {
        const TableJob outside = view(3.0, 4.0, 3.0, 4.0, 100);
        const auto t = quortest::plainCounts(outside);
        for (int k = 0; k < TableSize; ++k)
            ASSERT_EQ(t[k], 0u) << k;
        expectFastEqualsPlain(outside, "wholly outside the circle");
    }
    // The set reaches no further right than about 0.47, so here every sample
    // leaves, some after many steps; the highest limits the counter holds
    // are never reached.
    expectFastEqualsPlain(view(0.6, 1.2, -0.5, 0.5, 4294967295u), "outside, limit 2^32 - 1");
    expectFastEqualsPlain(view(0.6, 1.2, -0.5, 0.5, 2147483649u), "outside, limit 2^31 + 1");
}

TEST(FastKernel, EqualsPlainOnJuliaSets) {
    {
        const TableJob j0 = julia(0.0, 0.0, 2.5, 200);
        expectFastEqualsPlain(j0, "Julia 0");
    }
    expectFastEqualsPlain(julia(-0.8, 0.156, 1.6, 500), "Julia -0.8 + 0.156i");
    expectFastEqualsPlain(julia(0.285, 0.01, 1.5, 800), "Julia 0.285 + 0.01i");
    expectFastEqualsPlain(julia(-0.4, 0.6, 1.5, 300), "Julia -0.4 + 0.6i");
    expectFastEqualsPlain(julia(-2.0, 0.0, 2.0, 300), "Julia -2");
}

TEST(FastKernel, AnEscapedSampleNeverCountsAgain) {
    // With the constant -5, z = 1.6625 goes to -sqrt(5) (outside, count 1),
    // then to about 0 (inside again), then to -5. The count stays 1.
    TableJob job = view(1.6, 1.7, -0.01, 0.01, 100);
    job.tipo = quor::Julia;
    job.xj = -5.0;
    job.yj = 0.0;
    const auto t = quortest::plainCounts(job);
    double ys[DimScreen];
    quor::sampleCoordinates(job.ya, job.yb, ys);
    int row = 0;
    while (std::fabs(ys[row + 1]) < std::fabs(ys[row]))
        ++row;
    for (int c = 0; c < DimScreen; ++c)
        ASSERT_EQ(at(t, c, row), 1u) << c;
    expectFastEqualsPlain(job, "escape and return");

    // Huge constants overflow to infinity and NaN after escaping.
    TableJob wild = julia(1e300, -1e300, 2.0, 50);
    expectFastEqualsPlain(wild, "overflow after escape");
}

TEST(FastKernel, EqualsPlainOnLimitsThatAreNotNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const TableJob& job : {view(nan, 1.0, -1.5, 1.5, 100), view(-2.0, 1.0, nan, nan, 100),
                                view(-inf, inf, -1.5, 1.5, 100), view(-2.0, inf, -1.5, 1.5, 100),
                                view(-2.0, 1.0, -inf, -inf, 100)}) {
        const auto t = quortest::plainCounts(job);
        for (int k = 0; k < TableSize; ++k)
            ASSERT_EQ(t[k], 0u) << k; // a NaN or infinite sample escapes at once
        expectFastEqualsPlain(job, "NaN or infinite limits");
    }
    // Only X infinite at the right: column 0 is finite, the rest is not.
    TableJob half = view(-1.0, inf, -0.5, 0.5, 100);
    half.xa = -0.1;
    expectFastEqualsPlain(half, "right edge infinite");
}

TEST(FastKernel, EqualsPlainAtLimitsZeroAndOne) {
    const TableJob zero = view(-2.5, 2.5, -2.5, 2.5, 0);
    const auto t0 = quortest::plainCounts(zero);
    for (int k = 0; k < TableSize; ++k)
        ASSERT_EQ(t0[k], 0u);
    expectFastEqualsPlain(zero, "limit 0");

    const TableJob one = view(-2.5, 2.5, -2.5, 2.5, 1);
    const auto t1 = quortest::plainCounts(one);
    EXPECT_EQ(at(t1, 0, 0), 0u);
    EXPECT_EQ(at(t1, 361, 361), 1u);
    expectFastEqualsPlain(one, "limit 1");
    expectFastEqualsPlain(julia(0.3, 0.5, 2.5, 1), "Julia limit 1");
    expectFastEqualsPlain(view(-2.0, 1.0, -1.5, 1.5, 2), "limit 2");
    expectFastEqualsPlain(view(-2.0, 1.0, -1.5, 1.5, 9), "limit 9");
}

TEST(FastKernel, ReportsPrefixesInOrderAndStops) {
    const TableJob job = view(-2.0, 1.0, -1.5, 1.5, 300);
    const auto plain = quortest::plainCounts(job);

    for (unsigned threads : {1u, 2u, 4u}) {
        SCOPED_TRACE(threads);
        quor::FastOptions options;
        options.threads = threads;
        std::vector<std::uint32_t> t(TableSize, 0xDEADBEEF);
        std::vector<unsigned> reported;
        bool prefixComplete = true;
        EXPECT_EQ(quor::fastTable(
                      job, t.data(),
                      [&](unsigned j) {
                          reported.push_back(j);
                          // Every column up to j is final when j is reported.
                          for (int k = 0; k < static_cast<int>(j + 1) * DimScreen; ++k)
                              prefixComplete = prefixComplete && t[k] == plain[k];
                          return false;
                      },
                      options),
                  724u);
        EXPECT_TRUE(prefixComplete);
        ASSERT_FALSE(reported.empty());
        EXPECT_EQ(reported.back(), 723u);
        for (std::size_t k = 1; k < reported.size(); ++k)
            EXPECT_LT(reported[k - 1], reported[k]);
        EXPECT_TRUE(sameTable(plain, t));

        // Stop at the first report: the run ends there, with the columns up
        // to that one complete.
        std::fill(t.begin(), t.end(), 0xDEADBEEF);
        unsigned first = 9999;
        int calls = 0;
        const unsigned done = quor::fastTable(
            job, t.data(),
            [&](unsigned j) {
                ++calls;
                first = j;
                return true;
            },
            options);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(done, first + 1);
        for (int k = 0; k < static_cast<int>(done) * DimScreen; ++k)
            ASSERT_EQ(t[k], plain[k]) << k;
    }
}

TEST(FastKernel, StopsPromptlyOnALongRun) {
    // Column 0 lies outside the circle and is done at once; column 1 lies
    // inside the set at a limit of four billion and would take days. The
    // first report is therefore column 0, and the stop asked there must end
    // the run, which it can only do if the workers give up their columns.
    const double dx = -3.1;
    const TableJob job = view(3.0, 3.0 + 723 * dx, 0.1, 0.1 + 1e-9, 4294967295u);
    double xs[DimScreen];
    quor::sampleCoordinates(job.xa, job.xb, xs);
    ASSERT_NEAR(xs[1], -0.1, 1e-12);
    std::vector<std::uint32_t> t(TableSize);
    std::vector<unsigned> reported;
    const unsigned done = quor::fastTable(job, t.data(), [&](unsigned j) {
        reported.push_back(j);
        return true;
    });
    EXPECT_EQ(reported, std::vector<unsigned>{0});
    EXPECT_EQ(done, 1u);
    for (int r = 0; r < DimScreen; ++r)
        EXPECT_EQ(at(t, 0, r), 0u);
}

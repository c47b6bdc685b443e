// The fast kernel against the plain one, count by count, on every
// instruction set this processor has; and counts known by definition.
#include "engine_support.h"

#include <cmath>

using namespace quor;

TEST(FastKernel, EqualsPlainAndReportsCompleteColumnsInOrder) {
    const double tip = std::ldexp(1.0, -20); // exact samples: column 0 at -2, row 361 at 0
    const double deep = 1e-15;               // samples differing in their last bits
    struct Case {
        const char* name;
        TableJob job;              // tipo, xa, xb, ya, yb, nmax, xj, yj
        std::int64_t count = -1;   // the plain count by definition, if not -1,
        int column = -1, row = -1; // at this sample, or at every one when -1
    } cases[] = {
        {"start view", {0, -2, 1, -1.5, 1.5, 1000}},
        {"deep view", {0, -0.7436, -0.7436 + 723 * deep, 0.1318, 0.1318 + 723 * deep, 1500}},
        {"wholly inside", {0, -0.1, -0.1 + 1e-6, 0.1, 0.1 + 1e-6, 400}, 400},
        {"wholly outside", {0, 3, 4, 3, 4, 100}, 0},
        {"outside, limit 2^32 - 1", {0, 0.6, 1.2, -0.5, 0.5, 4294967295u}},
        {"the tip -2", {0, -2, -2 + 723 * tip, -361 * tip, 362 * tip, 500}, 500, 0, 361},
        {"Julia 0", {1, -2.5, 2.5, -2.5, 2.5, 200, 0, 0}, 200, 361, 361},
        {"Julia -0.8 + 0.156i", {1, -1.6, 1.6, -1.6, 1.6, 500, -0.8, 0.156}},
        {"escapes, comes back, counts no more", {1, 1.6, 1.7, -0.01, 0.01, 100, -5, 0}, 1, 0, 361},
        {"overflow after escape", {1, -2, 2, -2, 2, 50, 1e300, -1e300}},
        {"NaN limits", {0, -2, 1, NAN, NAN, 100}, 0},
        {"infinite limits", {0, -INFINITY, INFINITY, -1.5, 1.5, 100}, 0},
        {"limit 0", {0, -2.5, 2.5, -2.5, 2.5, 0}, 0},
        {"limit 1", {0, -2.5, 2.5, -2.5, 2.5, 1}, 1, 361, 361},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto plain = quortest::plainCounts(c.job);
        const int first = c.column < 0 ? 0 : c.column * DimScreen + c.row;
        for (int k = first; c.count >= 0 && k < (c.column < 0 ? TableSize : first + 1); ++k)
            ASSERT_EQ(plain[k], c.count) << k;
        for (auto isa : {Isa::Portable, Isa::Sse2, Isa::Avx2, Isa::Avx512})
            for (unsigned threads : {1u, 3u}) {
                if (!isaAvailable(isa))
                    continue;
                SCOPED_TRACE(std::string(isaName(isa)) + " x" + std::to_string(threads));
                std::vector<std::uint32_t> fast(TableSize, 0xDEADBEEF);
                int last = -1; // reported in rising order, each once all columns up to it are final
                bool ok = true;
                auto report = [&](unsigned j) {
                    const auto end = fast.begin() + (j + 1) * DimScreen;
                    ok = ok && int(j) > last && std::equal(fast.begin(), end, plain.begin());
                    last = int(j);
                    return false;
                };
                EXPECT_EQ(fastTable(c.job, fast.data(), report, {isa, threads}),
                          (TableEnd{724, false}));
                EXPECT_TRUE(ok);
                EXPECT_EQ(last, 723);
                for (int k = 0; k < TableSize; ++k)
                    ASSERT_EQ(fast[k], plain[k]) << "column " << k / 724 << " row " << k % 724;
            }
    }
}

TEST(FastKernel, AStopAfterColumnZeroEndsALongRunThere) {
    // Column 0 lies outside the circle and is done at once, and so are the
    // columns from 2 on. Column 1 is the parabolic point c = 0.25, whose
    // orbit creeps towards 0.5 for some 10^8 steps per sample before it
    // repeats: its worker must give the column up for the run to end.
    const TableJob job{0, 3.0, 3.0 - 723 * 2.75, 0.0, 0.0, 4294967295u};
    std::vector<std::uint32_t> t(TableSize, 0xDEADBEEF);
    std::vector<unsigned> reported;
    auto stop = [&](unsigned j) {
        reported.push_back(j);
        return true;
    };
    EXPECT_EQ(fastTable(job, t.data(), stop), (TableEnd{1, true}));
    EXPECT_EQ(reported, std::vector<unsigned>{0});
    EXPECT_EQ(std::count(t.begin(), t.begin() + DimScreen, 0u), DimScreen); // all escape at once
    EXPECT_EQ(std::count(t.begin() + DimScreen, t.begin() + 2 * DimScreen, 0xDEADBEEF), DimScreen);
}

TEST(Kernels, AStopAskedAfterTheLastColumnIsAStop) {
    const TableJob job{0, 3, 4, 3, 4, 100}; // wholly outside: quick
    std::vector<std::uint32_t> t(TableSize);
    auto stopAtTheEnd = [](unsigned j) { return j == 723; };
    EXPECT_EQ(plainTable(job, t.data(), stopAtTheEnd), (TableEnd{724, true}));
    EXPECT_EQ(fastTable(job, t.data(), stopAtTheEnd), (TableEnd{724, true}));
    EXPECT_EQ(fastTable(job, t.data(), [](unsigned) { return false; }), (TableEnd{724, false}));
}

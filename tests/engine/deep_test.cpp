// The deep kind (job type 3): reports and stops as the other kinds, the
// interior shortcut that changes no count, and the real QuorC answering deep
// jobs. How true its counts are is measured against the oracle in
// tests/oracle.
#include "deep.h"
#include "engine_support.h"
#include "oracle.h"

#include <mpfr.h>

#include <cmath>
#include <memory>

using namespace quor;
using namespace quortest;

namespace {

DeepJob deepJob(const char* name, std::uint32_t nmax) {
    const auto limits = quoracle::limitsOfName(name);
    EXPECT_TRUE(limits.has_value()) << name;
    return {limits.value_or(DeepLimits{}), nmax};
}

std::vector<std::uint32_t> deepCounts(const DeepView& view, std::uint32_t nmax,
                                      const DeepOptions& options = {}) {
    std::vector<std::uint32_t> t(TableSize, 0xDEADBEEF);
    EXPECT_EQ(deepTable(view, nmax, t.data(), {}, options), (TableEnd{724, false}));
    return t;
}

} // namespace

TEST(DeepTable, ReportsCompleteColumnsInOrderAndStopsWhenAsked) {
    const DeepJob job = deepJob("XBSUHWYNVGERCALDSUHWYNVGER", 1000); // near i, 26 letters
    auto view = std::make_unique<DeepView>();
    prepareDeepView(job, *view);
    const auto whole = deepCounts(*view, job.nmax, {1});
    for (unsigned threads : {1u, 3u}) {
        std::vector<std::uint32_t> t(TableSize, 0xDEADBEEF);
        int last = -1;
        bool ok = true;
        auto report = [&](unsigned j) {
            const auto end = t.begin() + (j + 1) * DimScreen;
            ok = ok && int(j) > last && std::equal(t.begin(), end, whole.begin());
            last = int(j);
            return false;
        };
        EXPECT_EQ(deepTable(*view, job.nmax, t.data(), report, {threads}), (TableEnd{724, false}));
        EXPECT_TRUE(ok);
        EXPECT_EQ(last, 723);
        EXPECT_TRUE(t == whole);
        std::vector<unsigned> reported;
        auto stop = [&](unsigned j) {
            reported.push_back(j);
            return true;
        };
        // The first report may cover several columns finished together; the
        // run ends there.
        const TableEnd end = deepTable(*view, job.nmax, t.data(), stop, {threads});
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(end, (TableEnd{reported[0] + 1, true}));
    }
}

TEST(DeepTable, TheInteriorShortcutChangesNoCount) {
    // Views with much of the set inside them, each with a periodic point and
    // with the centre as the reference (whose orbit never escapes and whose
    // doubles end up repeating): every count the same with the shortcut on
    // and off, and the shortcut saves most of the steps. The start view's
    // whole table; of the others every third column and row (without the
    // shortcut, samples inside cost the limit each).
    struct Case {
        const char* name;
        std::uint32_t nmax;
        int every;
    } cases[] = {{"Z", 1000, 1}, {"M", 3000, 3}, {"MMM", 3000, 3}};
    std::uint64_t stepsOn = 0, stepsOff = 0;
    for (const Case& c : cases)
        for (const bool periodicPoint : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (periodicPoint ? ", periodic point" : ", centre"));
            auto view = std::make_unique<DeepView>();
            prepareDeepView(deepJob(c.name, c.nmax), *view, periodicPoint);
            EXPECT_TRUE(view->reference.periodic);
            std::vector<std::uint32_t> on, off;
            if (c.every == 1) {
                std::uint64_t a = 0, b = 0;
                on = deepCounts(*view, c.nmax, {0, true, &a});
                off = deepCounts(*view, c.nmax, {0, false, &b});
                stepsOn += a;
                stepsOff += b;
            } else {
                for (int j = 0; j < DimScreen; j += c.every)
                    for (int i = 0; i < DimScreen; i += c.every) {
                        const double x = view->dcx[j], y = view->dcy[i];
                        on.push_back(deepCount(view->reference, x, y, c.nmax, true, &stepsOn));
                        off.push_back(deepCount(view->reference, x, y, c.nmax, false, &stepsOff));
                    }
            }
            EXPECT_TRUE(on == off);
            EXPECT_GT(std::count(on.begin(), on.end(), c.nmax) * 8, std::ssize(on));
        }
    EXPECT_LT(stepsOn * 4, stepsOff) << stepsOn << " " << stepsOff;
}

TEST(DeepTable, LanesGiveTheCountsOfOneSampleAfterAnother) {
    // On every instruction set and thread count, with skips and without: the
    // table's leading columns equal deepCount sample by sample. Views with a
    // periodic reference (one a small copy of the set, whose samples inside
    // are proven so in the lanes), one whose centre never escapes, and two
    // whose centre's orbit ends (around the 32-letter view's centre, which escapes
    // after 6587 steps, every sample of the first columns lasts longer and
    // rebases on the way); a limit that stops some samples inside the set.
    struct Case {
        const char* name;
        std::uint32_t nmax;
        bool periodicPoint;
        unsigned columns;
    };
    const std::string copy = quoracle::copyView().name; // balls carried in the lanes
    const Case cases[] = {{"XBSUHWYNVGERCALDSUHWYNVGER", 1000, true, 724},
                          {copy.c_str(), 32767, true, 3},
                          {"M", 3000, false, 60},
                          {"MPMAMUEGGyXSBCMIvJRG", 5000, false, 12},
                          {"MPMAMUEGGyXSBCMIvJRGMEVFKCJVQVFL", 32767, false, 4},
                          {"MPMAMUEGGyXSBCMIvJRGMEVFKC", 32767, true, 6}};
    for (const Case& c : cases) {
        auto view = std::make_unique<DeepView>();
        prepareDeepView(deepJob(c.name, c.nmax), *view, c.periodicPoint);
        for (const bool skip : {true, false}) {
            std::vector<std::uint32_t> one(std::size_t{c.columns} * DimScreen);
            for (unsigned j = 0; j < c.columns; ++j)
                for (int i = 0; i < DimScreen; ++i)
                    one[j * DimScreen + i] =
                        deepCount(view->reference, view->dcx[j], view->dcy[i], c.nmax, true,
                                  nullptr, skip ? &view->series : nullptr,
                                  skip ? &view->periods : nullptr);
            for (const Isa isa : {Isa::Portable, Isa::Sse2, Isa::Avx2, Isa::Avx512})
                for (const unsigned threads : {1u, 3u}) {
                    if (!isaAvailable(isa))
                        continue;
                    SCOPED_TRACE(std::string(c.name) + (skip ? " with skips, " : ", ") +
                                 isaName(isa) + " x" + std::to_string(threads));
                    std::vector<std::uint32_t> t(TableSize, 0xDEADBEEF);
                    DeepOptions options;
                    options.threads = threads;
                    options.skip = skip;
                    options.isa = isa;
                    auto enough = [&](unsigned j) { return j + 1 >= c.columns; };
                    deepTable(*view, c.nmax, t.data(), enough, options);
                    for (std::size_t k = 0; k < one.size(); ++k)
                        ASSERT_EQ(t[k], one[k]) << "column " << k / 724 << " row " << k % 724;
                }
        }
    }
}

namespace {

// The difference of a sample after `steps` steps from d at W(m) (from 0 at
// W(0) unless told), iterated in 300 bits with the stored reference and the
// sample's offset as they are.
std::pair<double, double> exactDifference(const Reference& ref, double dcx, double dcy,
                                          std::size_t steps, double fromx = 0.0,
                                          double fromy = 0.0, std::size_t m = 0) {
    mpfr_t dx, dy, ax, ay, t, nx;
    mpfr_inits2(300, dx, dy, ax, ay, t, nx, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(dx, fromx, MPFR_RNDN);
    mpfr_set_d(dy, fromy, MPFR_RNDN);
    for (std::size_t n = 0; n < steps; ++n) {
        // d' = (2 W + d) d + dc
        mpfr_add_d(ax, dx, 2.0 * ref.x[m], MPFR_RNDN);
        mpfr_add_d(ay, dy, 2.0 * ref.y[m], MPFR_RNDN);
        mpfr_mul(nx, ax, dx, MPFR_RNDN);
        mpfr_mul(t, ay, dy, MPFR_RNDN);
        mpfr_sub(nx, nx, t, MPFR_RNDN);
        mpfr_add_d(nx, nx, dcx, MPFR_RNDN);
        mpfr_mul(dy, ax, dy, MPFR_RNDN);
        mpfr_mul(t, ay, dx, MPFR_RNDN);
        mpfr_add(dy, dy, t, MPFR_RNDN);
        mpfr_add_d(dy, dy, dcy, MPFR_RNDN);
        mpfr_swap(dx, nx);
        m = m + 1 == ref.size() ? ref.wrap : m + 1;
    }
    const std::pair<double, double> d{mpfr_get_d(dx, MPFR_RNDN), mpfr_get_d(dy, MPFR_RNDN)};
    mpfr_clears(dx, dy, ax, ay, t, nx, static_cast<mpfr_ptr>(nullptr));
    return d;
}

} // namespace

TEST(DeepSeries, SkipsTheFirstStepsAsExactlyAsTakingThem) {
    // For samples at the corners, the edges' middles and the middle of deep
    // views: the series skips most of the steps before the samples escape,
    // its truncation is bounded within the tolerance, and the difference it
    // gives is as near the exact one (2^-40 of it) as the same steps taken
    // one by one in doubles, and in fact far nearer: its first terms are
    // built and evaluated in extended precision, so it is within a few
    // units in the last place of the exact difference (2^-50 of it), where
    // the steps, rounded thousands of times, are not.
    const auto views = quoracle::testViews();
    struct Case {
        std::string name;
        std::uint32_t nmax;
        std::size_t fewest; // steps skipped at least
    } cases[] = {{views[2].name.substr(0, 30), 32767, 5000},
                 {views[3].name, 32767, 7000},
                 {views[7].name, 1000, 50},
                 {quoracle::copyView().name, 32767, 3 * 1948}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto view = std::make_unique<DeepView>();
        prepareDeepView(deepJob(c.name.c_str(), c.nmax), *view);
        const Series& series = view->series;
        EXPECT_GE(series.steps, c.fewest);
        EXPECT_LE(series.remainder, series.epsilon * std::hypot(series.bx[0], series.by[0]));
        double worst = 0.0, worstStepped = 0.0;
        for (const int column : {0, 361, 723})
            for (const int row : {0, 361, 723}) {
                const double dcx = view->dcx[column], dcy = view->dcy[row];
                const auto [ex, ey] = exactDifference(view->reference, dcx, dcy, series.steps);
                const deeplanes::Lane skipped = startLane(&series, dcx, dcy);
                deeplanes::Lane stepped = startLane(nullptr, dcx, dcy);
                std::uint32_t count = 0;
                while (stepped.k < series.steps)
                    ASSERT_EQ(stepLane(view->reference, stepped, c.nmax, false, true, count),
                              Step::On);
                EXPECT_EQ(skipped.k, stepped.k);
                EXPECT_EQ(skipped.m, stepped.m);
                const double size = std::hypot(ex, ey);
                EXPECT_LE(std::hypot(skipped.dx - ex, skipped.dy - ey), 0x1p-40 * size);
                EXPECT_LE(std::hypot(stepped.dx - ex, stepped.dy - ey), 0x1p-40 * size);
                worst = std::max(worst, std::hypot(skipped.dx - ex, skipped.dy - ey) / size);
                worstStepped =
                    std::max(worstStepped, std::hypot(stepped.dx - ex, stepped.dy - ey) / size);
            }
        std::printf("%zu steps: the series within 2^%.1f, the steps within 2^%.1f\n",
                    series.steps, std::log2(worst), std::log2(worstStepped));
        EXPECT_LE(worst, 0x1p-50);
    }
}

TEST(DeepPeriods, SkipWholePeriodsAsExactlyAsTakingThem) {
    // In the small copy, from differences across the periods' disc at a
    // return (its rim, halfway, near its middle, none) and offsets at the
    // corners and the middle of the picture: one period by the polynomial
    // lies as near the exact difference as the period's steps one by one in
    // doubles, which neither escape nor rebase on the way; the truncation is
    // bounded within the tolerance.
    auto view = std::make_unique<DeepView>();
    prepareDeepView(deepJob(quoracle::copyView().name.c_str(), 32767), *view);
    const Period& periods = view->periods;
    const Reference& ref = view->reference;
    ASSERT_EQ(periods.steps, view->period);
    ASSERT_GT(periods.radius, 0.0);
    ASSERT_EQ(periods.stride, 2);
    const double unit = std::hypot(periods.qx[1], periods.qy[1]); // the full offset's response
    EXPECT_LE(periods.remainder, periods.epsilon * unit);
    const std::uint32_t nmax = 2 * std::uint32_t(periods.steps) - 1; // one period, no more
    const double r = periods.radius;
    const std::pair<double, double> starts[] = {
        {0.0, 0.0}, {r, 0.0}, {0.0, -r}, {-0.5 * r, 0.5 * r}, {0.25 * r, -0.125 * r}, {1e-6 * r, 0.0}};
    double worst = 0.0, worstStepped = 0.0;
    for (const auto& [ax, ay] : starts)
        for (const int column : {0, 361, 723})
            for (const int row : {0, 361, 723}) {
                SCOPED_TRACE(std::to_string(ax / r) + " " + std::to_string(ay / r) + " at " +
                             std::to_string(column) + ", " + std::to_string(row));
                const double dcx = view->dcx[column], dcy = view->dcy[row];
                const auto [ex, ey] =
                    exactDifference(ref, dcx, dcy, periods.steps, ax, ay, ref.wrap);
                deeplanes::Lane start = startLane(nullptr, dcx, dcy);
                start.dx = ax;
                start.dy = ay;
                start.m = ref.wrap;
                deeplanes::Lane skipped = start, stepped = start, general = start;
                std::uint32_t count = 0;
                skipPeriods(periods, skipped, nmax, count);
                EXPECT_EQ(skipped.k, periods.steps);
                // Its rows of odd powers of the difference are zero (W(wrap)
                // = 0): taking them all the same gives the same difference.
                Period all = periods;
                all.stride = 1;
                skipPeriods(all, general, nmax, count);
                EXPECT_LE(std::hypot(general.dx - skipped.dx, general.dy - skipped.dy),
                          0x1p-50 * std::hypot(skipped.dx, skipped.dy));
                for (std::size_t n = 0; n < periods.steps; ++n)
                    ASSERT_EQ(stepLane(ref, stepped, nmax, false, true, count), Step::On);
                EXPECT_EQ(stepped.m, ref.wrap);
                const double off = std::hypot(skipped.dx - ex, skipped.dy - ey);
                const double offStepped = std::hypot(stepped.dx - ex, stepped.dy - ey);
                EXPECT_LE(off, periods.remainder + 0x1p-40 * unit);
                worst = std::max(worst, off / unit);
                worstStepped = std::max(worstStepped, offStepped / unit);
            }
    std::printf("one period: the polynomial within 2^%.1f, the steps within 2^%.1f of the full "
                "offset's response\n",
                std::log2(worst), std::log2(worstStepped));
    EXPECT_LE(worst, 2.0 * worstStepped);
}

TEST(DeepQuorC, AnswersDeepJobsAsTheDeepTableAndRefusesMalformedOnes) {
    const DeepJob job = deepJob("XBSUHWYNVGERCALDSUHWYNVGERCALDSUHWYNVG", 1000); // i, 38 letters
    auto view = std::make_unique<DeepView>();
    prepareDeepView(job, *view);
    const auto counts = deepCounts(*view, job.nmax);
    const std::optional<std::string> text = deepJobText(job.limits, job.nmax);
    ASSERT_TRUE(text.has_value());
    const std::string malformed[] = {
        "3\r\n-1\r\n1\r\n-1\r\n1.5E-7\r\n100\r\n",
        "3\r\n1\r\n1\r\n-1\r\n1\r\n100\r\n",
        "3\r\n" + std::string(101, '1') + "\r\n1\r\n-1\r\n1\r\n100\r\n",
        "3\r\n-1\r\n1\r\n-1\r\n1\r\n",
    };
    for (const std::string& jobText :
         {*text, malformed[0], malformed[1], malformed[2], malformed[3]}) {
        SCOPED_TRACE(jobText);
        const bool good = jobText == *text;
        TempFolder dir;
        writeText(dir.file("Quor.tmp"), jobText);
        expectExit(startQuorC(dir));
        EXPECT_EQ(readText(dir.file("Rep.tmp")), good ? "724," : "725,");
        EXPECT_TRUE(readText(dir.file("Tab.tmp")) ==
                    (good ? std::optional(formatTable(counts.data())) : std::nullopt));
    }
}

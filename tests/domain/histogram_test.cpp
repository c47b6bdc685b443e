#include "domain/histogram.h"
#include "domain/thumbnails.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <memory>
#include <numeric>
#include <tuple>

namespace quorvane {
namespace {

constexpr Colore Green = rgb(0, 255, 0);
constexpr Colore Tag = 100000; // the palette colour of count k is Tag + k

// Frequencies as a run leaves them for a limit: cleared up to the limit or
// 723, whichever is larger, stale above it; and a palette that names counts.
struct Counts {
    std::unique_ptr<Frequencies> f = std::make_unique<Frequencies>();
    std::unique_ptr<Palette> palette = std::make_unique<Palette>();
    int limit;
    explicit Counts(int n, std::int32_t (*samples)(int)) : limit(n) {
        std::iota(palette->begin(), palette->end(), Tag);
        for (int k = 0; k < MaxCounts; ++k)
            (*f)[std::size_t(k)] = k <= n ? samples(k) : k <= 723 ? 0 : 7777;
    }
    Bins bins() const { return binCounts(*f, limit, *palette); }
    Bars bars() const { return histogramBars(*f, limit, *palette); }
};

// Bar i holds count i while the counts fit the columns, else the counts k
// with i <= k * 723 / limit < i + 1. For the limits tested here
// i * limit / 723 is never a whole count, so no rounding can move a count.
int barOf(int k, int limit) {
    return limit <= 723 ? k : int(std::int64_t(k) * 723 / limit);
}

TEST(Histogram, BinsGatherEveryCountBelowTheLimitOnceAndTheNeverEscapedInBar723) {
    // 727 is a limit whose running bound ends above it: 723 additions of 727 / 723.
    double b = 727.0 / 723;
    for (int i = 1; i < 723; ++i)
        b = b + 727.0 / 723;
    ASSERT_GT(b, 727.0);

    for (const int limit : {100, 723, 727, 1000, 32767}) {
        Counts c(limit, [](int k) { return std::int32_t(1 + k * 37 % 101); });
        (*c.f)[std::size_t(limit)] = 400000;
        Bins want;
        for (int k = 0; k < std::max(limit, 723); ++k) {
            const auto i = std::size_t(barOf(k, limit));
            want.samples[i] += (*c.f)[std::size_t(k)];
            want.colours[i] = Tag + Colore(k); // the highest count of the bar
        }
        want.samples[723] = 400000;
        want.colours[723] = 0;
        EXPECT_EQ(c.bins(), want) << "limit " << limit;

        if (limit <= 723)
            continue;
        // One sample per count: each count below the limit counted once, the
        // whole or the next whole number of step counts to a bar.
        const Bins got = Counts(limit, [](int) { return std::int32_t(1); }).bins();
        const double step = limit / 723.0;
        std::int64_t total = 0;
        for (int i = 0; i < 723; ++i) {
            const std::int64_t s = got.samples[std::size_t(i)];
            total += s;
            ASSERT_TRUE(s == std::int64_t(step) || s == std::int64_t(step) + 1)
                << limit << " " << i;
        }
        EXPECT_EQ(total, limit);
    }
}

TEST(Histogram, TheNeverEscapedBarIsGreenInItsColumnOrIn723) {
    // At 100 the never-escaped samples show once, green, in column 100; bar 723
    // holds them again in black. From 723 up bar 723 itself is green.
    const std::tuple<int, int, Colore> cases[] = {
        {100, 100, Green},  {100, 723, 0},         {100, 99, Tag + 99}, {100, 101, 0},
        {723, 723, Green},  {723, 722, Tag + 722}, {727, 723, Green},   {727, 722, Tag + 726},
        {1000, 723, Green}, {1000, 722, Tag + 999}};
    for (const auto& [limit, column, colour] : cases) {
        const Counts c(limit, [](int) { return std::int32_t(1); });
        (*c.f)[std::size_t(limit)] = 1000; // some samples never escaped
        const Bars bars = c.bars();
        EXPECT_EQ(bars[std::size_t(column)].colour, colour) << limit << " column " << column;
        EXPECT_EQ(bars[std::size_t(column)].column, column);
    }
    // Column 723 at 727 holds only the 1000 never-escaped samples, the tallest bar.
    const Counts c(727, [](int) { return std::int32_t(1); });
    (*c.f)[727] = 1000;
    EXPECT_EQ(c.bars()[723], (Bar{723, 0, 721, Green}));
    EXPECT_EQ(c.bars()[722], (Bar{722, 723, 723, Tag + 726}));
}

TEST(Histogram, TallestBarReachesRow0AndBarsWithoutHeightAreOnePixelMarks) {
    // {samples, top, bottom}: tallest, half, exactly 1/722 of it (one row),
    // just below (a mark under the base in its colour), empty (a black mark on it).
    const std::tuple<std::int64_t, int, int, Colore> rows[] = {
        {722000, 0, 721, Tag},      {361000, 361, 721, Tag}, {123457, 599, 721, Tag},
        {1000, 721, 721, Tag},      {999, 723, 723, Tag},    {1, 723, 723, Tag},
        {0, 722, 722, rgb(0, 0, 0)}};
    Bins bins;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        bins.samples[i] = std::get<0>(rows[i]);
        bins.colours[i] = Tag;
    }
    const Bars bars = scaleBars(bins, 5000);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [samples, top, bottom, colour] = rows[i];
        EXPECT_EQ(bars[i], (Bar{int(i), top, bottom, colour})) << "samples " << samples;
    }
    EXPECT_EQ(bars[723], (Bar{723, 722, 722, Green})); // empty, still marking the column
}

TEST(Histogram, WithoutSamplesEveryBarIsAnEmptyMark) {
    for (const int limit : {100, 1000}) {
        const Counts c(limit, [](int) { return std::int32_t(0); });
        const Bars bars = c.bars();
        const int green = std::min(limit, 723);
        for (int i = 0; i < 724; ++i)
            ASSERT_EQ(bars[std::size_t(i)], (Bar{i, 722, 722, i == green ? Green : rgb(0, 0, 0)}))
                << "limit " << limit << " bar " << i;
    }
}

TEST(Histogram, PaintedBarsMatchTheLineOverlaysAndShowASmallBarAsOnePixel) {
    // A picture at limit 1000: count 2, alone in bar 1, has too few samples for a row.
    const Counts c(1000, [](int k) { return std::int32_t(k == 2 ? 3 : 50 + k % 7 * 100); });
    (*c.f)[1000] = 3000;
    const Bars bars = c.bars();
    QImage painted(724, 724, QImage::Format_RGB32);
    painted.fill(Qt::black);
    QImage drawn = painted;
    paintBars(painted, bars);

    QPainter p(&drawn);
    for (const Bar& bar : bars) {
        p.setPen(QPen(QColor(toQRgb(bar.colour)), 1));
        p.drawLine(barLine(bar));
    }
    p.end();
    EXPECT_EQ(painted, drawn);

    const int column = barOf(2, 1000);
    ASSERT_EQ(std::make_tuple(barOf(1, 1000), column, barOf(3, 1000)), std::make_tuple(0, 1, 2));
    int lit = 0;
    for (int row = 0; row < 724; ++row)
        lit += painted.pixel(column, row) != qRgb(0, 0, 0);
    EXPECT_EQ(lit, 1);
    EXPECT_EQ(painted.pixel(column, 723), toQRgb(Tag + 2));
    EXPECT_EQ(painted.pixel(723, 0), toQRgb(Green));
    EXPECT_EQ(painted.pixel(723, 722), qRgb(0, 0, 0));
}

} // namespace
} // namespace quorvane

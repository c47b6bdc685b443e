// The tiles of a big picture: each sample covered once, what lies past the
// picture's edge dropped; a deep view's tiles at exact decimal positions.
// Where the samples of tiles in doubles fall is tiledrun_test's.
#include "domain/tileplan.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(TilePlan, TilesCoverEverySampleOnceAndDropWhatLiesPastTheEdge) {
    // Side, tiles along a side, and the first and kept samples of the last.
    const int cases[][4] = {{724, 1, 0, 724},
                            {725, 2, 724, 1},
                            {1448, 2, 724, 724},
                            {2000, 3, 1448, 552},
                            {8192, 12, 7964, 228}};
    for (const auto& [side, along, lastStart, lastKept] : cases) {
        std::vector<std::pair<int, int>> spans;
        for (int k = 0; k + 1 < along; ++k)
            spans.emplace_back(k * 724, 724);
        spans.emplace_back(lastStart, lastKept);
        std::vector<Tile> want;
        for (const auto& [row, rows] : spans)
            for (const auto& [column, columns] : spans)
                want.push_back({column, row, columns, rows});
        EXPECT_EQ(planTiles(side), want) << side;
    }
}

TEST(TilePlan, ThePicturesLastSampleIsTheViewsOwnLimit) {
    // Views whose step, times 723 again, misses the far limit in doubles.
    for (const Limits& view : {Limits{-1.6, 1.6, -1.6, 1.6}, Limits{-0.8, -0.2, 0.3, 0.9}}) {
        EXPECT_EQ(tileLimits(view, 724, {0, 0, 724, 724}), view) << view.xMin;
        const Limits far = tileLimits(view, 1448, {724, 724, 724, 724});
        EXPECT_EQ(std::pair(far.xMax, far.yMax), std::pair(view.xMax, view.yMax)) << view.xMin;
    }
}

// numerator / denominator to places digits after the point, the last
// rounded half up, by long division as on paper: "0." and the digits.
std::string fractionDigits(int numerator, int denominator, int places) {
    std::string digits;
    int rest = numerator;
    for (int k = 0; k <= places; ++k) {
        rest *= 10;
        digits += char('0' + rest / denominator);
        rest %= denominator;
    }
    const bool up = digits.back() >= '5';
    digits.pop_back();
    for (std::size_t k = digits.size(); up && k-- > 0;)
        if (digits[k] == '9')
            digits[k] = '0';
        else {
            ++digits[k];
            break;
        }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    return "0." + digits;
}

TEST(TilePlan, DeepTilesLieAtTheBigPicturesSamplesExactlyOrToTheLastDigitALineHolds) {
    const quor::DeepLimits unit{"0", "1", "0", "1"};
    const std::string deepX = "-0.7436438870371587522", deepY = "0.1318259042053119";
    const struct {
        quor::DeepLimits view;
        int side;
        Tile tile;
        std::optional<quor::DeepLimits> want;
    } cases[] = {
        // A step of 1/1000: the tile's corner is 724 steps on, its far side 1447.
        {{"-0.75", "0.25", "-.5", "0.5"},
         1001,
         {724, 724, 277, 277},
         quor::DeepLimits{"-0.026", "0.697", "0.224", "0.947"}},
        // Forty places down, a step of 10^-40: every limit exact, the last
        // tile's far side the view's own.
        {{deepX, "-0.7436438870371587521999999999999999997105", deepY,
          "0.1318259042053119000000000000000000002895"},
         2896,
         {2172, 1448, 724, 724},
         quor::DeepLimits{"-0.7436438870371587521999999999999999997828",
                          "-0.7436438870371587521999999999999999997105",
                          "0.1318259042053119000000000000000000001448",
                          "0.1318259042053119000000000000000000002171"}},
        // A step of 1/2895 ends in no number of digits: 98 places, rounded
        // (down along X, up along Y).
        {unit,
         2896,
         {724, 1448, 724, 724},
         quor::DeepLimits{fractionDigits(724, 2895, 98), fractionDigits(1447, 2895, 98),
                          fractionDigits(1448, 2895, 98), fractionDigits(2171, 2895, 98)}},
        // Not a plain decimal, or steps below what a line can tell apart.
        {{"1E-5", "1", "0", "1"}, 724, {0, 0, 724, 724}, std::nullopt},
        {{"0", "0." + std::string(97, '0') + "1", "0", "1"},
         8192,
         {724, 0, 724, 724},
         std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = tileLimits(c.view, c.side, c.tile);
        EXPECT_EQ(got, c.want) << c.view.xa << " side " << c.side;
        if (got) {
            for (const std::string* limit : {&got->xa, &got->xb, &got->ya, &got->yb})
                EXPECT_LE(limit->size(), 100u) << *limit;
        }
    }
    EXPECT_EQ(tileLimits(unit, 2896, {724, 0, 724, 724})->xa.size(), 100u);
}

} // namespace
} // namespace quorvane

// The tiles of a big picture: each sample covered once, what lies past the
// picture's edge dropped. Where their samples fall is tiledrun_test's.
#include "domain/tileplan.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace quorvane

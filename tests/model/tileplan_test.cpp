// The tiles of a big picture: what they cover, and where the engine, reading
// each tile's job file, puts its samples.
#include "kernel.h"
#include "model/tileplan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace quorvane {
namespace {

TEST(TilePlan, TilesCoverEverySampleOnceAndDropWhatLiesPastTheEdge) {
    const std::map<int, std::vector<std::pair<int, int>>> spans = {
        {724, {{0, 724}}},
        {725, {{0, 724}, {724, 1}}},
        {1448, {{0, 724}, {724, 724}}},
        {2000, {{0, 724}, {724, 724}, {1448, 552}}},
        {8192,
         {{0, 724},
          {724, 724},
          {1448, 724},
          {2172, 724},
          {2896, 724},
          {3620, 724},
          {4344, 724},
          {5068, 724},
          {5792, 724},
          {6516, 724},
          {7240, 724},
          {7964, 228}}}};
    for (const auto& [side, along] : spans) {
        std::vector<Tile> want;
        for (const auto& [row, rows] : along)
            for (const auto& [column, columns] : along)
                want.push_back({column, row, columns, rows});
        EXPECT_EQ(planTiles(side), want) << side;
    }
}

// What the engine samples for a job: the job file's text read back as QuorC
// reads it, then its columns by repeated addition.
std::vector<double> engineColumns(const quor::Job& job, bool rows) {
    const quor::JobRead read = quor::parseJob(*quor::jobText(job));
    std::vector<double> at(DimScreen);
    quor::sampleCoordinates(rows ? read.job.ya : read.job.xa, rows ? read.job.yb : read.job.xb,
                            at.data());
    EXPECT_EQ(read.job.tipo, job.tipo);
    EXPECT_EQ(read.job.xj, job.xj);
    EXPECT_EQ(read.job.yj, job.yj);
    return at;
}

TEST(TilePlan, WithAPowerOfTwoStepTheEngineSamplesExactlyTheBigPicturesPositions) {
    const double step = std::ldexp(1.0, -9);
    quor::Job julia;
    julia.tipo = quor::Julia;
    julia.xj = -0.8125;
    julia.yj = 0.15625;
    julia.nmax = 300;
    for (const int side : {1448, 1000}) {
        for (quor::Job view : {quor::Job{}, julia}) {
            view.xa = -2.0;
            view.xb = view.xa + (side - 1) * step;
            view.ya = -724 * step;
            view.yb = view.ya + (side - 1) * step;
            for (const Tile& tile : planTiles(side)) {
                const quor::Job job = tileJob(view, side, tile);
                EXPECT_EQ(job.nmax, view.nmax);
                const auto columns = engineColumns(job, false), rows = engineColumns(job, true);
                for (int k = 0; k < DimScreen; ++k) {
                    ASSERT_EQ(columns[k], view.xa + (tile.column + k) * step) << side << " " << k;
                    ASSERT_EQ(rows[k], view.ya + (tile.row + k) * step) << side << " " << k;
                }
            }
        }
    }
}

TEST(TilePlan, AnyViewsTilesStartOnTheFirstSampleAndEndOnTheLast) {
    const Limits view = StartView;
    for (const int side : {1448, 2896, 5792}) {
        const std::vector<Tile> tiles = planTiles(side);
        EXPECT_EQ(tileLimits(view, side, tiles.front()).xMin, view.xMin);
        EXPECT_EQ(tileLimits(view, side, tiles.front()).yMin, view.yMin);
        const Limits last = tileLimits(view, side, tiles.back());
        EXPECT_NEAR(last.xMax, view.xMax, 1e-15) << side;
        EXPECT_NEAR(last.yMax, view.yMax, 1e-15) << side;
    }
}

} // namespace
} // namespace quorvane

// A picture larger than the engine's table, cut into tiles of 724 x 724
// samples that QuorC computes one job at a time. The big picture of side N
// samples the same view as the screen: column i lies at
// X Min + i * (X Max - X Min) / (N - 1), likewise row j from Y Min.
#pragma once

#include "domain/limits.h"
#include "exchange.h"

#include <QString>

#include <optional>
#include <vector>

namespace quorvane {

// The sides an exported picture may have, and the one proposed.
constexpr int ExportSideMin = DimScreen;
constexpr int ExportSideMax = 8192;
constexpr int ExportSideProposed = 4 * DimScreen;

// What the user is told of a side out of range or not a number.
QString exportSideMessage();

// One tile: where its first sample goes in the big picture and how many of
// its columns and rows are kept (724, but fewer in the last column and row
// of tiles, whose samples past the picture's edge are dropped).
struct Tile {
    int column = 0, row = 0;
    int columns = DimScreen, rows = DimScreen;
    bool operator==(const Tile&) const = default;
};

// The tiles of a picture of side samples (ExportSideMin..ExportSideMax), row
// of tiles after row of tiles from the top left; together they cover every
// sample of the picture once.
std::vector<Tile> planTiles(int side);

// The limits of a tile's job: its first sample and the sample 723 steps of
// the big picture further, on both axes. The only place where a tile's
// position in the plane is worked out.
Limits tileLimits(const Limits& view, int side, const Tile& tile);

// The same for a deep view, whose limits are decimals: each of the tile's
// limits is its sample of the big picture worked out exactly from the view's
// decimals, then written with as many digits as a deep job's line holds
// (about 97 after the point), rounded to the nearest. Where the big
// picture's step ends within those digits (a power of two, say) the limits
// are exact; else each is within half a unit of its last digit, far below
// any pixel step a deep job can hold. Empty when the view's limits are not
// plain decimals or the tile's would not make a valid deep job.
std::optional<quor::DeepLimits> tileLimits(const quor::DeepLimits& view, int side,
                                           const Tile& tile);

// The engine job of a tile of the picture of view (a job of type 0 or 1 over
// the whole picture, with its iteration limit and, for Julia, its constant).
quor::Job tileJob(const quor::Job& view, int side, const Tile& tile);
// The same for a job of either kind: a deep view's tile is a deep job with
// its limits from the decimals above. Empty when they give no valid job.
std::optional<EngineJob> tileJob(const EngineJob& view, int side, const Tile& tile);

} // namespace quorvane

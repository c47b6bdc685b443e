#include "domain/tileplan.h"

#include <algorithm>

namespace quorvane {

QString exportSideMessage() {
    return QStringLiteral("Il lato dell'immagine deve essere un numero intero da %1 a %2 punti.")
        .arg(ExportSideMin)
        .arg(ExportSideMax);
}

std::vector<Tile> planTiles(int side) {
    std::vector<Tile> tiles;
    for (int row = 0; row < side; row += DimScreen)
        for (int column = 0; column < side; column += DimScreen)
            tiles.push_back(
                {column, row, std::min(DimScreen, side - column), std::min(DimScreen, side - row)});
    return tiles;
}

namespace {

// Sample index of a big picture from min to max. Each position is formed
// from the view's own limits by one product and one sum, never from the
// tile before, so no rounding builds up from tile to tile; and where the step
// is exact (a power of two) every limit is exact too, so the tiles' samples
// fall exactly on the big picture's and the seams cannot be seen.
double samplePosition(double min, double max, int side, int index) {
    const double step = (max - min) / double(side - 1);
    return min + double(index) * step;
}

} // namespace

Limits tileLimits(const Limits& view, int side, const Tile& tile) {
    return {samplePosition(view.xMin, view.xMax, side, tile.column),
            samplePosition(view.xMin, view.xMax, side, tile.column + PictureSteps),
            samplePosition(view.yMin, view.yMax, side, tile.row),
            samplePosition(view.yMin, view.yMax, side, tile.row + PictureSteps)};
}

quor::Job tileJob(const quor::Job& view, int side, const Tile& tile) {
    const Limits limits = tileLimits({view.xa, view.xb, view.ya, view.yb}, side, tile);
    quor::Job job = view;
    job.xa = limits.xMin;
    job.xb = limits.xMax;
    job.ya = limits.yMin;
    job.yb = limits.yMax;
    return job;
}

} // namespace quorvane

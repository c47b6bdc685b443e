#include "domain/tileplan.h"

#include "domain/exactview.h"
#include "job.h"

#include <algorithm>
#include <string>

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
    // The last sample is the view's own limit, whatever the rounding of the
    // step: a picture of 724 points is then the very job of the screen's.
    if (index == side - 1)
        return max;
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

namespace {

// Sample index of a big picture from min to max, exactly, as a decimal of
// at most a deep job's line: min + index (max - min) / (side - 1).
std::string samplePosition(const std::string& min, const std::string& max, int side, int index) {
    const mpq_class a = decimalValue(min);
    const mpq_class position = a + (decimalValue(max) - a) * index / (side - 1);
    // As many places as the line holds: fewer when the whole part is long.
    std::string text;
    for (long places = long(quor::DeepLineMax);; places -= long(text.size() - quor::DeepLineMax)) {
        text = decimalText(position, places);
        if (text.size() <= quor::DeepLineMax || places == 0)
            return text;
    }
}

} // namespace

std::optional<quor::DeepLimits> tileLimits(const quor::DeepLimits& view, int side,
                                           const Tile& tile) {
    for (const std::string* limit : {&view.xa, &view.xb, &view.ya, &view.yb})
        if (!quor::isDeepNumber(*limit))
            return std::nullopt;
    const quor::DeepLimits limits{
        samplePosition(view.xa, view.xb, side, tile.column),
        samplePosition(view.xa, view.xb, side, tile.column + PictureSteps),
        samplePosition(view.ya, view.yb, side, tile.row),
        samplePosition(view.ya, view.yb, side, tile.row + PictureSteps)};
    for (const std::string* limit : {&limits.xa, &limits.xb, &limits.ya, &limits.yb})
        if (!quor::isDeepNumber(*limit))
            return std::nullopt;
    if (quor::compareDecimals(limits.xb, limits.xa) <= 0 ||
        quor::compareDecimals(limits.yb, limits.ya) <= 0)
        return std::nullopt;
    return limits;
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

std::optional<EngineJob> tileJob(const EngineJob& view, int side, const Tile& tile) {
    if (const auto* job = std::get_if<quor::Job>(&view))
        return tileJob(*job, side, tile);
    const auto& deep = std::get<quor::DeepJob>(view);
    const auto limits = tileLimits(deep.limits, side, tile);
    if (!limits)
        return std::nullopt;
    return quor::DeepJob{*limits, deep.nmax};
}

} // namespace quorvane

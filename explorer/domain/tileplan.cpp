#include "domain/tileplan.h"

#include "job.h"

#include <gmp.h>

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

// An integer of any size, freed with it.
struct Integer {
    Integer() { mpz_init(v); }
    ~Integer() { mpz_clear(v); }
    Integer(const Integer&) = delete;
    Integer& operator=(const Integer&) = delete;
    mpz_t v;
};

// A plain decimal read as digits over a power of ten: returns the power,
// the number of digits after the point.
int readDecimal(std::string_view text, mpz_t digits) {
    std::string plain;
    int scale = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.')
            point = true;
        else {
            plain += c;
            scale += point && c != '-';
        }
    }
    mpz_set_str(digits, plain.c_str(), 10);
    return scale;
}

// numerator / denominator rounded to the nearest integer, halves away from zero.
void roundedQuotient(mpz_t q, const mpz_t numerator, const mpz_t denominator) {
    Integer r;
    mpz_tdiv_qr(q, r.v, numerator, denominator);
    mpz_mul_2exp(r.v, r.v, 1);
    if (mpz_cmpabs(r.v, denominator) >= 0)
        mpz_sgn(numerator) < 0 ? mpz_sub_ui(q, q, 1) : mpz_add_ui(q, q, 1);
}

// n / 10^places as a plain decimal, without trailing zeros after the point.
std::string decimalText(const mpz_t n, int places) {
    std::string digits(mpz_sizeinbase(n, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, n);
    digits.resize(digits.find('\0'));
    const bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    if (int(digits.size()) <= places)
        digits.insert(0, std::size_t(places + 1) - digits.size(), '0');
    digits.insert(digits.size() - std::size_t(places), 1, '.');
    while (digits.back() == '0')
        digits.pop_back();
    if (digits.back() == '.')
        digits.pop_back();
    return (negative && digits != "0" ? "-" : "") + digits;
}

// Sample index of a big picture from min to max, exactly, as a decimal of
// at most a deep job's line: (min (side - 1) + index (max - min)) / (side - 1).
std::string samplePosition(const std::string& min, const std::string& max, int side, int index) {
    Integer a, b, numerator, denominator, q;
    const int minScale = readDecimal(min, a.v), maxScale = readDecimal(max, b.v);
    const int scale = std::max(minScale, maxScale);
    mpz_ui_pow_ui(q.v, 10, unsigned(scale - minScale));
    mpz_mul(a.v, a.v, q.v);
    mpz_ui_pow_ui(q.v, 10, unsigned(scale - maxScale));
    mpz_mul(b.v, b.v, q.v);
    mpz_sub(b.v, b.v, a.v);
    mpz_mul_ui(b.v, b.v, unsigned(index));
    mpz_mul_ui(a.v, a.v, unsigned(side - 1));
    mpz_add(a.v, a.v, b.v); // the position times (side - 1) 10^scale
    // As many places as the line holds: fewer when the whole part is long.
    std::string text;
    for (int places = int(quor::DeepLineMax);; places -= int(text.size() - quor::DeepLineMax)) {
        mpz_ui_pow_ui(q.v, 10, unsigned(std::max(places - scale, 0)));
        mpz_mul(numerator.v, a.v, q.v);
        mpz_ui_pow_ui(q.v, 10, unsigned(std::max(scale - places, 0)));
        mpz_mul_ui(denominator.v, q.v, unsigned(side - 1));
        roundedQuotient(q.v, numerator.v, denominator.v);
        text = decimalText(q.v, places);
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

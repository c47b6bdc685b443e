// The project's own oracle for deep views: area names decoded exactly,
// samples counted by direct iteration in MPFR at two precisions, and the
// fixed views the engine's and the window's deep pictures are checked on.
// Standard library, GMP and MPFR only; nothing of the engine's arithmetic.
#pragma once

#include "exchange.h" // DeepLimits, the deep job's limits

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quoracle {

// The limits of an area name ("Z", or 1 to 38 letters "A".."Y", "a".."y"),
// decoded letter by letter in rationals, so exactly at any depth, and written
// as plain decimals rounded to 60 places (far below a pixel of the deepest
// view); empty for a name that is not valid.
std::optional<quor::DeepLimits> limitsOfName(std::string_view name);

// The pixel step (X Max - X Min) / 723 of the limits, as a double.
double pixelStep(const quor::DeepLimits& limits);

struct Count {
    std::uint32_t count = 0; // the count at the lower precision
    bool trusted = false;    // both precisions gave it
    bool operator==(const Count&) const = default;
};

// The engine's count of sample (column, row) of the view: z starts at
// c = X Min + column (X Max - X Min) / 723 + i (Y Min + row (Y Max - Y Min) / 723),
// taken exactly, and the count is the number of steps before x^2 + y^2 > 4,
// or nmax. Iterated in MPFR at two precisions, trusted only when both agree.
Count countSample(const quor::DeepLimits& limits, int column, int row, std::uint32_t nmax);

// The two precisions, in bits, for a view and a limit (see oracle.cpp).
std::pair<long, long> precisions(const quor::DeepLimits& limits, std::uint32_t nmax);

// countSample for many samples, on every core.
std::vector<Count> countSamples(const quor::DeepLimits& limits,
                                const std::vector<std::pair<int, int>>& samples,
                                std::uint32_t nmax);

// n distinct sample positions (column, row), the same for the same seed.
std::vector<std::pair<int, int>> samplePositions(int n, std::uint64_t seed);

// A target point in the plane, as exact decimals or as the nucleus of a
// periodic component found from a seed (see views.cpp).
struct Point {
    std::string x, y; // plain decimals
};

// The area name of `letters` letters that keeps the target nearest the
// middle of its view, by the rule in views.cpp.
std::string nameTowards(const Point& target, int letters);

// The fixed test views.
struct TestView {
    std::string label; // "seahorse 20", "i 26", "copy", ...
    std::string name;  // area name
    std::uint32_t nmax;
    Point target;
};
std::vector<TestView> testViews();
// A deep view (37 letters, limit 32767) where a small copy of the set covers
// about a third of the picture.
TestView copyView(); // the seahorse valley and i, 20 to 38 letters
TestView copyView(); // a small copy filling about a third of it

// Does the view hold the point (closed limits)?
bool holds(const quor::DeepLimits& limits, const Point& p);

} // namespace quoracle

// Job numbers written so that QuorC's reader gives back the very same double.
//
// `readnum` folds the digits in one at a time, each with its own rounding,
// and divides by ten once per unit of the exponent, so the nearest decimal
// often reads back a few units in the last place off. The writer therefore
// tries texts the way the reader reads them. First the value's own decimal
// of 17 to 19 digits and its neighbours that still round to it, so that the
// file also says the value to any other reader; then a search over all the
// texts of the line. What it guarantees:
// - from 1e-9 up to 2^53 the value comes back exactly: in a fixed-form text
//   where one exists, else in the exponent form (no fixed text folds into
//   0.12, "1.2E-1" does). A few doubles are reached by no text at all (a few
//   in a million, all seen between 0.2 and 0.25: no double divided by ten
//   rounds to them and no fixed text folds into them); they come back one
//   unit in the last place off;
// - below 1e-9 the exponent form is exact wherever any mantissa and exponent
//   the line can hold read back exactly. Elsewhere no text can be exact:
//   each division by ten rounds, and the values that a run of them can end
//   on leave gaps that widen with the exponent. The mantissa is then the one
//   that reads back closest with the value's own exponent, about
//   sqrt(exponent) units in the last place off at worst (5 near 1e-20, 18
//   near 1e-300), always within 1e-14 of the value;
// - no value of 2^53 or more is written: the reader's integer digits would
//   round, and no value of the system comes near it.
// Nothing here depends on the C library's locale.
#include "exchange.h"
#include "job.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <vector>

namespace quor {

namespace {

constexpr double FixedMin = 1e-9;
constexpr double IntegerEnd = 9007199254740992.0; // 2^53
// A mantissa smaller than this cannot carry enough digits in a line.
constexpr double MantissaMin = 1e-13;

std::string digits(std::uint64_t n) {
    char buf[24];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

double readBack(const std::string& text) {
    return readnum(text.data(), static_cast<std::uint8_t>(text.size() - 1));
}

double distance(double v, double lo, double hi) {
    return v < lo ? lo - v : v > hi ? v - hi : 0.0;
}

struct Text {
    std::string text;
    double value = -1.0; // as read back; -1 for no text yet
};

// The fixed-form text ("123", "1.25", ".5") of at most room characters that
// reads back inside [lo, hi], or, when none does, the one that reads back
// closest to it (0 <= lo <= hi < 2^53). Breadth first over the digits after
// the point: the reader's state after a digit is its value alone, so texts
// that fold to the same value are one; a value above hi can only grow, and a
// value further below lo than the remaining digits can add is dropped. That
// leaves a few dozen values per digit.
Text fixedForm(double lo, double hi, std::size_t room) {
    struct Node {
        double value;
        int parent;
        char digit;
    };
    const double slack = 64 * (std::nextafter(hi, INFINITY) - hi);
    Text best;
    auto closer = [&](double v) {
        return best.value < 0.0 || distance(v, lo, hi) < distance(best.value, lo, hi);
    };
    const double whole = std::floor(hi);
    // ".999…" after one less may fold closer than the digits after whole.
    for (double integer : {whole, whole - 1.0}) {
        if (integer < 0.0)
            break;
        std::string head = integer == 0.0 ? "" : digits(static_cast<std::uint64_t>(integer));
        if (head.size() + (integer >= lo ? 0 : 1) > room)
            continue;
        if (closer(integer))
            best = {head.empty() ? "0" : head, integer};
        if (integer >= lo)
            return best;
        head += '.';
        std::vector<Node> nodes{{integer, -1, 0}};
        std::vector<int> level{0}, next;
        double dd = 10.0; // as the reader steps it
        for (std::size_t length = head.size(); length < room && !level.empty(); ++length) {
            next.clear();
            for (int parent : level) {
                for (int d = 0; d <= 9; ++d) {
                    const double v = nodes[static_cast<std::size_t>(parent)].value + d / dd;
                    if (v > hi + slack || lo - v > 1.001 / dd + slack)
                        continue;
                    if (std::any_of(next.begin(), next.end(), [&](int k) {
                            return nodes[static_cast<std::size_t>(k)].value == v;
                        }))
                        continue;
                    nodes.push_back({v, parent, static_cast<char>('0' + d)});
                    const int id = static_cast<int>(nodes.size()) - 1;
                    if (closer(v)) {
                        std::string tail;
                        for (int k = id; nodes[static_cast<std::size_t>(k)].parent >= 0;
                             k = nodes[static_cast<std::size_t>(k)].parent)
                            tail += nodes[static_cast<std::size_t>(k)].digit;
                        best = {head + std::string(tail.rbegin(), tail.rend()), v};
                        if (v >= lo && v <= hi)
                            return best;
                    }
                    if (v <= hi)
                        next.push_back(id);
                }
            }
            level.swap(next);
            dd = 10.0 * dd;
        }
    }
    return best;
}

// Narrows [lo, hi] to the doubles whose tenth, rounded as the reader divides,
// lies in [lo, hi]: one division of the exponent undone. Division by ten is
// monotonic, so they form an interval; false when it is empty.
bool undoDivision(double& lo, double& hi) {
    double a = lo * 10.0, b = hi * 10.0;
    while (a / 10.0 >= lo && a > 0.0)
        a = std::nextafter(a, 0.0);
    while (a / 10.0 < lo)
        a = std::nextafter(a, INFINITY);
    while (b / 10.0 <= hi)
        b = std::nextafter(b, INFINITY);
    while (b / 10.0 > hi)
        b = std::nextafter(b, 0.0);
    lo = a;
    hi = b;
    return a <= b;
}

double divided(double m, int exponent) {
    for (; exponent > 0 && m != 0.0; --exponent)
        m = m / 10.0;
    return m;
}

// An exponent-form text that reads back exactly as a, if the line holds one.
// Every such text passes, division by division, through the intervals that
// undoDivision gives; a mantissa that reads into one of them is the answer.
std::optional<std::string> exactExponentForm(double a, std::size_t room) {
    double lo = a, hi = a;
    for (int exponent = 1; hi < 10.0 && undoDivision(lo, hi); ++exponent) {
        const std::string tail = "E-" + digits(static_cast<std::uint64_t>(exponent));
        if (hi < MantissaMin || tail.size() + 1 > room)
            continue;
        const Text m = fixedForm(lo, hi, room - tail.size());
        if (m.value >= lo && m.value <= hi)
            return m.text + tail;
    }
    return std::nullopt;
}

// The exponent-form text with a's own exponent (a mantissa from 1 to 10)
// whose divisions end closest to a. They only grow with the mantissa, so
// the mantissa is found by bisection over the doubles.
std::string closestExponentForm(double a, std::size_t room) {
    int exponent = 0;
    for (double m = a; m < 1.0; m *= 10.0)
        ++exponent;
    auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
    std::uint64_t lo = bits(0.5), hi = bits(20.0); // divided(lo) < a <= divided(hi)
    while (hi - lo > 1) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        (divided(std::bit_cast<double>(mid), exponent) < a ? lo : hi) = mid;
    }
    const double below = std::bit_cast<double>(lo), above = std::bit_cast<double>(hi);
    const double m = a - divided(below, exponent) <= divided(above, exponent) - a ? below : above;
    const std::string tail = "E-" + digits(static_cast<std::uint64_t>(exponent));
    return fixedForm(m, m, room - tail.size()).text + tail;
}

// a's decimal digits as the nearest decimal of `count` significant digits:
// mantissa * 10^power.
struct Decimal {
    std::uint64_t mantissa;
    int power;
};

Decimal nearestDecimal(double a, int count) {
    char buf[40];
    const char* end =
        std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, count - 1).ptr;
    Decimal d{0, 0};
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            d.mantissa = d.mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    d.power = exponent - (count - 1);
    return d;
}

// The text of d in the job grammar: fixed ("12.5", ".005") or with an
// exponent ("1.25E-7"); trailing zeros after a point are left out.
std::string render(Decimal d, bool exponentForm) {
    while (d.mantissa != 0 && d.mantissa % 10 == 0 && d.power < 0) {
        d.mantissa /= 10;
        ++d.power;
    }
    const std::string s = digits(d.mantissa);
    const int count = static_cast<int>(s.size());
    std::string text;
    if (exponentForm) {
        text.append(s, 0, 1);
        if (count > 1)
            text.append(1, '.').append(s, 1);
        return text.append("E-").append(digits(static_cast<std::uint64_t>(1 - count - d.power)));
    }
    if (d.power >= 0)
        return text.append(s).append(static_cast<std::size_t>(d.power), '0');
    const int whole = count + d.power; // digits before the point
    if (whole > 0)
        return text.append(s, 0, static_cast<std::size_t>(whole))
            .append(1, '.')
            .append(s, static_cast<std::size_t>(whole));
    return text.append(1, '.').append(static_cast<std::size_t>(-whole), '0').append(s);
}

// A text that is a's own decimal, which any correctly rounding reader
// (and a person) takes for a, and that `readnum` folds into a as well: the
// decimals of 17 to 19 digits that round to a, nearest first.
std::optional<std::string> decimalForm(double a, std::size_t room, bool exponentForm) {
    for (int count = 17; count <= 19; ++count) {
        const Decimal nearest = nearestDecimal(a, count);
        for (std::uint64_t step = 0; step <= 40; ++step) {
            for (const bool up : {true, false}) {
                if (!up && (step == 0 || nearest.mantissa <= step))
                    continue;
                const Decimal d{up ? nearest.mantissa + step : nearest.mantissa - step,
                                nearest.power};
                const std::string text = render(d, exponentForm);
                double decimal = 0.0;
                std::from_chars(text.data(), text.data() + text.size(), decimal);
                if (text.size() <= room && decimal == a && readBack(text) == a)
                    return text;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> formatJobNumber(double v) {
    const double a = std::fabs(v);
    if (!(a < IntegerEnd))
        return std::nullopt;                             // also not a number
    const std::string sign = std::signbit(v) ? "-" : ""; // "-0" reads back as -0.0
    if (a == 0.0)
        return sign + "0";
    const std::size_t room = LineMax - sign.size();
    if (const auto decimal = decimalForm(a, room, a < FixedMin))
        return sign + *decimal;
    if (a >= FixedMin) {
        const Text fixed = fixedForm(a, a, room);
        if (fixed.value == a)
            return sign + fixed.text;
        return sign + exactExponentForm(a, room).value_or(fixed.text);
    }
    if (const auto exact = exactExponentForm(a, room))
        return sign + *exact;
    return sign + closestExponentForm(a, room);
}

} // namespace quor

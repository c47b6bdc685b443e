#include "domain/exactview.h"

#include "domain/letterpath.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quorvane {

ExactLimits exactLimits(const AreaName& name) {
    const ExactLimits start;
    const auto v =
        followLetters<mpq_class>(name.text(), {start.xMin, start.xMax, start.yMin, start.yMax});
    return {v.xa, v.xb, v.ya, v.yb};
}

namespace {

// A job line's value as QuorC reads it back; nothing when no line holds it.
std::optional<double> asRead(double v) {
    const auto text = quor::formatJobNumber(v);
    if (!text)
        return std::nullopt;
    return quor::readnum(text->data(), std::uint8_t(text->size() - 1));
}

// The exponent of the last bit of a double: v is an integer times 2^that.
int lastBitExponent(double v) {
    int e = 0;
    std::frexp(v, &e);
    return std::max(e - 53, -1074);
}

// v / 2^e, an integer when e is at most v's last bit exponent.
mpz_class scaledInteger(double v, int e) {
    if (v == 0)
        return 0;
    const int own = lastBitExponent(v);
    mpz_class z(std::ldexp(v, -own));
    mpz_mul_2exp(z.get_mpz_t(), z.get_mpz_t(), mp_bitcnt_t(own - e));
    return z;
}

bool axisResolved(double lineMin, double lineMax, const mpq_class& lo, const mpq_class& hi) {
    const auto a = asRead(lineMin), b = asRead(lineMax);
    const mpq_class w = (hi - lo) / PictureSteps;
    if (!a || !b || w <= 0)
        return false;
    // The positions as QuorC steps through them.
    std::array<double, DimScreen> v{};
    const double d = (*b - *a) / 723.0;
    double p = *a;
    int e = 0;
    for (double& position : v) {
        if (!std::isfinite(p))
            return false;
        position = p;
        if (p != 0)
            e = std::min(e, lastBitExponent(p));
        p = p + d;
    }
    // 1000 |v_k - (lo + k w)| <= w in integers: every v_k is a multiple of
    // 2^e, so multiplying by the denominators of lo and w and by 2^-e
    // leaves whole numbers only.
    mpz_class scale;
    mpz_setbit(scale.get_mpz_t(), mp_bitcnt_t(-e));
    const mpz_class denominators = lo.get_den() * w.get_den();
    const mpz_class first = scale * lo.get_num() * w.get_den();
    const mpz_class pixel = scale * w.get_num() * lo.get_den();
    mpz_class exact = first, apart;
    for (const double position : v) {
        apart = scaledInteger(position, e) * denominators - exact;
        if (1000 * abs(apart) > pixel)
            return false;
        exact += pixel;
    }
    return true;
}

double nearestDouble(const mpq_class& v) {
    const double near = v.get_d(); // towards zero
    const double other = std::nextafter(near, v > 0 ? INFINITY : -INFINITY);
    if (!std::isfinite(other))
        return near;
    return abs(mpq_class(other) - v) < abs(mpq_class(near) - v) ? other : near;
}

// |v| as a decimal integer rounded half up after scaling by 10^places
// (places may be negative).
mpz_class roundedScaled(const mpq_class& v, long places) {
    mpz_class ten = 10, power;
    mpz_pow_ui(power.get_mpz_t(), ten.get_mpz_t(), (unsigned long)std::labs(places));
    mpq_class scaled = abs(v);
    if (places >= 0)
        scaled *= power;
    else
        scaled /= power;
    mpz_class twice = 2 * scaled.get_num() + scaled.get_den();
    mpz_class r;
    mpz_fdiv_q(r.get_mpz_t(), twice.get_mpz_t(), mpz_class(2 * scaled.get_den()).get_mpz_t());
    return r;
}

std::string decimalDigits(const mpz_class& n) {
    return n.get_str(10);
}

} // namespace

mpq_class decimalValue(std::string_view text) {
    std::string digits;
    unsigned long places = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.')
            point = true;
        else {
            digits += c;
            places += point && c != '-';
        }
    }
    mpz_class ten = 10, power;
    mpz_pow_ui(power.get_mpz_t(), ten.get_mpz_t(), places);
    mpq_class v(mpz_class(digits, 10), power);
    v.canonicalize();
    return v;
}

std::string decimalText(const mpq_class& v, long places) {
    std::string digits = decimalDigits(roundedScaled(v, places));
    if (digits.size() <= std::size_t(places))
        digits.insert(0, std::size_t(places) + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - std::size_t(places));
    std::string fraction = digits.substr(whole.size());
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    const bool negative = v < 0 && digits.find_first_not_of('0') != std::string::npos;
    return (negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
}

bool doublesResolve(const Limits& doubles, const ExactLimits& exact) {
    return axisResolved(doubles.xMin, doubles.xMax, exact.xMin, exact.xMax) &&
           axisResolved(doubles.yMin, doubles.yMax, exact.yMin, exact.yMax);
}

Limits nearestDoubles(const ExactLimits& e) {
    return {nearestDouble(e.xMin), nearestDouble(e.xMax), nearestDouble(e.yMin),
            nearestDouble(e.yMax)};
}

quor::DeepLimits deepLimits(const ExactLimits& e) {
    const double step = mpq_class((e.xMax - e.xMin) / PictureSteps).get_d();
    const long places = long(std::ceil(-std::log10(step))) + 20;
    return {decimalText(e.xMin, places), decimalText(e.xMax, places), decimalText(e.yMin, places),
            decimalText(e.yMax, places)};
}

ExactPoint exactSample(const ExactLimits& e, int column, int row) {
    const mpq_class step = (e.xMax - e.xMin) / PictureSteps;
    const long pixelBits = long(std::ceil(-std::log2(step.get_d())));
    return {e.xMin + step * column, e.yMin + (e.yMax - e.yMin) / PictureSteps * row,
            std::max(pixelBits, 0L) + 20};
}

PlanePoint exactPlanePoint(const ExactLimits& e, int column, int row) {
    const ExactPoint p = exactSample(e, column, row);
    return {nearestDouble(p.x), nearestDouble(p.y)};
}

std::optional<ExactPoint> deepSample(const View& view, int column, int row) {
    if (!view.deep)
        return std::nullopt;
    return exactSample(exactLimits(view.name), column, row);
}

QString exactNumberText(const mpq_class& v, int digits, const QLocale& locale) {
    if (v == 0)
        return QStringLiteral("0");
    // The decimal exponent: 10^e <= |v| < 10^(e + 1).
    long e = long(std::floor(std::log10(std::fabs(v.get_d()))));
    mpz_class power;
    const auto below = [&](long exponent) { // |v| < 10^exponent
        mpz_ui_pow_ui(power.get_mpz_t(), 10, (unsigned long)std::labs(exponent));
        const mpq_class p = exponent >= 0 ? mpq_class(power) : mpq_class(1, 1) / power;
        return abs(v) < p;
    };
    while (below(e))
        --e;
    while (!below(e + 1))
        ++e;
    std::string mantissa = decimalDigits(roundedScaled(v, digits - 1 - e));
    if (mantissa.size() > std::size_t(digits)) { // rounded up to the next power of ten
        mantissa.pop_back();
        ++e;
    }
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    const QString point = locale.decimalPoint();
    QString text = QString::fromLatin1(mantissa);
    // As 'g' writes a double: the exponent form below 10^-4 and from 10^digits.
    if (e < -4 || e >= digits) {
        if (text.size() > 1)
            text.insert(1, point);
        const QString exponent = QString::number(std::labs(e)).rightJustified(2, u'0');
        text += locale.exponential() + (e < 0 ? locale.negativeSign() : locale.positiveSign()) +
                exponent;
    } else if (e < 0) {
        text = QStringLiteral("0") + point + QString(int(-e - 1), u'0') + text;
    } else if (text.size() > e + 1) {
        text.insert(int(e + 1), point);
    } else {
        text += QString(int(e + 1 - text.size()), u'0');
    }
    return (v < 0 ? locale.negativeSign() : QString()) + text;
}

std::array<QString, 4> exactLimitTexts(const ExactLimits& e, int digits, const QLocale& locale) {
    // Enough digits that each maximum reads apart from its minimum.
    const auto apart = [&](int n) {
        return exactNumberText(e.xMin, n, locale) != exactNumberText(e.xMax, n, locale) &&
               exactNumberText(e.yMin, n, locale) != exactNumberText(e.yMax, n, locale);
    };
    int n = digits;
    while (!apart(n) && n < 100)
        ++n;
    return {exactNumberText(e.xMin, n, locale), exactNumberText(e.xMax, n, locale),
            exactNumberText(e.yMin, n, locale), exactNumberText(e.yMax, n, locale)};
}

} // namespace quorvane

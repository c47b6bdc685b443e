// Area names decoded exactly, and samples counted by direct iteration.
#include "oracle.h"
#include "exact.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>
#include <set>
#include <thread>

namespace quoracle {

Q decimal(const std::string& text) {
    std::string digits;
    unsigned long places = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.')
            point = true;
        else if (c != '-') {
            digits += c;
            places += point ? 1 : 0;
        }
    }
    Q r;
    mpz_set_str(mpq_numref(r.q), digits.empty() ? "0" : digits.c_str(), 10);
    mpz_ui_pow_ui(mpq_denref(r.q), 10, places);
    mpq_canonicalize(r.q);
    if (!text.empty() && text[0] == '-')
        mpq_neg(r.q, r.q);
    return r;
}

std::string decimalText(const Q& q, int places) {
    // round(|q| 10^places), then the point put back in.
    mpz_t scaled, half;
    mpz_inits(scaled, half, nullptr);
    mpz_ui_pow_ui(scaled, 10, static_cast<unsigned long>(places));
    mpz_mul(scaled, scaled, mpq_numref(q.q));
    mpz_abs(scaled, scaled);
    mpz_mul_2exp(scaled, scaled, 1);
    mpz_add(scaled, scaled, mpq_denref(q.q));
    mpz_mul_2exp(half, mpq_denref(q.q), 1);
    mpz_fdiv_q(scaled, scaled, half);
    std::string digits(mpz_sizeinbase(scaled, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, scaled);
    digits.resize(digits.find('\0'));
    const bool negative = mpq_sgn(q.q) < 0 && mpz_sgn(scaled) != 0;
    mpz_clears(scaled, half, nullptr);
    if (digits.size() <= static_cast<std::size_t>(places))
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return (negative ? "-" : "") + text;
}

namespace {

// Places of the written limits: the deepest view's pixel is about 1e-29.
constexpr int Places = 60;

struct ExactView {
    Q xa, xb, ya, yb;
};

ExactView exact(const quor::DeepLimits& l) {
    return {decimal(l.xa), decimal(l.xb), decimal(l.ya), decimal(l.yb)};
}

} // namespace

std::optional<quor::DeepLimits> limitsOfName(std::string_view name) {
    // The start view; each letter from the first.
    Q xa(-2), xb(1), ya(-3, 2), yb(3, 2);
    const long shifts[5] = {-48, -24, 0, 24, 48};
    if (name != "Z") {
        if (name.empty() || name.size() > 38)
            return std::nullopt;
        for (const char c : name) {
            const Q step = (xb - xa) / Q(723);
            if (c >= 'A' && c <= 'Y') {
                const long k = c - 'A';
                const Q fifth = (xb - xa) / Q(5);
                xa = xa + step * Q(145 * (k % 5));
                xb = xa + fifth;
                ya = ya + step * Q(145 * (k / 5));
                yb = ya + fifth;
            } else if (c >= 'a' && c <= 'y') {
                const long k = c - 'a';
                const Q sx = step * Q(shifts[k % 5]), sy = step * Q(shifts[k / 5]);
                xa = xa + sx;
                xb = xb + sx;
                ya = ya + sy;
                yb = yb + sy;
            } else {
                return std::nullopt;
            }
        }
    }
    return quor::DeepLimits{decimalText(xa, Places), decimalText(xb, Places),
                            decimalText(ya, Places), decimalText(yb, Places)};
}

double pixelStep(const quor::DeepLimits& limits) {
    const ExactView v = exact(limits);
    const Q step = (v.xb - v.xa) / Q(723);
    return mpq_get_d(step.q);
}

std::pair<long, long> precisions(const quor::DeepLimits& limits, std::uint32_t nmax) {
    // The lower precision puts c within 2^-20 of a pixel step of the
    // sample and rounds each step as finely; the higher one has 64 bits
    // more. A count that both give is one that the sample's position holds
    // to a millionth of a pixel; one that moves under so small a change is
    // the chaotic boundary, which no picture resolves. The limit adds its
    // bits: the roundings of more steps add up.
    const double pixel = pixelStep(limits);
    const long pixelBits = std::max(0L, static_cast<long>(std::ceil(-std::log2(pixel))));
    const long low = pixelBits + 20 + static_cast<long>(std::bit_width(nmax)) / 2;
    return {low, low + 64};
}

namespace {

std::uint32_t iterate(const Q& cx, const Q& cy, std::uint32_t nmax, mpfr_prec_t bits) {
    R x(bits), y(bits), xx(bits), yy(bits), sum(bits), px(bits), py(bits);
    mpfr_set_q(px.f, cx.q, MPFR_RNDN);
    mpfr_set_q(py.f, cy.q, MPFR_RNDN);
    mpfr_set(x.f, px.f, MPFR_RNDN);
    mpfr_set(y.f, py.f, MPFR_RNDN);
    for (std::uint32_t n = 0; n < nmax; ++n) {
        mpfr_sqr(xx.f, x.f, MPFR_RNDN);
        mpfr_sqr(yy.f, y.f, MPFR_RNDN);
        mpfr_add(sum.f, xx.f, yy.f, MPFR_RNDN);
        if (mpfr_cmp_ui(sum.f, 4) > 0)
            return n;
        mpfr_mul(y.f, x.f, y.f, MPFR_RNDN);
        mpfr_mul_2ui(y.f, y.f, 1, MPFR_RNDN);
        mpfr_add(y.f, y.f, py.f, MPFR_RNDN);
        mpfr_sub(x.f, xx.f, yy.f, MPFR_RNDN);
        mpfr_add(x.f, x.f, px.f, MPFR_RNDN);
    }
    return nmax;
}

} // namespace

Count countSample(const quor::DeepLimits& limits, int column, int row, std::uint32_t nmax) {
    const ExactView v = exact(limits);
    const Q cx = v.xa + (v.xb - v.xa) * Q(column, 723);
    const Q cy = v.ya + (v.yb - v.ya) * Q(row, 723);
    const auto [low, high] = precisions(limits, nmax);
    const std::uint32_t a = iterate(cx, cy, nmax, low);
    const std::uint32_t b = iterate(cx, cy, nmax, high);
    return {a, a == b};
}

std::vector<Count> countSamples(const quor::DeepLimits& limits,
                                const std::vector<std::pair<int, int>>& samples,
                                std::uint32_t nmax) {
    std::vector<Count> counts(samples.size());
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (std::size_t k = t; k < samples.size(); k += threads)
                counts[k] = countSample(limits, samples[k].first, samples[k].second, nmax);
        });
    for (std::thread& w : workers)
        w.join();
    return counts;
}

std::vector<std::pair<int, int>> samplePositions(int n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, int>> positions;
    while (static_cast<int>(positions.size()) < n) {
        // Not std::uniform_int_distribution: its results differ between
        // standard libraries, and these positions must not.
        const int column = static_cast<int>(rng() % quor::DimScreen);
        const int row = static_cast<int>(rng() % quor::DimScreen);
        if (seen.insert({column, row}).second)
            positions.emplace_back(column, row);
    }
    return positions;
}

bool holds(const quor::DeepLimits& limits, const Point& p) {
    const ExactView v = exact(limits);
    const Q x = decimal(p.x), y = decimal(p.y);
    return v.xa <= x && x <= v.xb && v.ya <= y && y <= v.yb;
}

} // namespace quoracle

// Views in exact arithmetic: names decoded in rationals, the rule that
// keeps the double kind while it samples the name's view, the deep job's
// limits and the texts of exact limits.
#include "domain/exactview.h"
#include "domain/numbertext.h"
#include "domain/view.h"
#include "exact.h"
#include "oracle.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvane;

namespace {

AreaName named(const std::string& name) {
    return AreaName::from(QString::fromStdString(name)).value();
}

mpq_class fromOracle(const std::string& decimal) {
    mpq_class q;
    mpq_set(q.get_mpq_t(), quoracle::decimal(decimal).q);
    return q;
}

// The largest distance, in pixel steps of the exact view, between a sample
// of the double job of lo..hi (repeated addition from lo, as QuorC steps)
// and its exact position; the plain way, in rationals, one sample at a time.
double straying(double lo, double hi, const mpq_class& exactLo, const mpq_class& exactHi) {
    const mpq_class pixel = (exactHi - exactLo) / 723;
    const double d = (hi - lo) / 723.0;
    double v = lo;
    mpq_class worst = 0;
    for (int k = 0; k < 724; ++k, v = v + d)
        worst = std::max(worst, mpq_class(abs(mpq_class(v) - (exactLo + k * pixel))));
    return mpq_class(worst / pixel).get_d();
}

const quoracle::Point I{"0", "1"};

} // namespace

TEST(ExactView, NamesDecodeInRationalsLetterByLetter) {
    // By hand: "M" starts 290 steps of 3/723 past the start view's corner.
    EXPECT_EQ(exactLimits(named("M")),
              (ExactLimits{{-192, 241}, {-237, 1205}, {-143, 482}, {731, 2410}}));
    EXPECT_EQ(exactLimits(named("Z")), ExactLimits{});
    EXPECT_EQ(exactLimits(named("mmm")), ExactLimits{});
    // Longer names against the oracle's own decoding, written to 60 places.
    for (const std::string& name : {std::string("gMhK"), std::string("MFFSSKJHB"),
                                    quoracle::nameTowards(I, 30), std::string(38, 'y')}) {
        const ExactLimits mine = exactLimits(named(name));
        const quor::DeepLimits theirs = *quoracle::limitsOfName(name);
        const mpq_class places(1, mpz_class("1" + std::string(60, '0')));
        for (const auto& [a, b] : {std::pair{mine.xMin, theirs.xa},
                                   {mine.xMax, theirs.xb},
                                   {mine.yMin, theirs.ya},
                                   {mine.yMax, theirs.yb}})
            EXPECT_TRUE(abs(a - fromOracle(b)) <= places) << name;
    }
}

TEST(ExactView, TheDoubleKindStaysWithinAThousandthOfAPixelStepAtItsExactBoundary) {
    // Doubles 0..723 sample every whole number exactly; the exact view is
    // moved by e, or stretched so that only the last sample strays by
    // 723 s, against a pixel step of 1 + s.
    const Limits whole{0, 723, 0, 723};
    const auto moved = [](mpq_class ex, mpq_class ey) {
        return ExactLimits{ex, 723 + ex, ey, 723 + ey};
    };
    const auto stretched = [](mpq_class s) { return ExactLimits{0, 723 * (1 + s), 0, 723}; };
    const mpq_class edge(1, 723000 - 1); // 1000 * 723 s = 1 + s
    const struct {
        Limits doubles;
        ExactLimits exact;
        bool resolved;
    } cases[] = {
        {whole, ExactLimits{0, 723, 0, 723}, true},
        {whole, moved({1, 1000}, 0), true},
        {whole, moved({-1, 1000}, 0), true},
        {whole, moved({1000001, 1000000000}, 0), false},
        {whole, moved(0, {1, 1000}), true},
        {whole, moved(0, {-1000001, 1000000000}), false},
        {whole, stretched(edge), true},
        {whole, stretched(edge + mpq_class(1, 1000000000000)), false},
        // No job line carries 2^60: the engine could not read these doubles.
        {Limits{0, 0x1p60, 0, 723}, ExactLimits{0, mpz_class(1) << 60, 0, 723}, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(doublesResolve(cases[i].doubles, cases[i].exact), cases[i].resolved) << i;
}

TEST(ExactView, TodaysViewsKeepTheirDoubleJobAndDeepOnesTakeTheDeepKind) {
    // The rule against the plain measure of how far each double job strays,
    // on names towards i and along a place of the seeded library, letter
    // by letter down to where the doubles stray by whole pixels.
    std::vector<std::string> names = {"Z", "A", "M", "Y", "a", "gMhK", "MFFSSKJHB"};
    for (int letters = 8; letters <= 20; ++letters) {
        names.push_back(quoracle::nameTowards(I, letters));
        names.push_back("MFFSSKJHB" + std::string(std::size_t(letters - 9 + 1), 'M'));
    }
    int resolved = 0, deep = 0;
    for (const std::string& name : names) {
        const View view = View::of(named(name));
        const Limits today = decodeAreaName(QString::fromStdString(name))->limits;
        const ExactLimits exact = exactLimits(named(name));
        const double worst = std::max(straying(today.xMin, today.xMax, exact.xMin, exact.xMax),
                                      straying(today.yMin, today.yMax, exact.yMin, exact.yMax));
        EXPECT_EQ(view.deep, worst > 1e-3) << name << " strays by " << worst;
        const EngineJob job = view.job(1000);
        if (!view.deep) {
            ++resolved;
            // Byte for byte the job of today's doubles.
            EXPECT_EQ(quor::jobText(std::get<quor::Job>(job)),
                      quor::jobText(viewJob(quor::Quorvane, today, 1000)))
                << name;
        } else {
            ++deep;
            const auto& deepJob = std::get<quor::DeepJob>(job);
            EXPECT_EQ(deepJob.limits, deepLimits(exact)) << name;
            EXPECT_TRUE(quor::deepJobText(deepJob.limits, deepJob.nmax)) << name;
        }
    }
    EXPECT_GE(resolved, 10);
    EXPECT_GE(deep, 10);
}

TEST(ExactView, DeepLimitsAreDecimalsFarBelowThePixelStep) {
    // "M": a pixel step of 0.6/723, so 24 places, rounded half up.
    EXPECT_EQ(deepLimits(exactLimits(named("M"))),
              (quor::DeepLimits{"-0.796680497925311203319502", "-0.196680497925311203319502",
                                "-0.296680497925311203319502", "0.303319502074688796680498"}));
    for (const int letters : {20, 30, 38}) {
        const std::string name = quoracle::nameTowards(I, letters);
        const ExactLimits exact = exactLimits(named(name));
        const quor::DeepLimits text = deepLimits(exact);
        const mpq_class pixel = (exact.xMax - exact.xMin) / 723;
        for (const auto& [value, decimal] : {std::pair{exact.xMin, text.xa},
                                             {exact.xMax, text.xb},
                                             {exact.yMin, text.ya},
                                             {exact.yMax, text.yb}}) {
            EXPECT_LE(decimal.size(), quor::DeepLineMax) << name;
            EXPECT_TRUE(1e18 * abs(fromOracle(decimal) - value) <= pixel) << name;
        }
    }
}

TEST(ExactView, NearestDoublesAndSamplePoints) {
    const struct {
        mpq_class exact;
        double nearest;
    } cases[] = {
        {{1, 3}, 1.0 / 3},
        {{-192, 241}, -192.0 / 241},
        // Just past and just short of half a unit in the last place above 1.
        {mpq_class(1) + mpq_class(1, mpz_class(1) << 53) + mpq_class(1, mpz_class(1) << 80),
         std::nextafter(1.0, 2.0)},
        {mpq_class(1) + mpq_class(1, mpz_class(1) << 53) - mpq_class(1, mpz_class(1) << 80), 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nearestDoubles({c.exact, 1, c.exact, 1}).xMin, c.nearest) << c.exact.get_str();

    // A deep view's corner samples are its limits, a shallow view's
    // points today's.
    const View deep = View::of(named(quoracle::nameTowards(I, 30)));
    ASSERT_TRUE(deep.deep);
    EXPECT_EQ(deep.pointAt(0, 0), (PlanePoint{deep.limits.xMin, deep.limits.yMin}));
    EXPECT_EQ(deep.pointAt(723, 723), (PlanePoint{deep.limits.xMax, deep.limits.yMax}));
    const View shallow = View::of(named("gMhK"));
    EXPECT_EQ(shallow.pointAt(100, 200), planePoint(shallow.limits, 100, 200));
}

TEST(ExactView, LimitTextsTellEachMaximumFromItsMinimum) {
    const QLocale c = QLocale::c(), italian(QLocale::Italian);
    const struct {
        mpq_class v;
        int digits;
        QLocale locale;
        QString text;
    } cases[] = {
        {{-192, 241}, 15, c, "-0.796680497925311"},
        {{-192, 241}, 15, italian, "-0,796680497925311"},
        {{-192, 241}, 25, c, "-0.7966804979253112033195021"},
        {{3, 20000000}, 15, c, "1.5e-07"},
        {{-3, 20000000}, 15, italian, "-1,5E-07"},
        {{1, 10000}, 15, c, "0.0001"},
        {{1, 3}, 20, c, "0.33333333333333333333"},
        {{25, 1}, 15, c, "25"},
        {mpq_class(1) - mpq_class(1, mpz_class("100000000000000000")), 15, c, "1"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(exactNumberText(t.v, t.digits, t.locale), t.text) << t.v.get_str();
    // Doubles at fifteen digits read as numberText writes them.
    for (const double v : {-2.0, 0.303319502074689, -1.23456789012345e-05, 1e-5, 0.000123,
                           1234567.5, -0.0001, 9.99999999999999e-5, 1.0 / 3})
        for (const QLocale& locale : {c, italian})
            EXPECT_EQ(exactNumberText(mpq_class(v), 15, locale), numberText(v, locale)) << v;

    // A shallow view shows today's texts; a deep one the digits it takes.
    const View m = View::of(named("M"));
    EXPECT_EQ(limitTexts(m, c)[0], numberText(m.limits.xMin, c));
    for (const int letters : {20, 30, 38}) {
        const View v = View::of(named(quoracle::nameTowards(I, letters)));
        const ExactLimits e = exactLimits(v.name);
        const std::array<QString, 4> texts = limitTexts(v, italian);
        int digits = 15;
        while (exactNumberText(e.yMin, digits, italian) != texts[2])
            ++digits;
        EXPECT_NE(texts[0], texts[1]);
        EXPECT_NE(texts[2], texts[3]);
        EXPECT_EQ(texts[0], exactNumberText(e.xMin, digits, italian));
        EXPECT_EQ(texts[3], exactNumberText(e.yMax, digits, italian));
        // Near i the imaginary parts need more than fifteen digits from 30
        // letters on, and one digit fewer would tell them apart no more.
        if (letters >= 30) {
            EXPECT_GT(digits, 15);
            EXPECT_EQ(exactNumberText(e.yMin, digits - 1, italian),
                      exactNumberText(e.yMax, digits - 1, italian));
        }
    }
}

TEST(ExactView, ZoomTextsReadWholeUpToTheDeepestName) {
    const std::pair<double, QString> cases[] = {
        {1, "1"},
        {625, "625"},
        {std::pow(25.0, 10), "95367431640625"},
        {std::pow(25.0, 11), "25^11"},
        {View::of(named(std::string(38, 'M'))).zoom, "25^38"},
    };
    for (const auto& [zoom, text] : cases)
        EXPECT_EQ(zoomText(zoom, QLocale::c()), text) << zoom;
}

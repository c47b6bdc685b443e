// Area names decoded to limits and zoom, and the precision check before a letter.
#include "domain/areaname.h"
#include "domain/grid.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>

using namespace quorvane;

namespace {
QString g15(double v) {
    return QString::number(v, 'g', 15);
}
} // namespace

TEST(AreaName, DecodesLimitsAndZoom) {
    const std::pair<QString, QString> cases[] = {
        {"Z", "-2 1 -1.5 1.5 1"},
        {"A", "-2 -1.4 -1.5 -0.9 25"},
        {"M", "-0.796680497925311 -0.196680497925311 -0.296680497925311 0.303319502074689 25"},
        // The bottom-right cell reaches past the start view.
        {"Y", "0.406639004149377 1.00663900414938 0.906639004149377 1.50663900414938 25"},
        {"a", "-2.19917012448133 0.800829875518672 -1.69917012448133 1.30082987551867 1"},
        {"mmm", "-2 1 -1.5 1.5 1"},
        {"gMhK", "-0.896265560165975 -0.776265560165975 -0.17551867219917 -0.0555186721991703 625"},
        {"MFFSSKJHB", "-0.779181729460581 -0.779180193460581 -0.13452308713693 "
                      "-0.13452155113693 3814697265625"},
    };
    for (const auto& [name, want] : cases) {
        const auto area = decodeAreaName(name);
        ASSERT_TRUE(area) << name.toStdString();
        const Limits& l = area->limits;
        EXPECT_EQ(QStringList({g15(l.xMin), g15(l.xMax), g15(l.yMin), g15(l.yMax), g15(area->zoom)})
                      .join(u' '),
                  want)
            << name.toStdString();
    }
    // Centred shifts leave the start view exactly.
    EXPECT_EQ(decodeAreaName("mmmmm").value().limits, Limits{});
}

TEST(AreaName, AcceptsZOrOneToThirtyEightLetters) {
    const QStringList good = {"Z", "A", "Y", "a", "y", QString(38, u'M'), QString(38, u'y')};
    const QStringList bad = {
        QString(39, u'M'), "", "ZA", "Az", "A1", "mZ", "z", "@", "[", "`", "{", " A"};
    for (const QString& name : good + bad) {
        EXPECT_EQ(isAreaName(name), good.contains(name)) << name.toStdString();
        EXPECT_EQ(decodeAreaName(name).has_value(), good.contains(name)) << name.toStdString();
    }
}

TEST(AreaName, NameAfterRunAppendsTheFragmentToTheCurrentName) {
    const std::tuple<QString, QString, QString> cases[] = {
        {"Z", "", "Z"}, {"Z", "MK", "MK"}, {"", "", "Z"}, {"", "gM", "gM"}, {"MK", "aB", "MKaB"}};
    for (const auto& [current, fragment, name] : cases)
        EXPECT_EQ(nameAfterRun(current, fragment), name)
            << current.toStdString() << " + " << fragment.toStdString();
}

TEST(Grid, PrecisionCheckAtItsExactBoundary) {
    // At 1 a unit in the last place is 2^-52, and the next pixel step,
    // width / (5 * 723), must exceed half of it: 1808 ulps of width pass
    // (1808/3615 > 1/2), 1807 do not. The fine stage divides by 25 more:
    // 9038/18075 > 1/2 > 9037/18075.
    const auto x = [](double ulps) { return Limits{1.0, 1.0 + std::ldexp(ulps, -52), 0.0, 1e-3}; };
    const auto y = [](double ulps) { return Limits{0.0, 1e-3, 1.0, 1.0 + std::ldexp(ulps, -52)}; };
    const struct {
        Limits shown;
        bool fine, refused;
    } cases[] = {
        {Limits{}, false, false}, {Limits{}, true, false}, {x(1808), false, false},
        {x(1807), false, true},   {x(9038), true, false},  {x(9037), true, true},
        {x(9037), false, false},  {y(1808), false, false}, {y(1807), false, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(maxResolutionReached(cases[i].shown, cases[i].fine), cases[i].refused) << i;
}

// Julia mode's arithmetic: the point under the mouse, the constant read back
// from its boxes in any locale, the zoom of the Julia view.
#include "domain/juliaview.h"
#include "domain/numbertext.h"
#include "italian.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace quorvane;
using quorvane::testing::ItalianDesktop;

namespace {

const Limits Start{-2.0, 1.0, -1.5, 1.5};

std::string sides(const JuliaView& v) {
    return QStringLiteral("%1 x %2, zoom %3")
        .arg(v.limits.xMax - v.limits.xMin, 0, 'g', 15)
        .arg(v.limits.yMax - v.limits.yMin, 0, 'g', 15)
        .arg(numberText(v.zoom, QLocale::c()))
        .toStdString();
}

} // namespace

TEST(PlanePoint, ThePictureCornersAreTheLimitsAndTheProductComesFirst) {
    EXPECT_EQ(planePoint(Start, 0, 0), (PlanePoint{-2.0, -1.5}));
    EXPECT_EQ(planePoint(Start, 723, 723), (PlanePoint{1.0, 1.5}));
    EXPECT_EQ(planePoint(Start, 241, 482), (PlanePoint{-1.0, 0.5}));
    // 192 * 3 is exact, so the one rounding is that of 576 / 723; dividing
    // the width first rounds twice and lands elsewhere.
    EXPECT_EQ(planePoint(Start, 192, 192), (PlanePoint{-2.0 + 576.0 / 723, -1.5 + 576.0 / 723}));
    // Mouse positions may fall between pixels.
    EXPECT_EQ(planePoint(Limits{0.0, 723.0, 0.0, -723.0}, 1.5, 2.5), (PlanePoint{1.5, -2.5}));
}

TEST(PlanePoint, OnlyPositionsOnThePictureAreInside) {
    for (auto [x, y] : {std::pair{0.0, 0.0}, {723.0, 723.0}, {723.5, 0.0}, {0.0, 723.9}})
        EXPECT_TRUE(insidePicture(x, y)) << x << ", " << y;
    for (auto [x, y] : {std::pair{-0.5, 0.0}, {0.0, -1.0}, {724.0, 0.0}, {0.0, 724.0}})
        EXPECT_FALSE(insidePicture(x, y)) << x << ", " << y;
}

TEST(Constant, TheLeadingNumberWithACommaReadAsAPeriod) {
    const std::pair<QString, double> cases[] = {
        {"-0,75", -0.75}, {"-0.75", -0.75}, {"-7,5E-08", -7.5e-08}, {" 2,5 ", 2.5},
        {"1,2,3", 1.2},   {"+4", 4.0},      {"-,25", -0.25},        {"3e", 3.0},
        {"", 0.0},        {"inf", 0.0},     {"nan", 0.0},           {"--1", 0.0},
        {"1.5.3", 1.5},   {"0x10", 0.0},
    };
    for (const auto& [text, value] : cases)
        for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Italian)})
            EXPECT_EQ(constantPart(text, locale), value)
                << text.toStdString() << " in " << locale.name().toStdString();
    EXPECT_EQ(readConstant("-0,75", "0.1"), (PlanePoint{-0.75, 0.1}));
}

TEST(Constant, ABoxWrittenInTheUsersLocaleReadsBackAsTheSameConstant) {
    const double values[] = {-0.75, 1.0 / 3, -7.5e-08, -1.23456789012345e-20, 0.0};
    const QLocale locales[] = {QLocale::c(), QLocale(QLocale::Italian, QLocale::Italy),
                               QLocale(QLocale::Swedish, QLocale::Sweden),
                               QLocale(QLocale::Persian, QLocale::Iran),
                               QLocale(QLocale::Arabic, QLocale::Egypt)};
    for (const QLocale& locale : locales)
        for (double v : values) {
            // The same 15 digits as the C locale writes them, so the same double.
            const QString text = numberText(v, locale);
            EXPECT_EQ(constantPart(text, locale), constantPart(numberText(v, QLocale::c())))
                << text.toStdString() << " in " << locale.name().toStdString();
        }
    // Other texts outside ASCII hold a number only where the C form finds one.
    const std::pair<QString, double> others[] = {
        {"\u22120,75", -0.75}, {"\u2212", 0.0}, {"2,5\u20ac", 2.5}, {"\u0662\u0665", 25.0}};
    for (const auto& [text, value] : others)
        for (const QLocale& locale : locales)
            EXPECT_EQ(constantPart(text, locale), value)
                << text.toStdString() << " in " << locale.name().toStdString();
}

// As Qt sets it from an Italian desktop, the C library's own reading then
// stops at a period.
TEST_F(ItalianDesktop, TheConstantIsReadInTheCForm) {
    ASSERT_EQ(std::strtod("0.5", nullptr), 0.0);
    EXPECT_EQ(constantPart("-0,75", QLocale::c()), -0.75);
    EXPECT_EQ(constantPart("1,5e-3", QLocale(QLocale::Italian)), 0.0015);
    EXPECT_EQ(readConstant("0,3", "-1.25", QLocale(QLocale::Italian)), (PlanePoint{0.3, -1.25}));
}

TEST(JuliaView, TwoZoomsFromTheEntryViewGiveSquaresOfSide064And0128) {
    const JuliaView entry;
    EXPECT_EQ(entry.limits, (Limits{-1.6, 1.6, -1.6, 1.6}));
    EXPECT_EQ(entry.zoom, 1.0);

    const auto first = zoomedJuliaView(entry, 361, 361);
    ASSERT_TRUE(first);
    EXPECT_EQ(sides(*first), "0.64 x 0.64, zoom 25");
    const PlanePoint centre = planePoint(entry.limits, 361, 361);
    EXPECT_EQ(first->limits,
              (Limits{centre.x - 0.32, centre.x + 0.32, centre.y - 0.32, centre.y + 0.32}));

    const auto second = zoomedJuliaView(*first, 100, 600);
    ASSERT_TRUE(second);
    EXPECT_EQ(sides(*second), "0.128 x 0.128, zoom 625");
    const PlanePoint click = planePoint(first->limits, 100, 600);
    EXPECT_EQ(second->limits,
              (Limits{click.x - 0.064, click.x + 0.064, click.y - 0.064, click.y + 0.064}));
}

TEST(JuliaView, BothAxesTakeTheHalfSideFromTheWidth) {
    // Limits whose centre and tenth of the width are exact.
    const JuliaView tall{{0.0, 723.0, 0.0, 7230.0}, 2.0};
    EXPECT_EQ(zoomedJuliaView(tall, 100, 100),
              (JuliaView{{100 - 72.3, 100 + 72.3, 1000 - 72.3, 1000 + 72.3}, 50.0}));
}

TEST(JuliaView, NoZoomWhereTheNewSpacingVanishesAgainstTheCentre) {
    // Clicked at the top-left corner, the centre is (xMin, yMin): ten times
    // wider the spacing still counts against 1, and around 0 it counts until
    // it is no number at all.
    const std::pair<Limits, bool> cases[] = {{{1.0, 1.0 + 1e-13, 0.0, 1.0}, false},
                                             {{0.0, 1.0, 1.0, 1.0 + 1e-13}, false},
                                             {{1.0, 1.0 + 1e-12, 1.0, 1.0 + 1e-12}, true},
                                             {{0.0, 1e-300, 0.0, 1e-300}, true}};
    for (const auto& [limits, zooms] : cases)
        EXPECT_EQ(zoomedJuliaView(JuliaView{limits, 1.0}, 0, 0).has_value(), zooms) << limits.xMin;
}

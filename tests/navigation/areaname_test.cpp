#include "navigation/areaname.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace quorvane;

namespace {

QString g15(double v) {
    return QString::number(v, 'g', 15);
}

// The decoded view as "xMin xMax yMin yMax zoom", 15 significant digits each.
QString described(const QString& name) {
    const auto area = decodeAreaName(name);
    if (!area)
        return QStringLiteral("refused");
    return QStringList{g15(area->limits.xMin), g15(area->limits.xMax), g15(area->limits.yMin),
                       g15(area->limits.yMax), g15(area->zoom)}
        .join(u' ');
}

} // namespace

TEST(AreaName, DecodesTheStartViewAndSingleCells) {
    EXPECT_EQ(described("Z"), "-2 1 -1.5 1.5 1");
    EXPECT_EQ(described("A"), "-2 -1.4 -1.5 -0.9 25");
    EXPECT_EQ(described("M"),
              "-0.796680497925311 -0.196680497925311 -0.296680497925311 0.303319502074689 25");
    // The bottom-right cell reaches past the start view.
    EXPECT_EQ(described("Y"),
              "0.406639004149377 1.00663900414938 0.906639004149377 1.50663900414938 25");
}

TEST(AreaName, ShiftLettersMoveWithoutZooming) {
    EXPECT_EQ(described("a"),
              "-2.19917012448133 0.800829875518672 -1.69917012448133 1.30082987551867 1");
    EXPECT_EQ(described("m"), "-2 1 -1.5 1.5 1");
    EXPECT_EQ(described("mmm"), "-2 1 -1.5 1.5 1");
    const auto centred = decodeAreaName("mmmmm");
    ASSERT_TRUE(centred);
    EXPECT_EQ(centred->limits, (Limits{-2.0, 1.0, -1.5, 1.5}));
    EXPECT_EQ(centred->zoom, 1.0);
}

TEST(AreaName, DecodesMixedAndDeepNames) {
    EXPECT_EQ(described("gMhK"),
              "-0.896265560165975 -0.776265560165975 -0.17551867219917 -0.0555186721991703 625");
    EXPECT_EQ(described("MFFSSKJHB"), "-0.779181729460581 -0.779180193460581 "
                                      "-0.13452308713693 -0.13452155113693 3814697265625");
    const auto seed = decodeAreaName("MFFSSKJHB");
    ASSERT_TRUE(seed);
    EXPECT_EQ(seed->zoom, 3814697265625.0);
}

TEST(AreaName, EachUppercaseLetterZoomsByTwentyFive) {
    // Shift letters keep the zoom; 19 uppercase letters give 25^19.
    QString name;
    for (int i = 0; i < 19; ++i)
        name += QStringLiteral("aY");
    ASSERT_EQ(name.size(), 38);
    const auto area = decodeAreaName(name);
    ASSERT_TRUE(area);
    EXPECT_EQ(g15(area->zoom), "3.63797880709171e+26");
    // 25^38 for a name of 38 zoom letters.
    const auto deepest = decodeAreaName(QString(38, u'M'));
    ASSERT_TRUE(deepest);
    EXPECT_EQ(g15(deepest->zoom), "1.32348898008484e+53");
}

TEST(AreaName, RefusesMalformedNames) {
    const QStringList bad = {"",   "ZA",  "Az", "A1",
                             "z",  " ",   "A ", " A",
                             "ZZ", "Zm",  "mZ", "[",
                             "@",  "`",   "{",  QString(QChar(0xC0)),
                             "a-", "M.K", "é",  QString(39, u'M')};
    for (const QString& name : bad) {
        EXPECT_FALSE(isAreaName(name)) << name.toStdString();
        EXPECT_FALSE(decodeAreaName(name).has_value()) << name.toStdString();
    }
}

TEST(AreaName, AcceptsEveryLetterAndUpToThirtyEightOfThem) {
    const QStringList good = {"Z",
                              "A",
                              "Y",
                              "a",
                              "y",
                              "ABCDEFGHIJKLMNOPQRSTUVWXY",
                              "abcdefghijklmnopqrstuvwxy",
                              QString(38, u'M'),
                              QString(38, u'y'),
                              "gMhK"};
    for (const QString& name : good) {
        EXPECT_TRUE(isAreaName(name)) << name.toStdString();
        EXPECT_TRUE(decodeAreaName(name).has_value()) << name.toStdString();
    }
    EXPECT_FALSE(isAreaName(QString(38, u'M') + u'M'));
}

TEST(AreaName, FollowsTheLetterArithmeticStepByStep) {
    // "A" then "Y": every step starts from the limits the letter before left.
    double xa = -2.0, xb = 1.0, ya = -1.5, yb = 1.5;
    {
        const double step = (xb - xa) / 723, fifth = (xb - xa) / 5;
        xa = xa + step * 0;
        xb = xa + fifth;
        ya = ya + step * 0;
        yb = ya + fifth;
    }
    {
        const double step = (xb - xa) / 723;
        xa = xa + step * -24;
        xb = xb + step * -24;
        ya = ya + step * 48;
        yb = yb + step * 48;
    }
    {
        const double step = (xb - xa) / 723, fifth = (xb - xa) / 5;
        xa = xa + step * 580;
        xb = xa + fifth;
        ya = ya + step * 580;
        yb = ya + fifth;
    }
    const auto area = decodeAreaName("AvY");
    ASSERT_TRUE(area);
    EXPECT_EQ(area->limits, (Limits{xa, xb, ya, yb}));
    EXPECT_EQ(area->zoom, 625.0);
}

// Area names decoded to limits and zoom.
#include "domain/areaname.h"

#include <QStringList>
#include <gtest/gtest.h>

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

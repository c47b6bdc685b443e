// Orbit traces: pixels of the start view, segments clipped to the picture,
// the steps of an orbit until it leaves the square -2..2, and their drawing.
#include "domain/orbit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace quorvane;

namespace {

const QRgb White = qRgb(255, 255, 255);
const double NaN = std::numeric_limits<double>::quiet_NaN();

std::vector<QPoint> whitePixels(const QImage& image) {
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == White)
                found.emplace_back(x, y);
    return found;
}

QImage blackPicture() {
    QImage picture(724, 724, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

} // namespace

TEST(OrbitPixel, TheStartViewAt241PixelsAUnitRoundedDown) {
    EXPECT_EQ(orbitPixel({-2.0, -1.5}), QPointF(0, 0));
    EXPECT_EQ(orbitPixel({1.0, 1.5}), QPointF(723, 723));
    EXPECT_EQ(orbitPixel({0.0, 0.0}), QPointF(482, 361));
    EXPECT_EQ(orbitPixel({-1.0, 0.0}), QPointF(241, 361));
    // Towards minus infinity, not towards 0.
    EXPECT_EQ(orbitPixel({-2.5, 0.0}), QPointF(-121, 361));
    EXPECT_EQ(orbitPixel({std::nextafter(-2.0, -3.0), std::nextafter(-1.5, -3.0)}),
              QPointF(-1, -1));
    // On a column edge the product is formed first, then divided by 3:
    // multiplying by 241 instead puts these points in the other column.
    EXPECT_EQ(orbitPixel({77 / 241.0 - 2, 93 / 241.0 - 1.5}), QPointF(76, 93));
    EXPECT_EQ(orbitPixel({93 / 241.0 - 2, 77 / 241.0 - 1.5}), QPointF(93, 76));
}

TEST(OrbitPixel, FarPointsStayBoundedAndNoNumberStaysNoNumber) {
    EXPECT_EQ(orbitPixel({1e306, -1e306}), QPointF(FarPixel, -FarPixel));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(orbitPixel({-inf, inf}), QPointF(-FarPixel, FarPixel));
    EXPECT_TRUE(std::isnan(orbitPixel({NaN, 0.0}).x()));
}

TEST(ClipToPicture, KeepsThePartOnThePicture) {
    const std::tuple<QPointF, QPointF, std::optional<QLine>> cases[] = {
        {{-121, 361}, {1385, 361}, QLine(0, 361, 723, 361)},
        {{482, 361}, {482, 361}, QLine(482, 361, 482, 361)},
        {{10, 20}, {30, 40}, QLine(10, 20, 30, 40)},
        {{-100, -100}, {823, 823}, QLine(0, 0, 723, 723)},
        {{723, 0}, {-723, 1446}, QLine(723, 0, 0, 723)},
        {{964, 361}, {964, 361}, std::nullopt},
        {{-10, -10}, {-5, 800}, std::nullopt},
        {{724, 0}, {724, 723}, std::nullopt},
        {{-FarPixel, 361}, {482, 361}, QLine(0, 361, 482, 361)},
        {{482, 361}, {FarPixel, FarPixel}, QLine(482, 361, 723, 602)},
        {{-FarPixel, 0}, {FarPixel, -FarPixel}, std::nullopt},
        {{NaN, 361}, {482, 361}, std::nullopt},
        {{482, 361}, {482, NaN}, std::nullopt},
    };
    for (const auto& [a, b, line] : cases) {
        EXPECT_EQ(clipToPicture(a, b), line)
            << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
        // The same segment drawn the other way round.
        const auto back = clipToPicture(b, a);
        EXPECT_EQ(back, line ? std::optional(QLine(line->p2(), line->p1())) : std::nullopt)
            << b.x() << "," << b.y() << " to " << a.x() << "," << a.y();
    }
    // With both ends that far out, doubles cannot place the picture on the
    // segment exactly; what is drawn still lies on the picture.
    const auto across = clipToPicture({-FarPixel, -FarPixel}, {FarPixel, FarPixel});
    ASSERT_TRUE(across);
    EXPECT_TRUE(QRect(0, 0, 724, 724).contains(across->p1()));
    EXPECT_TRUE(QRect(0, 0, 724, 724).contains(across->p2()));
}

TEST(OrbitTrace, StepsOfZSquaredPlusCUntilTheSquareIsLeft) {
    // The constant, the step checked, what it draws and whether it escaped,
    // and the point it reached; every earlier step stays in the square.
    const struct {
        PlanePoint c;
        std::size_t steps;
        OrbitStep last;
        PlanePoint point;
    } cases[] = {
        {{-2.5, 0.0}, 1, {QLine(0, 361, 723, 361), true}, {3.75, 0.0}},
        {{0.25, 0.5}, 2, {QLine(497, 542, 407, 504), false}, {-0.30859375, 0.59375}},
        // Bounded orbits never end by themselves: 0 stays on one pixel, -1
        // and 0 alternate.
        {{0.0, 0.0}, 1000, {QLine(482, 361, 482, 361), false}, {0.0, 0.0}},
        {{-1.0, 0.0}, 1000, {QLine(482, 361, 241, 361), false}, {-1.0, 0.0}},
        // The edge belongs to the square: -2 goes to 2 and stays there, off
        // the picture, so nothing more is drawn.
        {{-2.0, 0.0}, 11, {std::nullopt, false}, {2.0, 0.0}},
    };
    for (const auto& c : cases) {
        OrbitTrace trace(c.c);
        for (std::size_t k = 1; k < c.steps; ++k)
            ASSERT_FALSE(trace.next().escaped) << c.c.x << " step " << k;
        EXPECT_EQ(trace.next(), c.last) << c.c.x;
        EXPECT_EQ(trace.point(), c.point) << c.c.x;
        EXPECT_EQ(trace.steps(), c.steps);
    }
    EXPECT_EQ(OrbitTrace({-2.5, 0.0}).pixel(), QPointF(-121, 361));
}

TEST(OrbitTrace, AnyConstantEndsWithoutOverflow) {
    const PlanePoint far[] = {{1e300, 0.0}, {-1e300, 3.0}, {1e200, 1e200}, {0.0, -1e300},
                              {NaN, 0.0},   {0.0, NaN},    {2.5, 0.0},     {0.0, 2.0001}};
    for (const PlanePoint& c : far) {
        OrbitTrace trace(c);
        const OrbitStep step = trace.next();
        EXPECT_TRUE(step.escaped) << c.x << ", " << c.y;
        if (step.line) {
            EXPECT_TRUE(QRect(0, 0, 724, 724).contains(step.line->p1())) << c.x << ", " << c.y;
            EXPECT_TRUE(QRect(0, 0, 724, 724).contains(step.line->p2())) << c.x << ", " << c.y;
        }
    }
}

TEST(DrawTraceSegment, PaintsEveryPixelOfTheLineAndNothingElse) {
    QImage picture = blackPicture();
    drawTraceSegment(picture, QLine(0, 361, 723, 361), White);
    const auto across = whitePixels(picture);
    ASSERT_EQ(across.size(), 724u);
    for (const QPoint& p : across)
        EXPECT_EQ(p.y(), 361);

    picture = blackPicture();
    drawTraceSegment(picture, QLine(482, 361, 482, 361), White);
    EXPECT_EQ(whitePixels(picture), std::vector<QPoint>{QPoint(482, 361)});

    picture = blackPicture();
    drawTraceSegment(picture, QLine(20, 15, 10, 10), White);
    EXPECT_EQ(whitePixels(picture).size(), 11u);
    EXPECT_EQ(picture.pixel(10, 10), White);

    picture = blackPicture();
    drawTraceSegment(picture, QLine(723, 0, 0, 723), qRgb(255, 255, 0));
    EXPECT_EQ(picture.pixel(723, 0), qRgb(255, 255, 0));
    EXPECT_EQ(picture.pixel(0, 723), qRgb(255, 255, 0));
}

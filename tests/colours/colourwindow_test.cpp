#include "window/colours/colourwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(Colori, LinesSitInSixStripsAndShowTheRampColours) {
    Colori w; // coloured the way start-up colours it: through the ramp builder
    const Ramp r = rampColours(rgb(0, 0, 0), [&](int m, Colore c) { w.setLineColour(m, c); });
    const std::pair<int, ColourLine> lines[] = {
        {0, {1920, 2800, 2280, 2800, rgb(0, 255, 0)}},    // below the rightmost strip
        {1, {1920, 2790, 2280, 2790, r[1]}},              // rightmost strip, bottom
        {255, {1920, 250, 2280, 250, r[255]}},            // rightmost strip, top
        {256, {1560, 2790, 1920, 2790, r[256]}},          // next strip, bottom
        {1530, {120, 250, 480, 250, rgb(255, 255, 254)}}, // leftmost strip, top
        {1531, {120, 240, 480, 240, rgb(0, 0, 0)}}};      // just above it
    for (const auto& [m, line] : lines)
        EXPECT_EQ(w.line(m), line) << "line " << m;
    w.setLineColour(-1, rgb(1, 1, 1)); // outside the legend: ignored
    w.setLineColour(RampSize, rgb(1, 1, 1));
    for (int m = 0; m < RampSize; ++m)
        ASSERT_EQ(w.line(m).colore, r[std::size_t(m)]) << "line " << m;
}

TEST(Colori, OkOrTheCloseButtonHidesAndSignals) {
    Colori w;
    QSignalSpy spy(&w, &Colori::closed);
    for (const bool viaOk : {true, false}) {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        viaOk ? QTest::mouseClick(w.Fine, Qt::LeftButton) : void(w.close());
        EXPECT_FALSE(w.isVisible()) << viaOk;
        EXPECT_EQ(spy.count(), viaOk ? 1 : 2);
    }
    QCloseEvent hiddenClose; // the program ending, not a return from the legend
    QCoreApplication::sendEvent(&w, &hiddenClose);
    EXPECT_EQ(spy.count(), 2);
}

TEST(Colori, RenderedLegendShowsTheStripColours) {
    Colori w;
    const Ramp r = rampColours(rgb(0, 0, 0), [&](int m, Colore c) { w.setLineColour(m, c); });
    const QImage image = w.grab().toImage();
    const qreal k = image.devicePixelRatio(); // the grab may come at a higher density
    const auto pixel = [&](int x, int y) { return QColor(image.pixel(int(x * k), int(y * k))); };
    const auto colour = [](Colore c) { return QColor(redOf(c), greenOf(c), blueOf(c)); };
    // A line at Y twips fills row Y / 15 from X1 / 15; a later, higher line covers a shared row.
    EXPECT_EQ(pixel(8, 16), QColor(0, 0, 0));        // 1531 at Y 240
    EXPECT_EQ(pixel(20, 17), QColor(255, 255, 254)); // 1530 at Y 250
    EXPECT_EQ(pixel(60, 100), colour(r[895]));       // strip 2, Y 1500
    EXPECT_EQ(pixel(110, 185), colour(r[258]));      // 258 at Y 2770 covers 257 at Y 2780
}

} // namespace
} // namespace quorvane

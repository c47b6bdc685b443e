#include "colours/colourwindow.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// A window coloured the way start-up colours it: through CreaRampa's callback.
struct ColouredWindow {
    Colori window;
    Rampa rampa;
    ColouredWindow() {
        rampa = CreaRampa(rgb(0, 0, 0), [this](int m, Colore c) { window.setLineColour(m, c); });
    }
};

QRgb pixelAt(const QImage& image, int x, int y) {
    // The grab may come at a higher density than one pixel per unit.
    const qreal ratio = image.devicePixelRatio();
    return image.pixel(int(x * ratio), int(y * ratio)) & 0xFFFFFFu;
}

QRgb asRgb(Colore c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c)) & 0xFFFFFFu;
}

TEST(Colori, WindowAndButtonLayout) {
    Colori w;
    EXPECT_EQ(w.objectName(), "Colori");
    EXPECT_EQ(w.windowTitle(), "Colori");
    EXPECT_TRUE(w.isWindow());
    EXPECT_EQ(w.size(), QSize(160, 239)); // 2400 x 3585 twips
    EXPECT_EQ(w.minimumSize(), QSize(160, 239));
    EXPECT_EQ(w.maximumSize(), QSize(160, 239));
    EXPECT_EQ(w.tag(), "False");
    EXPECT_FALSE(w.isVisible());

    QPushButton* fine = w.findChild<QPushButton*>("Fine");
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(fine, w.Fine);
    EXPECT_EQ(fine->text(), "OK");
    EXPECT_EQ(fine->geometry(), QRect(60, 208, 41, 25)); // 900, 3120, 615 x 375 twips
}

TEST(Colori, LinesAreLaidOutInSixStrips) {
    Colori w;
    auto at = [&](int m) {
        const ColourLine& l = w.Colore(m);
        return ColourLine{l.x1, l.y1, l.x2, l.y2, 0};
    };
    EXPECT_EQ(at(0), (ColourLine{1920, 2800, 2280, 2800, 0}));
    EXPECT_EQ(at(1), (ColourLine{1920, 2790, 2280, 2790, 0})); // strip 5, bottom
    EXPECT_EQ(at(2), (ColourLine{1920, 2780, 2280, 2780, 0}));
    EXPECT_EQ(at(255), (ColourLine{1920, 250, 2280, 250, 0}));   // strip 5, top
    EXPECT_EQ(at(256), (ColourLine{1560, 2790, 1920, 2790, 0})); // strip 4, bottom
    EXPECT_EQ(at(510), (ColourLine{1560, 250, 1920, 250, 0}));
    EXPECT_EQ(at(511), (ColourLine{1200, 2790, 1560, 2790, 0})); // strip 3
    EXPECT_EQ(at(766), (ColourLine{840, 2790, 1200, 2790, 0}));  // strip 2
    EXPECT_EQ(at(1021), (ColourLine{480, 2790, 840, 2790, 0}));  // strip 1
    EXPECT_EQ(at(1276), (ColourLine{120, 2790, 480, 2790, 0}));  // strip 0, bottom
    EXPECT_EQ(at(1530), (ColourLine{120, 250, 480, 250, 0}));    // strip 0, top
    EXPECT_EQ(at(1531), (ColourLine{120, 240, 480, 240, 0}));

    // Every line of every strip: m = 255 (5 - s) + (256 - j).
    for (int s = 5; s >= 0; --s) {
        for (int j = 255; j >= 1; --j) {
            const int m = 255 * (5 - s) + (256 - j);
            ASSERT_EQ(at(m),
                      (ColourLine{120 + 360 * s, 240 + 10 * j, 480 + 360 * s, 240 + 10 * j, 0}))
                << "line " << m;
        }
    }
}

TEST(Colori, RampCallbackColoursEveryLine) {
    ColouredWindow cw;
    for (int m = 0; m < RampSize; ++m)
        ASSERT_EQ(cw.window.Colore(m).colore, cw.rampa[std::size_t(m)]) << "line " << m;

    // Topmost line of the leftmost strip nearly white, the one above it black.
    EXPECT_EQ(cw.window.Colore(1530).colore, rgb(255, 255, 254));
    EXPECT_EQ(cw.window.Colore(1530).y1, 250);
    EXPECT_EQ(cw.window.Colore(1531).colore, rgb(0, 0, 0));
    EXPECT_EQ(cw.window.Colore(1531).y1, 240);
    EXPECT_EQ(cw.window.Colore(0).colore, rgb(0, 255, 0));

    // Indices outside the legend are ignored.
    cw.window.setLineColour(-1, rgb(1, 1, 1));
    cw.window.setLineColour(RampSize, rgb(1, 1, 1));
    EXPECT_EQ(cw.window.Colore(0).colore, rgb(0, 255, 0));
    EXPECT_EQ(cw.window.Colore(1531).colore, rgb(0, 0, 0));
}

TEST(Colori, OkClosesSetsTheTagAndSignals) {
    ColouredWindow cw;
    Colori& w = cw.window;
    QSignalSpy spy(&w, &Colori::closed);
    std::array<ColourLine, RampSize> before{};
    for (int m = 0; m < RampSize; ++m)
        before[std::size_t(m)] = w.Colore(m);

    for (int round = 1; round <= 2; ++round) {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_TRUE(w.isVisible());
        QTest::mouseClick(w.Fine, Qt::LeftButton);
        EXPECT_EQ(w.tag(), "True") << "round " << round;
        EXPECT_FALSE(w.isVisible()) << "round " << round;
        EXPECT_EQ(spy.count(), round);
        for (int m = 0; m < RampSize; ++m)
            ASSERT_EQ(w.Colore(m), before[std::size_t(m)]) << "line " << m;
        w.setTag("False"); // as the main window's re-entry does
    }

    // The window system's close button behaves as "OK".
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(w.tag(), "True");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(spy.count(), 3);

    // Closing it while hidden is the program ending, not a return from it.
    w.setTag("False");
    w.close();
    EXPECT_EQ(w.tag(), "False");
    EXPECT_EQ(spy.count(), 3);
}

TEST(Colori, RenderedLegendShowsTheStripColours) {
    ColouredWindow cw;
    const QImage image = cw.window.grab().toImage();
    ASSERT_EQ(image.size() / image.devicePixelRatio(), QSize(160, 239));

    // A line at Y twips fills pixel row Y / 15 rounded, from X1 / 15 for 24
    // pixels; where lines share a row the higher one (drawn later) shows.
    EXPECT_EQ(pixelAt(image, 8, 16), asRgb(rgb(0, 0, 0))); // 1531 at Y 240
    EXPECT_EQ(pixelAt(image, 31, 16), asRgb(rgb(0, 0, 0)));
    EXPECT_EQ(pixelAt(image, 20, 17), asRgb(rgb(255, 255, 254))); // 1530 at Y 250
    EXPECT_EQ(pixelAt(image, 140, 186), asRgb(cw.rampa[1]));      // 1 at Y 2790
    EXPECT_EQ(pixelAt(image, 140, 187), asRgb(rgb(0, 255, 0)));   // 0 at Y 2800
    EXPECT_EQ(pixelAt(image, 151, 187), asRgb(rgb(0, 255, 0)));
    // Row 100 of strip 2 (X 840..1200) holds only j = 126 (Y 1500): line 895.
    EXPECT_EQ(pixelAt(image, 60, 100), asRgb(cw.rampa[895]));
    // Row 185 of strip 4 is shared by j = 254 (Y 2780) and j = 253 (Y 2770):
    // lines 257 and 258; the later, higher line shows.
    EXPECT_EQ(pixelAt(image, 110, 185), asRgb(cw.rampa[258]));
    // Outside the strips the background shows, not a ramp colour.
    const QRgb background = pixelAt(image, 2, 100);
    EXPECT_EQ(pixelAt(image, 155, 100), background);
    EXPECT_NE(pixelAt(image, 7, 100), pixelAt(image, 8, 100));
}

} // namespace
} // namespace quorvane

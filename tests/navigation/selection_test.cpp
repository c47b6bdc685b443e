#include "navigation/areaname.h"
#include "navigation/grid.h"
#include "navigation/selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quorvane;

namespace {

// Every pixel of the picture gets its own colour, so a sampled pixel tells
// where it came from.
QRgb sourceColour(int i, int j) {
    return qRgb(i & 255, j & 255, (i >> 8) | ((j >> 8) << 4));
}

QImage distinctPicture() {
    QImage picture(PictureSize, PictureSize, QImage::Format_RGB32);
    for (int j = 0; j < PictureSize; ++j)
        for (int i = 0; i < PictureSize; ++i)
            picture.setPixel(i, j, sourceColour(i, j));
    return picture;
}

const QRgb Blank = ThumbnailBackground.rgb();

QString g15(double v) {
    return QString::number(v, 'g', 15);
}

} // namespace

TEST(Selection, WhichCaseOkHandles) {
    EXPECT_EQ(classifyConfirmation("Z", 0, NoLetterYet), Confirmation::StartOver);
    EXPECT_EQ(classifyConfirmation("-JHB", 3, NoLetterYet), Confirmation::GoBack);
    EXPECT_EQ(classifyConfirmation("-hK", 2, NoLetterYet), Confirmation::GoBack);
    // A shifted grid without a letter, or a shift after the last letter.
    EXPECT_EQ(classifyConfirmation("l", 0, NoLetterYet), Confirmation::NeedSelection);
    EXPECT_EQ(classifyConfirmation("gMr", 0, FirstLetterOnly), Confirmation::NeedSelection);
    EXPECT_EQ(classifyConfirmation("Mo", 0, FirstLetterOnly), Confirmation::NeedSelection);
    EXPECT_EQ(classifyConfirmation("M", 0, FirstLetterOnly), Confirmation::Select);
    EXPECT_EQ(classifyConfirmation("gM", 0, FirstLetterOnly), Confirmation::Select);
    EXPECT_EQ(classifyConfirmation("gMrK", 0, 10), Confirmation::Select);
}

TEST(Selection, GoingBackShortensTheName) {
    EXPECT_EQ(shortenedName("MFFSSKJHB", 3), "MFFSSK");
    EXPECT_EQ(shortenedName("MFFSSKJHB", 7), "MF");
    EXPECT_EQ(shortenedName("gMhK", 2), "gM");
    EXPECT_TRUE(isAreaName(shortenedName("aMbNcO", 4)));
}

TEST(Selection, ChosenSquareAsDrawn) {
    EXPECT_EQ(chosenSquare(12, FirstLetterOnly, {}), (ChosenSquare{290, 290, 144, 144}));
    EXPECT_EQ(chosenSquare(12, 10, {}), (ChosenSquare{290, 348, 28, 28}));
    EXPECT_EQ(chosenSquare(0, FirstLetterOnly, {0, 0, 2, 2}), (ChosenSquare{-48, -48, 144, 144}));
    // The drawn origin carries the fine shift in its 5-pixel steps.
    EXPECT_EQ(chosenSquare(12, 10, {1, 1, 2, 3}), (ChosenSquare{266, 329, 28, 28}));
    EXPECT_EQ(chosenSquare(24, 24, {4, 4, 4, 4}),
              (ChosenSquare{580 + 48 + 10 + 116, 580 + 48 + 10 + 116, 28, 28}));
}

TEST(Selection, NextLimitsOfOneAndTwoLetters) {
    const Limits start;
    const Limits m = nextRunLimits(start, 12, FirstLetterOnly, {});
    EXPECT_EQ(m, decodeAreaName("M")->limits);
    EXPECT_EQ(g15(m.xMin), "-0.796680497925311");
    EXPECT_EQ(g15(m.xMax), "-0.196680497925311");
    EXPECT_EQ(g15(m.yMin), "-0.296680497925311");
    EXPECT_EQ(g15(m.yMax), "0.303319502074689");

    // Without shifts both ways add the same products in the same order.
    const Limits mk = nextRunLimits(start, 12, 10, {});
    const Limits decodedMk = decodeAreaName("MK")->limits;
    EXPECT_EQ(mk, decodedMk);

    // From a deep view the fragment continues the current name.
    const Limits seed = decodeAreaName("MFFSSKJHB")->limits;
    EXPECT_EQ(nextRunLimits(seed, 7, 21, {}), decodeAreaName("MFFSSKJHBHV")->limits);
}

TEST(Selection, NextLimitsOfShiftedSelections) {
    // The shifts are added in another order than the name applies them, so
    // the two may part by the rounding of a few additions done at the
    // magnitude of the view shown: allow 4 units in the last place of that.
    const auto near = [](const Limits& a, const Limits& b, const Limits& shown) {
        const double scale = std::max({std::fabs(shown.xMin), std::fabs(shown.xMax),
                                       std::fabs(shown.yMin), std::fabs(shown.yMax)});
        const double tolerance = 4 * (std::nextafter(scale, 2 * scale) - scale);
        EXPECT_LE(std::fabs(a.xMin - b.xMin), tolerance);
        EXPECT_LE(std::fabs(a.xMax - b.xMax), tolerance);
        EXPECT_LE(std::fabs(a.yMin - b.yMin), tolerance);
        EXPECT_LE(std::fabs(a.yMax - b.yMax), tolerance);
    };
    const Limits start;
    const GridShift gMrK{1, 1, 2, 3};
    const Limits selected = nextRunLimits(start, 12, 10, gMrK);
    near(selected, decodeAreaName("gMrK")->limits, start);
    EXPECT_EQ(g15(selected.xMin), "-0.896265560165975");
    EXPECT_EQ(g15(selected.xMax), "-0.776265560165975");

    const Limits seed = decodeAreaName("MFFSSKJHB")->limits;
    near(nextRunLimits(seed, 12, 10, gMrK), decodeAreaName("MFFSSKJHBgMrK")->limits, seed);
    near(nextRunLimits(seed, 0, 24, {4, 0, 0, 4}), decodeAreaName("MFFSSKJHBeAuY")->limits, seed);

    // Cell A with the grid up and left: 48 pixel steps before the picture.
    const Limits a = nextRunLimits(start, 0, FirstLetterOnly, {0, 0, 2, 2});
    const double step = (1.0 - -2.0) / 723;
    EXPECT_EQ(a.xMin, -2.0 + step * -48);
    EXPECT_EQ(a.yMin, -1.5 + step * -48);
    EXPECT_EQ(a.xMax, a.xMin + 3.0 / 5);
    EXPECT_EQ(a.yMax, a.yMin + 3.0 / 5);
    near(a, decodeAreaName("aA")->limits, start);
    // The fine shift of a one-letter selection is not part of its limits.
    EXPECT_EQ(nextRunLimits(start, 0, FirstLetterOnly, {0, 0, 4, 4}), a);
}

TEST(Selection, ThumbnailOfASubCellIsAOneToOneCopy) {
    const QImage picture = distinctPicture();
    const QImage icona = sampleThumbnail(picture, chosenSquare(12, 10, {}));
    ASSERT_EQ(icona.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= 1 && x <= 30 && y >= 1 && y <= 30;
            // Pixels 1..30 are picture pixels 289..318 x 347..376.
            const QRgb want = inside ? sourceColour(288 + x, 346 + y) : Blank;
            ASSERT_EQ(icona.pixel(x, y), want) << x << "," << y;
        }
}

TEST(Selection, ThumbnailOfACellTakesEveryFifthPixel) {
    const QImage picture = distinctPicture();
    const QImage icona = sampleThumbnail(picture, chosenSquare(12, FirstLetterOnly, {}));
    ASSERT_EQ(icona.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool inside = x >= 1 && x <= 30 && y >= 1 && y <= 30;
            // From the frame line at 289 to the one at 434, every fifth.
            const QRgb want = inside ? sourceColour(289 + 5 * (x - 1), 289 + 5 * (y - 1)) : Blank;
            ASSERT_EQ(icona.pixel(x, y), want) << x << "," << y;
        }
}

TEST(Selection, ThumbnailLeavesPixelsOutsideThePictureBlank) {
    const QImage picture = distinctPicture();
    // Cell A shifted up and left: samples at -49 + 5m, inside from m = 10.
    const QImage corner = sampleThumbnail(picture, chosenSquare(0, FirstLetterOnly, {0, 0, 2, 2}));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int i = -49 + 5 * (x - 1), j = -49 + 5 * (y - 1);
            const bool inside = x >= 1 && x <= 30 && y >= 1 && y <= 30 && i >= 0 && j >= 0;
            ASSERT_EQ(corner.pixel(x, y), inside ? sourceColour(i, j) : Blank) << x << "," << y;
        }
    EXPECT_EQ(corner.pixel(10, 10), Blank);
    EXPECT_EQ(corner.pixel(11, 11), sourceColour(1, 1));

    // Cell Y shifted down and right: samples at 627 + 5m, inside up to m = 19.
    const QImage far = sampleThumbnail(picture, chosenSquare(24, FirstLetterOnly, {4, 4, 2, 2}));
    for (int y = 1; y <= 30; ++y)
        for (int x = 1; x <= 30; ++x) {
            const int i = 627 + 5 * (x - 1), j = 627 + 5 * (y - 1);
            const bool inside = i < PictureSize && j < PictureSize;
            ASSERT_EQ(far.pixel(x, y), inside ? sourceColour(i, j) : Blank) << x << "," << y;
        }
    EXPECT_EQ(far.pixel(20, 20), sourceColour(722, 722));
    EXPECT_EQ(far.pixel(21, 20), Blank);

    // A sub-cell across the right edge: Y, sub-cell E, coarse and fine right.
    const ChosenSquare edge = chosenSquare(24, 4, {4, 2, 4, 2});
    ASSERT_EQ(edge.x0, 580 + 48 + 10 + 116);
    const QImage sub = sampleThumbnail(picture, edge);
    for (int y = 1; y <= 30; ++y)
        for (int x = 1; x <= 30; ++x) {
            const int i = edge.x0 - 2 + x, j = edge.y0 - 2 + y;
            ASSERT_EQ(sub.pixel(x, y), i < PictureSize ? sourceColour(i, j) : Blank);
        }
}

// The marks of a chosen constant and the frame and thumbnail of a Julia zoom.
#include "julia/marks.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

// Every pixel's colour tells where it is, and none is black.
QRgb colourAt(int x, int y) {
    return qRgb(x & 255, y & 255, 128 + (x >> 8) * 4 + (y >> 8));
}

QImage positionPicture() {
    QImage picture(724, 724, QImage::Format_RGB32);
    for (int y = 0; y < 724; ++y)
        for (int x = 0; x < 724; ++x)
            picture.setPixel(x, y, colourAt(x, y));
    return picture;
}

} // namespace

TEST(Marks, CrossHairAndSmallFrameOnTheChosenPoint) {
    const ConstantMarks marks = constantMarks(100, 200);
    EXPECT_EQ(marks.juLinea[0], QLine(97, 200, 104, 200));
    EXPECT_EQ(marks.juLinea[1], QLine(100, 197, 100, 204));
    EXPECT_EQ(marks.quad2, QRect(85, 185, 30, 30));
    // Released off the picture, the marks go where the mouse is.
    EXPECT_EQ(constantMarks(-20, 800).quad2, QRect(-35, 785, 30, 30));
}

TEST(Marks, TheZoomFrameIsAFifthOfThePictureInsideItsBorder) {
    EXPECT_EQ(zoomFrame(100, 200), QRect(27, 127, 146, 146));
    EXPECT_EQ(zoomFrame(0, 723), QRect(-73, 650, 146, 146));
}

TEST(Marks, TheThumbnailSamplesEveryFourthPixelOfTheFramedMiddle) {
    const QImage picture = positionPicture();
    const QImage icona = zoomThumbnail(picture, 300, 400);
    ASSERT_EQ(icona.size(), QSize(32, 32));
    EXPECT_EQ(icona.pixel(0, 0), colourAt(237, 337));
    EXPECT_EQ(icona.pixel(31, 31), colourAt(361, 461));
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i)
            ASSERT_EQ(icona.pixel(i, j), colourAt(300 - 73 + 10 + 4 * i, 400 - 73 + 10 + 4 * j))
                << i << ", " << j;
}

TEST(Marks, ThumbnailSamplesOffThePictureAreBlack) {
    const QImage picture = positionPicture();
    // Samples at x = -53 + 4i and y = 657 + 4j: columns 0..13 and rows 17..31 miss.
    const QImage icona = zoomThumbnail(picture, 10, 720);
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i) {
            const int x = -53 + 4 * i, y = 657 + 4 * j;
            const bool on = x >= 0 && y <= 723;
            EXPECT_EQ(on, i >= 14 && j <= 16) << i << ", " << j;
            ASSERT_EQ(icona.pixel(i, j), on ? colourAt(x, y) : qRgb(0, 0, 0)) << i << ", " << j;
        }
    // Far away, nothing is sampled at all.
    const QImage none = zoomThumbnail(picture, -500, 2000);
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i)
            ASSERT_EQ(none.pixel(i, j), qRgb(0, 0, 0));
}

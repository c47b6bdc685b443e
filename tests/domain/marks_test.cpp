// The marks of a chosen constant and the frame and thumbnail of a Julia zoom.
#include "domain/marks.h"

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
    EXPECT_EQ(marks.crossHair[0], QLine(97, 200, 104, 200));
    EXPECT_EQ(marks.crossHair[1], QLine(100, 197, 100, 204));
    EXPECT_EQ(marks.frame, QRect(85, 185, 30, 30));
    // Released off the picture, the marks go where the mouse is.
    EXPECT_EQ(constantMarks(-20, 800).frame, QRect(-35, 785, 30, 30));
}

TEST(Marks, TheZoomFrameIsAFifthOfThePictureInsideItsBorder) {
    EXPECT_EQ(zoomFrame(100, 200), QRect(27, 127, 146, 146));
    EXPECT_EQ(zoomFrame(0, 723), QRect(-73, 650, 146, 146));
}

TEST(Marks, TheThumbnailSamplesEveryFourthPixelOfTheFramedMiddleAndBlackOffThePicture) {
    const QImage picture = positionPicture();
    // The click, and how many sample columns on the left and rows at the
    // bottom miss the picture: the samples lie at (x - 63 + 4 i, y - 63 + 4 j).
    const struct {
        int x, y, offLeft, offBottom;
    } cases[] = {{300, 400, 0, 0}, {10, 720, 14, 15}, {-500, 2000, 32, 32}};
    for (const auto& c : cases) {
        const QImage icona = zoomThumbnail(picture, c.x, c.y);
        ASSERT_EQ(icona.size(), QSize(32, 32));
        for (int j = 0; j < 32; ++j)
            for (int i = 0; i < 32; ++i) {
                const bool on = i >= c.offLeft && j < 32 - c.offBottom;
                ASSERT_EQ(icona.pixel(i, j),
                          on ? colourAt(c.x - 63 + 4 * i, c.y - 63 + 4 * j) : qRgb(0, 0, 0))
                    << c.x << "," << c.y << " at " << i << ", " << j;
            }
    }
}

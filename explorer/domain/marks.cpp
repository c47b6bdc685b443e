#include "domain/marks.h"

#include "domain/thumbnails.h"

namespace quorvane {

namespace {

constexpr int ZoomFrameSide = 146;
constexpr int FrameInside = ZoomFrameSide - 2;
// Samples as far apart as the thumbnail allows, centred in the frame.
constexpr int SampleStep = FrameInside / (ThumbnailSide - 1);
constexpr int SampleMargin = (FrameInside - (ThumbnailSide - 1) * SampleStep) / 2;
static_assert(SampleStep == 4 && SampleMargin == 10);

constexpr int ConstantFrameSide = 30;

} // namespace

ConstantMarks constantMarks(int x, int y) {
    const int half = ConstantFrameSide / 2;
    return {{QLine(x - 3, y, x + 4, y), QLine(x, y - 3, x, y + 4)},
            QRect(x - half, y - half, ConstantFrameSide, ConstantFrameSide)};
}

QRect zoomFrame(int x, int y) {
    const int half = ZoomFrameSide / 2;
    return QRect(x - half, y - half, ZoomFrameSide, ZoomFrameSide);
}

QImage zoomThumbnail(const QImage& picture, int x, int y) {
    QImage icona(ThumbnailSide, ThumbnailSide, QImage::Format_RGB32);
    icona.fill(Qt::black);
    const QPoint first = zoomFrame(x, y).topLeft() + QPoint(SampleMargin, SampleMargin);
    for (int j = 0; j < ThumbnailSide; ++j)
        for (int i = 0; i < ThumbnailSide; ++i) {
            const QPoint p = first + QPoint(SampleStep * i, SampleStep * j);
            if (picture.valid(p))
                icona.setPixel(i, j, picture.pixel(p));
        }
    return icona;
}

} // namespace quorvane

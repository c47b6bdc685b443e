#include "domain/thumbnails.h"

#include "exchange.h"

#include <memory>

namespace quorvane {

QImage blankThumbnail() {
    QImage blank(ThumbnailSide, ThumbnailSide, QImage::Format_RGB32);
    blank.fill(QColor(212, 208, 200));
    return blank;
}

QImage startViewThumbnail(const std::array<Colore, RampSize>& rampa) {
    constexpr int limit = 100;
    auto frequencies = std::make_unique<quorvane::Frequencies>();
    frequencies->fill(0);
    auto palette = std::make_unique<quorvane::Palette>();
    fillPalette(false, limit, *frequencies, rampa, *palette);
    QImage icon = blankThumbnail();
    for (int px = 0; px < 30; ++px) {
        for (int py = 0; py < 30; ++py) {
            const double cx = -2.0 + 3.0 * px / 29.0;
            const double cy = -1.5 + 3.0 * py / 29.0;
            double x = cx, y = cy;
            int n = 0;
            for (; n < limit; ++n) {
                const double xx = x * x, yy = y * y;
                if (!(xx + yy <= 4.0))
                    break;
                y = 2.0 * x * y + cy;
                x = xx - yy + cx;
            }
            icon.setPixel(px + 1, py + 1, toQRgb((*palette)[n]));
        }
    }
    return icon;
}

QImage placeThumbnail(const QImage& picture) {
    QImage thumbnail(ThumbnailSide, ThumbnailSide, QImage::Format_RGB32);
    // The samples keep the same five pixels from every edge of the picture.
    constexpr int first = 5, step = 23;
    static_assert(first + step * (ThumbnailSide - 1) == quor::DimScreen - 1 - first);
    for (int i = 0; i < ThumbnailSide; ++i)
        for (int j = 0; j < ThumbnailSide; ++j)
            thumbnail.setPixel(i, j, picture.pixel(first + step * i, first + step * j));
    return thumbnail;
}

} // namespace quorvane

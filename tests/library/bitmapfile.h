// Bitmap files read back by hand, field by field, apart from the code that
// writes them: the header fields and the pixels of an uncompressed 24-bit
// bitmap.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstdlib>

namespace quorvane::testing {

struct BitmapFile {
    QByteArray bytes;

    // The little-endian field of size bytes at offset; 0 past the end.
    std::uint32_t field(int offset, int size) const {
        if (offset < 0 || offset + size > bytes.size())
            return 0;
        std::uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = v << 8 | std::uint8_t(bytes[offset + i]);
        return v;
    }

    // The picture of an uncompressed 24-bit bitmap, rows stored bottom up
    // (or top down for a negative height) and padded to four bytes; a null
    // image for anything else or for a file cut short.
    QImage picture() const {
        if (bytes.size() < 54 || !bytes.startsWith("BM") || field(28, 2) != 24 || field(30, 4) != 0)
            return {};
        const int width = int(field(18, 4));
        const auto height = std::int32_t(field(22, 4));
        const int rows = std::abs(height);
        const qint64 rowBytes = (qint64(width) * 3 + 3) / 4 * 4;
        const qint64 start = field(10, 4);
        if (width <= 0 || rows == 0 || start + rowBytes * rows > bytes.size())
            return {};
        QImage image(width, rows, QImage::Format_RGB32);
        for (int y = 0; y < rows; ++y) {
            const qint64 row = start + rowBytes * (height > 0 ? rows - 1 - y : y);
            for (int x = 0; x < width; ++x) {
                const auto* p =
                    reinterpret_cast<const std::uint8_t*>(bytes.constData()) + row + 3 * qint64(x);
                image.setPixel(x, y, qRgb(p[2], p[1], p[0]));
            }
        }
        return image;
    }
};

} // namespace quorvane::testing

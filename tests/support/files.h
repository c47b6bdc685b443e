// Files for the library tests: whole-file reads and writes, thumbnails of
// one colour, a disk that is full on demand and bitmaps read back by hand.
#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <functional>

#include "fulldisk.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quorvane::testing {

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// Every entry of a folder, temporaries and folders included.
inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A 32 x 32 thumbnail of one colour.
inline QImage filled(QRgb colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A bitmap file read back field by field, apart from the code that writes
// it: an uncompressed 24-bit bitmap, rows bottom up and padded to four bytes.
struct BitmapFile {
    QByteArray bytes;

    // The little-endian field of size bytes at offset; 0 past the end.
    std::uint32_t field(int offset, int size) const {
        std::uint32_t v = 0;
        for (int i = size - 1; i >= 0 && offset + size <= bytes.size(); --i)
            v = v << 8 | std::uint8_t(bytes[offset + i]);
        return v;
    }

    // A null image for anything else or for a file cut short.
    QImage picture() const {
        const int width = int(field(18, 4)), height = int(field(22, 4));
        const qint64 start = field(10, 4), rowBytes = (qint64(width) * 3 + 3) / 4 * 4;
        if (!bytes.startsWith("BM") || field(28, 2) != 24 || field(30, 4) != 0 || width <= 0 ||
            height <= 0 || start + rowBytes * height > bytes.size())
            return {};
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + start +
                                rowBytes * (height - 1 - y) + 3 * qint64(x);
                image.setPixel(x, y, qRgb(p[2], p[1], p[0]));
            }
        return image;
    }
};

} // namespace quorvane::testing

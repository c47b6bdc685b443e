// The bitmap files Quorvane writes: thumbnails and exported pictures.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorvane {

constexpr int BmpHeaderBytes = 14 + 40; // file header and information header

// Bytes in one stored row of a 24-bit bitmap of this width: three per pixel,
// padded to a multiple of four.
constexpr qint64 bmpRowBytes(int width) {
    return (qint64(width) * 3 + 3) / 4 * 4;
}

// The image as an uncompressed 24-bit bitmap: blue, green, red per pixel,
// rows from the bottom up, no colour table, no resolution.
QByteArray bmpBytes(const QImage& image);

// The same in pieces, for a picture too large to be held twice: the header
// of a width x height bitmap, then each stored row (bmpRowBytes) of an image
// in Format_RGB888, the bottom row first.
QByteArray bmpHeader(int width, int height);
void bmpRow(const QImage& rgb888, int y, char* out);

} // namespace quorvane

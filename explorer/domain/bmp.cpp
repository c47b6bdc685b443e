#include "domain/bmp.h"

namespace quorvane {

namespace {

void put16(char*& at, quint16 v) {
    for (int i = 0; i < 2; ++i)
        *at++ = char((v >> (8 * i)) & 0xff);
}

void put32(char*& at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        *at++ = char((v >> (8 * i)) & 0xff);
}

} // namespace

QByteArray bmpBytes(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width(), height = rgb.height();
    const qint64 rowBytes = bmpRowBytes(width);
    const qint64 pixelBytes = rowBytes * height;
    QByteArray bytes(BmpHeaderBytes + pixelBytes, '\0');

    char* at = bytes.data();
    *at++ = 'B';
    *at++ = 'M';
    put32(at, quint32(bytes.size()));
    put32(at, 0); // reserved
    put32(at, BmpHeaderBytes);
    put32(at, 40);
    put32(at, quint32(width));
    put32(at, quint32(height)); // positive: the bottom row comes first
    put16(at, 1);               // planes
    put16(at, 24);              // bits per pixel
    put32(at, 0);               // no compression
    put32(at, quint32(pixelBytes));
    put32(at, 0); // horizontal resolution
    put32(at, 0); // vertical resolution
    put32(at, 0); // colours used
    put32(at, 0); // important colours

    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(height - 1 - y));
        char* row = bytes.data() + BmpHeaderBytes + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            *row++ = char(qBlue(line[x]));
            *row++ = char(qGreen(line[x]));
            *row++ = char(qRed(line[x]));
        }
    }
    return bytes;
}

} // namespace quorvane

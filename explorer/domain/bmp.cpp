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

QByteArray bmpHeader(int width, int height) {
    QByteArray header(BmpHeaderBytes, '\0');
    const qint64 pixelBytes = bmpRowBytes(width) * height;
    char* at = header.data();
    *at++ = 'B';
    *at++ = 'M';
    put32(at, quint32(BmpHeaderBytes + pixelBytes));
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
    return header;
}

void bmpRow(const QImage& rgb888, int y, char* out) {
    const uchar* in = rgb888.constScanLine(y);
    const int width = rgb888.width();
    for (int x = 0; x < width; ++x, in += 3) {
        *out++ = char(in[2]);
        *out++ = char(in[1]);
        *out++ = char(in[0]);
    }
    for (qint64 pad = bmpRowBytes(width) - 3 * qint64(width); pad > 0; --pad)
        *out++ = 0;
}

QByteArray bmpBytes(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width(), height = rgb.height();
    const qint64 rowBytes = bmpRowBytes(width);
    QByteArray bytes = bmpHeader(width, height);
    bytes.resize(BmpHeaderBytes + rowBytes * height);
    for (int y = 0; y < height; ++y)
        bmpRow(rgb, height - 1 - y, bytes.data() + BmpHeaderBytes + y * rowBytes);
    return bytes;
}

} // namespace quorvane

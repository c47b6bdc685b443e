// Makes the icon of Quorvane: the start view as the window first shows it
// (X -2 to 1, Y -1.5 to 1.5, iteration limit 100, linear palette), computed
// by the plain kernel and painted through the window's palette, then scaled
// down to each icon size. Usage: makeicon <folder> <side>...
#include "domain/palette.h"
#include "domain/thumbnails.h"
#include "kernel.h"

#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: makeicon <folder> <side>...\n");
        return 2;
    }
    using namespace quorvane;
    const quor::TableJob job; // the start view at limit 100
    std::vector<std::uint32_t> table(std::size_t(quor::DimScreen) * quor::DimScreen);
    quor::plainTable(job, table.data());

    auto frequenze = std::make_unique<Frequencies>();
    frequenze->fill(0);
    auto palette = std::make_unique<Palette>();
    fillPalette(false, int(job.nmax), *frequenze, rampColours(rgb(0, 0, 0)), *palette);

    QImage view(quor::DimScreen, quor::DimScreen, QImage::Format_RGB32);
    for (int row = 0; row < quor::DimScreen; ++row)
        for (int column = 0; column < quor::DimScreen; ++column)
            view.setPixel(column, row,
                          toQRgb((*palette)[table[std::size_t(column) * quor::DimScreen + row]]));

    for (int i = 2; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        const QString file =
            QStringLiteral("%1/quorvane-%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(side);
        if (side <= 0 || !view.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .save(file, "PNG")) {
            std::fprintf(stderr, "makeicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

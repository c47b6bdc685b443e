#include "domain/areaname.h"

#include "domain/cells.h"

namespace quorvane {

namespace {

bool isZoomLetter(char16_t c) {
    return c >= u'A' && c <= u'Y';
}
bool isShiftLetter(char16_t c) {
    return c >= u'a' && c <= u'y';
}

} // namespace

bool isAreaName(const QString& name) {
    if (name == QLatin1String("Z"))
        return true;
    if (name.isEmpty() || name.size() > MaxAreaNameLength)
        return false;
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (!isZoomLetter(c) && !isShiftLetter(c))
            return false;
    }
    return true;
}

QString nameAfterRun(const QString& riquadroCorrente, const QString& riquadro) {
    const QString current = riquadroCorrente == QLatin1String("Z") ? QString() : riquadroCorrente;
    if (current.isEmpty() && riquadro.isEmpty())
        return QStringLiteral("Z");
    return current + riquadro;
}

std::optional<DecodedArea> decodeAreaName(const QString& name) {
    if (!isAreaName(name))
        return std::nullopt;

    double xa = -2.0, xb = 1.0, ya = -1.5, yb = 1.5, zoom = 1.0;
    if (name != QLatin1String("Z")) {
        for (const QChar ch : name) {
            const char16_t c = ch.unicode();
            if (isZoomLetter(c)) {
                const int k = c - u'A';
                const int col = k % 5, row = k / 5;
                const double step = (xb - xa) / PictureSteps;
                const double fifth = (xb - xa) / 5;
                // The cell pitch is 145 pixels, so the sub-square starts a little
                // past k fifths of the side; the Y side reuses the X width.
                xa = xa + step * (col * CellPitch);
                xb = xa + fifth;
                ya = ya + step * (row * CellPitch);
                yb = ya + fifth;
                zoom = zoom * 25;
            } else {
                const int k = c - u'a';
                const int col = k % 5, row = k / 5;
                const double step = (xb - xa) / PictureSteps;
                xa = xa + step * Spostamenti[1][col];
                xb = xb + step * Spostamenti[1][col];
                ya = ya + step * Spostamenti[1][row];
                yb = yb + step * Spostamenti[1][row];
            }
        }
    }

    DecodedArea area;
    area.limits = {xa, xb, ya, yb};
    area.zoom = zoom;
    return area;
}

std::optional<AreaName> AreaName::from(const QString& name) {
    if (!isAreaName(name))
        return std::nullopt;
    return AreaName(name);
}

DecodedArea AreaName::decoded() const {
    return *decodeAreaName(name);
}

AreaName AreaName::shortened(int n) const {
    const QString prefix = name.left(name.size() - n);
    return prefix.isEmpty() ? AreaName() : AreaName(prefix);
}

} // namespace quorvane

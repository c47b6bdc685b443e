#include "navigation/areaname.h"

namespace quorvane {

namespace {

// Coarse shift offsets in pixel steps of a view, by shift position 0..4; the
// same values the grid uses, repeated here so that decoding stands alone.
constexpr int ShiftSteps[5] = {-48, -24, 0, 24, 48};

bool isZoomLetter(char16_t c) { return c >= u'A' && c <= u'Y'; }
bool isShiftLetter(char16_t c) { return c >= u'a' && c <= u'y'; }

} // namespace

bool isAreaName(const QString& name)
{
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

std::optional<DecodedArea> decodeAreaName(const QString& name)
{
    if (!isAreaName(name))
        return std::nullopt;

    double xa = -2.0, xb = 1.0, ya = -1.5, yb = 1.5, zoom = 1.0;
    if (name != QLatin1String("Z")) {
        for (const QChar ch : name) {
            const char16_t c = ch.unicode();
            if (isZoomLetter(c)) {
                const int k = c - u'A';
                const int col = k % 5, row = k / 5;
                const double step = (xb - xa) / 723;
                const double fifth = (xb - xa) / 5;
                // The cell pitch is 145 pixels, so the sub-square starts a little
                // past k fifths of the side; the Y side reuses the X width.
                xa = xa + step * (col * 145);
                xb = xa + fifth;
                ya = ya + step * (row * 145);
                yb = ya + fifth;
                zoom = zoom * 25;
            } else {
                const int k = c - u'a';
                const int col = k % 5, row = k / 5;
                const double step = (xb - xa) / 723;
                xa = xa + step * ShiftSteps[col];
                xb = xb + step * ShiftSteps[col];
                ya = ya + step * ShiftSteps[row];
                yb = yb + step * ShiftSteps[row];
            }
        }
    }

    DecodedArea area;
    area.limits = {xa, xb, ya, yb};
    area.zoom = zoom;
    return area;
}

} // namespace quorvane

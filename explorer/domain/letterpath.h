// The letters of an area name followed from the start view one by one, as
// `CalcolaLimiti` does, in whatever arithmetic the caller needs: doubles for
// today's views, rationals for the exact view a name stands for. One recipe,
// so that the two can only differ by the rounding of doubles.
#pragma once

#include "domain/cells.h"
#include "domain/limits.h"

#include <QString>

namespace quorvane {

template <class Number> struct Corners { Number xa, xb, ya, yb; };

inline bool isZoomLetter(char16_t c) {
    return c >= u'A' && c <= u'Y';
}
inline bool isShiftLetter(char16_t c) {
    return c >= u'a' && c <= u'y';
}

// The corners after the letters of name (every character "A".."Y" or
// "a".."y"; "Z" is the start view and has none).
template <class Number> Corners<Number> followLetters(const QString& name, Corners<Number> v) {
    if (name == QLatin1String("Z"))
        return v;
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        const bool zoom = isZoomLetter(c);
        const int k = zoom ? c - u'A' : c - u'a';
        const int col = k % 5, row = k / 5;
        const Number step = (v.xb - v.xa) / PictureSteps;
        if (zoom) {
            // The cell pitch is 145 pixels, so the sub-square starts a little
            // past k fifths of the side; the Y side reuses the X width.
            const Number fifth = (v.xb - v.xa) / 5;
            v.xa = v.xa + step * (col * CellPitch);
            v.xb = v.xa + fifth;
            v.ya = v.ya + step * (row * CellPitch);
            v.yb = v.ya + fifth;
        } else {
            v.xa = v.xa + step * Spostamenti[1][col];
            v.xb = v.xb + step * Spostamenti[1][col];
            v.ya = v.ya + step * Spostamenti[1][row];
            v.yb = v.yb + step * Spostamenti[1][row];
        }
    }
    return v;
}

} // namespace quorvane

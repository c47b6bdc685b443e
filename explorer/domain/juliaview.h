// Julia mode's arithmetic: points of the plane under the mouse, the constant
// read back from its text boxes, the Julia view with its zoom, and the job
// that has QuorC compute a Julia picture.
#pragma once

#include "domain/limits.h"
#include "exchange.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace quorvane {

struct PlanePoint {
    double x = 0.0, y = 0.0;
    bool operator==(const PlanePoint&) const = default;
};

// The point under the picture position (x, y) of a picture with these limits:
// column 0 is xMin and column 723 xMax, row 0 is yMin and row 723 yMax. The
// product is formed before the division.
PlanePoint planePoint(const Limits& limits, double x, double y);

// A mouse position on the picture itself (0 <= x, y < 724).
bool insidePicture(double x, double y);

// One part of the constant from the text of `XXJU` or `YYJU`: every comma
// becomes a period and the leading number is read in the C form, whatever the
// C library's locale; a text without one gives 0. A text with characters
// outside ASCII (a minus sign U+2212, digits of another script, an exponent
// like "×10^") is first brought to the C form as `locale` writes numbers, so
// that a box written for the user reads back as the same constant.
double constantPart(const QString& text, const QLocale& locale = QLocale());
PlanePoint readConstant(const QString& xxju, const QString& yyju,
                        const QLocale& locale = QLocale());

// The square a Julia run computes (`XMinJu`..`YMaxJu`) and its zoom factor,
// the number `JuliaZoom` shows.
struct JuliaView {
    Limits limits{-1.6, 1.6, -1.6, 1.6};
    double zoom = 1.0;
    bool operator==(const JuliaView&) const = default;
};

// A click at (x, y) on the picture of `view`: a square five times narrower
// centred on the point clicked, with the half side taken from the width for
// both axes, and 25 times the zoom factor. Nothing when the new sample
// spacing would vanish against the centre in double precision.
std::optional<JuliaView> zoomedJuliaView(const JuliaView& view, double x, double y);

// The engine job for the Julia set of c over `view`.
quor::Job juliaJob(const Limits& view, int iterMax, const PlanePoint& c);

} // namespace quorvane

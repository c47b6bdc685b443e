// Views in exact arithmetic. A name's view is derived in rationals by the
// recipe of `CalcolaLimiti` (the denominators are products of 723 and 5, so
// the numbers stay small), and the window decides by it whether QuorC's
// double kind still samples that view or the deep kind must compute it.
// GMP's rationals are exact, and GMP is already a dependency of the
// package through QuorC's deep views.
#pragma once

#include "domain/areaname.h"
#include "domain/juliaview.h"
#include "domain/view.h"
#include "job.h"

#include <QLocale>
#include <QString>
#include <array>
#include <gmpxx.h>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

struct ExactLimits {
    mpq_class xMin{-2}, xMax{1}, yMin{-3, 2}, yMax{3, 2};
    bool operator==(const ExactLimits&) const = default;
};

// The view a name stands for, letter by letter in rationals.
ExactLimits exactLimits(const AreaName& name);

// The rule between the two kinds. True when the double job of these limits
// samples every column and every row within a thousandth of a pixel step of
// the exact view's positions: QuorC's type 0 places column j at X Min + j dx
// by repeated addition of dx = (X Max - X Min) / 723 in doubles, and rows
// likewise, from the very doubles the job file carries. Evaluated exactly
// (every double is a rational); limits that no job line can carry fail it.
bool doublesResolve(const Limits& doubles, const ExactLimits& exact);

// The doubles nearest the exact limits.
Limits nearestDoubles(const ExactLimits& exact);

// A plain decimal ("-1.25", ".5", "3."), exactly.
mpq_class decimalValue(std::string_view text);
// v rounded to the nearest multiple of 10^-places (halves away from zero),
// as a plain decimal without trailing zeros after the point.
std::string decimalText(const mpq_class& v, long places);

// The deep job's limits: plain decimals rounded some 20 places below the
// pixel step, so that the rounding moves no sample by more than about
// 10^-20 of a step.
quor::DeepLimits deepLimits(const ExactLimits& exact);

// A point of the plane exactly, with the binary digits that place it
// within 2^-20 of a pixel step of the view it was picked on.
struct ExactPoint {
    mpq_class x, y;
    long bits = 64;
    bool operator==(const ExactPoint&) const = default;
};

// The point of sample (column, row) of the exact view.
ExactPoint exactSample(const ExactLimits& exact, int column, int row);
// The same, rounded to doubles.
PlanePoint exactPlanePoint(const ExactLimits& exact, int column, int row);
// The exact point of a sample of a deep view; nothing for a view doubles
// resolve, whose points are today's doubles.
std::optional<ExactPoint> deepSample(const View& view, int column, int row);

// The four limits as the boxes show them: the significant digits it takes
// to tell X Min from X Max and Y Min from Y Max, never fewer than digits,
// in the user's locale and in the form of `numberText`.
std::array<QString, 4> exactLimitTexts(const ExactLimits& exact, int digits,
                                       const QLocale& locale = QLocale());

// v with `digits` significant digits, as `numberText` writes a double.
QString exactNumberText(const mpq_class& v, int digits, const QLocale& locale = QLocale());

} // namespace quorvane

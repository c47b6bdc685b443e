// A view of the plane: its area name, its limits and its zoom factor, and
// how QuorC computes it. The one type a view travels in.
#pragma once

#include "domain/areaname.h"
#include "domain/juliaview.h"
#include "domain/limits.h"

#include <QLocale>
#include <QString>
#include <array>

namespace quorvane {

struct View {
    AreaName name;
    // Today's limits in doubles; for a deep view the doubles nearest the
    // exact ones.
    Limits limits = StartView;
    double zoom = 1.0;
    // Computed by QuorC's deep kind from the name's exact limits: the double
    // kind would no longer sample the view the name stands for.
    bool deep = false;
    bool operator==(const View&) const = default;

    // The view a name stands for (`CalcolaLimiti`).
    static View of(const AreaName& name);
    // The view of name reached by doubles: today's arithmetic gave it these
    // limits, which stay while they resolve the name's view.
    static View reached(const AreaName& name, const Limits& doubles, double zoom);

    // The engine job that computes this view with the iteration limit nmax.
    EngineJob job(int nmax) const;
    // The point under sample (column, row), in doubles.
    PlanePoint pointAt(int column, int row) const;
};

// The texts of the four limits in the boxes: fifteen significant digits
// while doubles resolve the view, else as many as it takes to tell each
// maximum from its minimum.
std::array<QString, 4> limitTexts(const View& view, const QLocale& locale = QLocale());

} // namespace quorvane

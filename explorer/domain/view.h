// A view of the plane: its area name, its limits and its zoom factor. The
// one type a view travels in, so that a view finer than doubles resolve has
// one place to grow.
#pragma once

#include "domain/areaname.h"
#include "domain/limits.h"

namespace quorvane {

struct View {
    AreaName name;
    Limits limits = StartView;
    double zoom = 1.0;
    bool operator==(const View&) const = default;

    // The view a name stands for (`CalcolaLimiti`).
    static View of(const AreaName& name) {
        const DecodedArea area = name.decoded();
        return {name, area.limits, area.zoom};
    }
    // The engine job that computes this view with the iteration limit nmax.
    quor::Job job(int nmax) const { return viewJob(quor::Quorvane, limits, nmax); }
};

} // namespace quorvane

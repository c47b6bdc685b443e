// The four limits of a view: the real parts of columns 0 and 723 and the
// imaginary parts of rows 0 (top) and 723 (bottom).
#pragma once

#include "exchange.h"
#include "job.h"

#include <variant>

namespace quorvane {

// Samples per side of every picture.
constexpr int DimScreen = quor::DimScreen;
// Pixel steps from the first column (row) of a picture to the last: both
// ends are samples, so a view's width divided by this is one pixel.
constexpr int PictureSteps = DimScreen - 1;

struct Limits {
    double xMin = -2.0, xMax = 1.0, yMin = -1.5, yMax = 1.5;
    bool operator==(const Limits&) const = default;
};

// The start view "Z": the whole set in a 3 x 3 square.
inline constexpr Limits StartView{};

// The engine job of type tipo over view with the iteration limit nmax.
inline quor::Job viewJob(int tipo, const Limits& view, int nmax) {
    quor::Job job;
    job.tipo = tipo;
    job.xa = view.xMin;
    job.xb = view.xMax;
    job.ya = view.yMin;
    job.yb = view.yMax;
    job.nmax = nmax;
    return job;
}

// What QuorC is given to compute: a picture in doubles (types 0 and 1), or
// a deep view (type 3) with its limits as exact decimals.
using EngineJob = std::variant<quor::Job, quor::DeepJob>;

// The iteration limit of a job of either kind.
inline int jobLimit(const EngineJob& job) {
    return std::visit([](const auto& j) { return int(j.nmax); }, job);
}

} // namespace quorvane

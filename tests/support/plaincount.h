// The count of one sample as the algorithm is written, one step after
// another in doubles, apart from the engine's code.
#pragma once

#include "exchange.h"

namespace quorvane::testing {

// The count of the sample (x0, y0) of job (type 0 or 1, its limit and, for
// Julia, its constant).
inline int plainCount(const quor::Job& job, double x0, double y0) {
    const bool julia = job.tipo == quor::Julia;
    double x = x0, y = y0;
    for (int n = 0; n < int(job.nmax); ++n) {
        const double xx = x * x, yy = y * y;
        if (!(xx + yy <= 4.0))
            return n;
        y = (2.0 * x) * y + (julia ? job.yj : y0);
        x = xx - yy + (julia ? job.xj : x0);
    }
    return int(job.nmax);
}

} // namespace quorvane::testing

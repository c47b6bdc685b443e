// The reference kernels: the escape-time loop exactly as the engine has
// always run it. Every sample starts from scratch; the coordinates advance by
// repeated addition, never by multiplication, and the count of a sample is
// the number of steps before its iterate first lies outside the circle of
// radius 2.
#include "kernel.h"

namespace quor {

void sampleCoordinates(double a, double b, double* out) {
    const double d = (b - a) / 723.0;
    double v = a;
    for (int k = 0; k < DimScreen; ++k) {
        out[k] = v;
        v = v + d;
    }
}

namespace {

// The two kernels differ only in the constant added at each step: the sample
// itself for the Quorvane set, the job's constant for a Julia set.
template <bool JuliaSet>
TableEnd nucleo(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report) {
    const std::uint32_t nmax = job.nmax;
    const double dx = (job.xb - job.xa) / 723.0;
    const double dy = (job.yb - job.ya) / 723.0;
    double x0 = job.xa;
    for (unsigned j = 0; j < DimScreen; ++j) {
        std::uint32_t* column = Tabella + static_cast<std::size_t>(j) * DimScreen;
        double y0 = job.ya;
        for (unsigned i = 0; i < DimScreen; ++i) {
            const double cx = JuliaSet ? job.xj : x0;
            const double cy = JuliaSet ? job.yj : y0;
            double x = x0;
            double y = y0;
            std::uint32_t n = 0;
            column[i] = nmax;
            while (n < nmax) {
                const double xx = x * x;
                const double yy = y * y;
                // Written so that a sum that is not a number escapes too.
                if (!(xx + yy <= 4.0)) {
                    column[i] = n;
                    break;
                }
                y = (2.0 * x) * y + cy;
                x = xx - yy + cx;
                ++n;
            }
            y0 = y0 + dy;
        }
        if (report && report(j))
            return {j + 1, true};
        x0 = x0 + dx;
    }
    return {DimScreen, false};
}

} // namespace

TableEnd quor_nucleo(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report) {
    return nucleo<false>(job, Tabella, report);
}

TableEnd julia_nucleo(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report) {
    return nucleo<true>(job, Tabella, report);
}

TableEnd plainTable(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report) {
    return job.tipo == Quorvane ? quor_nucleo(job, Tabella, report)
                                : julia_nucleo(job, Tabella, report);
}

} // namespace quor

// Views deeper than doubles resolve (job type 3). One orbit, the reference,
// is computed in high precision once per job and stored in doubles; every
// sample follows it as its difference from it, in doubles:
//
//   W(0) = 0, W(k+1) = W(k)^2 + C   (the reference, parameter C)
//   w(k) = W(m) + d,   d' = (2 W(m) + d) d + dc,   m' = m + 1
//
// with dc = c - C the sample's offset. The engine's count (z starts at c)
// is the first k >= 1 with |w(k)|^2 > 4, minus one, or the limit. When the
// full value w comes nearer zero than d itself (|w| < |d|), or the stored
// reference ends, the sample is rebased: d takes the full value and m goes
// back to 0 (W(0) = 0), so the difference never grows into a glitch and one
// reference serves every sample.
#pragma once

#include "deep_lanes.h"
#include "job.h"
#include "kernel.h"

#include <cstdint>
#include <vector>

namespace quor {

// The reference orbit W(0) ... W(size - 1) in doubles. A periodic reference
// (a periodic point, or an orbit whose stored doubles repeat) goes on after
// its last entry with W(wrap); any other one ends there.
struct Reference {
    std::vector<double> x, y;
    bool periodic = false;
    std::size_t wrap = 0;
    // How far the exact orbit's value after the last entry lies from
    // W(wrap), which stands for it (a bound, for the interior test).
    double wrapDefect = 0.0;
    std::size_t size() const { return x.size(); }
};

// The first steps of every sample skipped at once (series approximation):
// while the differences are small, d after `steps` steps is a polynomial in
// dc, P(u) = b1 u + ... + bK u^K with u = dc / scale, built along the
// reference for every |dc| <= scale (the largest offset of the picture)
// together with a bound R on what the terms beyond K add. The series is
// taken as far as R stays within epsilon |b1|: the truncation then moves
// each sample by less than epsilon times the picture's largest offset, and
// no sample can escape or be rebased within the skipped steps.
struct Series {
    std::size_t steps = 0; // 0: nothing is skipped
    std::size_t index = 0; // the place on the reference after them
    double scale = 0.0;
    // b1 .. bK as doubles, and the first `wide` of them again in extended
    // precision: they are evaluated so, the rest, which together weigh at
    // most 2^-12 of b1, in doubles.
    std::vector<double> nearx, neary;
    std::vector<long double> bx, by;
    std::size_t wide = 0;
    double remainder = 0.0; // R after the steps
    double epsilon = 0.0;
};

// Whole periods skipped at a return. With a periodic reference every
// sample comes back to W(wrap) once a period, and from there its next p
// steps, as long as its difference a stays small, are a polynomial in a and
// dc: Q(u, v) = sum of q(i, j) u^i v^j over 1 <= i + j <= degree, with
// u = a / radius and v = dc / scale, built along one period of the
// reference for every |a| <= radius and |dc| <= scale, together with a
// bound on what the dropped terms add. A sample that returns with
// |ax| + |ay| <= radius takes Q at once instead of the period's steps: no
// sample in that disc escapes or is rebased within them, and the
// truncation moves it by less than epsilon times the picture's largest
// offset, as the first steps' series does.
struct Period {
    static constexpr int MaxDegree = 15;
    std::size_t steps = 0; // the period p; 0: nothing is skipped
    double radius = 0.0;
    double scale = 0.0;
    int degree = 0;
    int stride = 1; // 2: the terms of odd i are all zero
    // q(i, j) at i * (degree + 1) + j, in extended precision; zero where
    // i + j is 0 or past degree.
    std::vector<long double> qx, qy;
    double remainder = 0.0; // the bound after the period
    double epsilon = 0.0;
};

// The tolerance: the series' truncation is worth no more than moving a
// sample by 2^-53 of the picture's largest offset, which is what rounding
// that offset to a double may already do.
constexpr double SeriesEpsilon = 0x1p-53;

// Everything the samples need: the reference and each column's and row's
// offset from its parameter C, each rounded to a double once from the exact
// sample position X Min + j (X Max - X Min) / 723 (and the same for rows).
struct DeepView {
    Reference reference;
    Series series;
    Period periods; // whole periods skipped at the returns
    double dcx[DimScreen];
    double dcy[DimScreen];
    // How the reference was found, for the benchmarks and the tests.
    bool nucleus = false; // a periodic point of the view (else its centre)
    unsigned period = 0;  // the periodic point's period
    long precision = 0;   // bits of the high-precision arithmetic
};

// Builds view.series for its reference and offsets with tolerance epsilon,
// for a run to at most nmax steps.
void buildSeries(DeepView& view, std::uint32_t nmax, double epsilon = SeriesEpsilon);

// Builds view.periods for its periodic reference, with the largest radius
// for which the truncation stays within epsilon (nothing for a reference
// that is not periodic, or a period too long to repeat before nmax).
void buildPeriod(DeepView& view, std::uint32_t nmax, double epsilon = SeriesEpsilon);

// At a sample's return to W(wrap): takes whole periods by the polynomial
// while its difference lies in the period's disc. True when the sample is
// finished: a period that would pass the limit is one in which it cannot
// escape, so its count is the limit.
bool skipPeriods(const Period& period, deeplanes::Lane& lane, std::uint32_t nmax,
                 std::uint32_t& count);

// Computes the reference, the offsets and the series of a deep job (the
// first two in high precision). Without periodicPoint the view's centre is
// the reference (to compare the two in tests and benchmarks).
void prepareDeepView(const DeepJob& job, DeepView& view, bool periodicPoint = true);

// A sample at its start: after the series' steps when series is set, else
// at the start of the reference.
deeplanes::Lane startLane(const Series* series, double dcx, double dcy);
// The same with the difference after the series' steps already evaluated
// (by seriesStarts).
deeplanes::Lane startLane(const Series& series, double dcx, double dcy, double dx, double dy);
// The differences after the series' steps of n samples of one column (the
// same as startLane gives them, a few at a time so that their evaluations
// overlap).
void seriesStarts(const Series& series, double dcx, const double* dcy, int n, double* dx,
                  double* dy);

// Takes one step of a sample: its escape and limit tests, then a rebase if
// due, the step and, at a return to W(wrap), the interior test. Rebased
// (only when leave is set): the sample was rebased and has not stepped yet.
enum class Step { On, Finished, Rebased };
Step stepLane(const Reference& reference, deeplanes::Lane& lane, std::uint32_t nmax, bool interior,
              bool leave, std::uint32_t& count, const Period* period = nullptr);

// The count of one sample, its offset (dcx, dcy) from the reference's
// parameter, one step after another: the plain algorithm that the lanes
// are tested against. With interior, a sample whose return to W(wrap) is
// proven to stay in a disc that it maps into itself gets the limit at once
// (see deep_lanes.h). steps, if set, grows by the steps taken. With series
// (not null), the series' steps are skipped; with period, whole periods
// at the returns.
std::uint32_t deepCount(const Reference& reference, double dcx, double dcy, std::uint32_t nmax,
                        bool interior, std::uint64_t* steps = nullptr,
                        const Series* series = nullptr, const Period* period = nullptr);

struct DeepOptions {
    unsigned threads = 0; // 0: one per hardware thread
    // The interior test (off only to show that it changes no count, and to
    // measure what it saves).
    bool interior = true;
    std::uint64_t* steps = nullptr; // receives the steps of all samples
    bool skip = true;               // skip the series' steps and whole periods
    Isa isa = bestIsa();            // the lanes
};

// The table of a deep job, with progress and stop as fastTable: report is
// called in column order with the last column of the complete prefix.
TableEnd deepTable(const DeepJob& job, std::uint32_t* Tabella, const ColumnReport& report = {},
                   const DeepOptions& options = {});
// The same for a view already prepared.
TableEnd deepTable(const DeepView& view, std::uint32_t nmax, std::uint32_t* Tabella,
                   const ColumnReport& report = {}, const DeepOptions& options = {});

} // namespace quor

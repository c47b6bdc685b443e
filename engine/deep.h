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
    std::size_t size() const { return x.size(); }
};

// Skips along the reference (bilinear approximation): while the difference d
// is small beside W, its square is negligible and a run of steps from m is a
// linear map d -> A d + B dc. Node j of level l covers the 2^l steps from
// m = 1 + j 2^l (step 0, from W(0) = 0, is never linear) and holds A, B and
// the radius r below which |d| keeps every step of the run within the
// tolerance: |d|^2 <= epsilon |2 W d| at each, for every offset |dc| of the
// picture. A run never skips a W with |W| near 2, so that no escape can
// hide inside it.
struct Skip {
    double ax, ay, bx, by;
    double r2; // the radius squared; 0 where the run must not be skipped
};

struct Skips {
    std::vector<std::vector<Skip>> levels; // levels[l][j]
    double epsilon = 0.0;
};

// The tolerance: a skipped step drops d^2 only where it is below 2^-53 of
// the step's 2 W d, so a skip changes the difference by no more than the
// rounding of the step itself.
constexpr double SkipEpsilon = 0x1p-53;

// Everything the samples need: the reference and each column's and row's
// offset from its parameter C, each rounded to a double once from the exact
// sample position X Min + j (X Max - X Min) / 723 (and the same for rows).
struct DeepView {
    Reference reference;
    Skips skips;
    double dcx[DimScreen];
    double dcy[DimScreen];
    // How the reference was found, for the benchmarks and the tests.
    bool nucleus = false; // a periodic point of the view (else its centre)
    unsigned period = 0;  // the periodic point's period
    long precision = 0;   // bits of the high-precision arithmetic
};

// Builds view.skips for its reference and offsets with tolerance epsilon.
void buildSkips(DeepView& view, double epsilon = SkipEpsilon);

// Computes the reference, the offsets and the skips of a deep job (the first
// two in high precision).
// Without periodicPoint the view's centre is the reference (to compare the
// two in tests and benchmarks).
void prepareDeepView(const DeepJob& job, DeepView& view, bool periodicPoint = true);

// The count of one sample, its offset (dcx, dcy) from the reference's
// parameter. With interior, a sample whose state (m, d) comes back bit for
// bit to one it had before repeats for ever and is given the limit at once:
// the count is the same either way. steps, if set, grows by the steps taken.
// With skips (not null), runs of steps are skipped where they are linear,
// from the start until the difference has outgrown them; then every step is
// taken. A skip may pass the limit, and the sample then keeps the limit.
// steps counts a skip as one step.
std::uint32_t deepCount(const Reference& reference, double dcx, double dcy, std::uint32_t nmax,
                        bool interior, std::uint64_t* steps = nullptr,
                        const Skips* skips = nullptr);

// The state of one sample: its difference d, its place m on the reference,
// its steps k (a skip counts as many as it skips), the transitions taken,
// and the state saved for the interior shortcut.
struct DeepLane {
    double dx = 0.0, dy = 0.0; // w(0) = W(0) + 0
    std::uint64_t m = 0, k = 0, taken = 0;
    std::uint64_t save = 1, sm = 0, sx = 0, sy = 0;
};

// Advances a sample: with skips, until it is finished or the first step is
// taken in full from m >= 1 (false: the steps go on without skips); without,
// until it is finished. Finished: count is its count.
bool advance(const Reference& reference, const Skips* skips, double dcx, double dcy,
             std::uint32_t nmax, bool interior, DeepLane& lane, std::uint32_t& count);

struct DeepOptions {
    unsigned threads = 0; // 0: one per hardware thread
    // Find samples whose state repeats (off only to show that it changes
    // no count, and to measure what it saves).
    bool interior = true;
    std::uint64_t* steps = nullptr; // receives the steps of all samples
    bool skip = true;               // skip the linear runs along the reference
    Isa isa = bestIsa();            // the lanes of the steps after the skips
};

// The table of a deep job, with progress and stop as fastTable: report is
// called in column order with the last column of the complete prefix.
TableEnd deepTable(const DeepJob& job, std::uint32_t* Tabella, const ColumnReport& report = {},
                   const DeepOptions& options = {});
// The same for a view already prepared.
TableEnd deepTable(const DeepView& view, std::uint32_t nmax, std::uint32_t* Tabella,
                   const ColumnReport& report = {}, const DeepOptions& options = {});

} // namespace quor

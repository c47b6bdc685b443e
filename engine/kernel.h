// The escape-time kernels. Tables are stored column by column,
// Tabella[column * DimScreen + row], the order in which "Tab.tmp" lists them.
//
// The plain kernels are the algorithm exactly as the engine has always run
// it, one sample after another; they stay as the reference that the fast
// kernel is tested and measured against. The fast kernel gives the same
// count for every sample, bit for bit: the same operations in the same
// order on each sample, only many samples at once and on every core.
#pragma once

#include "exchange.h"
#include "job.h"

#include <cstdint>
#include <functional>

namespace quor {

// Called in column order once every column up to and including `column` is
// complete (0..723). Returning true stops the run after that column.
using ColumnReport = std::function<bool(unsigned column)>;

// How a run of a kernel ended: the complete leading columns, and whether a
// report asked to stop. A stop asked after the last column is a stop too:
// the run then has all 724 columns but must not give its table.
struct TableEnd {
    unsigned columns = 0;
    bool stopped = false;
    bool operator==(const TableEnd&) const = default;
};

// The 724 sample coordinates of one side from a to b: the first is a, each
// next one adds (b - a) / 723.0 to the one before.
void sampleCoordinates(double a, double b, double* out);

// The plain Quorvane-set and Julia-set kernels. report is called after every
// column; a stop asked after column j leaves j + 1 columns computed and the
// later ones untouched.
TableEnd quor_nucleo(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report = {});
TableEnd julia_nucleo(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report = {});
// quor_nucleo for a job of type 0, julia_nucleo otherwise.
TableEnd plainTable(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report = {});

// Vector instruction sets the fast kernel can use.
enum class Isa { Portable, Sse2, Avx2, Avx512 };
bool isaAvailable(Isa isa);
Isa bestIsa(); // the widest one this processor runs
const char* isaName(Isa isa);

struct FastOptions {
    Isa isa = bestIsa();
    unsigned threads = 0; // 0: one per hardware thread
    // Find samples whose orbit repeats bit for bit and give them the limit
    // at once; off only to measure what that saves.
    bool cycles = true;
    // If set, receives the steps taken over all samples (for the benchmarks).
    std::uint64_t* steps = nullptr;
};

// The fast kernel: the same table as plainTable. Columns are shared out to
// worker threads; report is called on the calling thread, in column order,
// with the last column of the complete prefix whenever that prefix has grown
// (looked at about once a millisecond, so columns finished in the meantime
// are reported together; the last call is always for column 723 unless a
// stop was asked). A stop asked after column j leaves j + 1 complete leading
// columns (later ones may be partly written).
TableEnd fastTable(const TableJob& job, std::uint32_t* Tabella, const ColumnReport& report = {},
                   const FastOptions& options = {});

} // namespace quor

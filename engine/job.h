// Reading the job file "Quor.tmp" the way QuorC does: line by line, each
// number through `readnum`. Whatever the file holds, the reader never reads
// or writes outside its buffers and never loops without end; a job it cannot
// run exactly is refused, and the engine then reports a stop.
#pragma once

#include "exchange.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// The longest job line (without its line end) that the engine reads.
constexpr std::size_t LineMax = 30;
// The longest limit line of a deep job: about 95 significant digits, more
// than any view the area names reach needs.
constexpr std::size_t DeepLineMax = 100;
// The largest iteration limit of a deep job: its reference orbit is held in
// memory, 16 bytes a step.
constexpr std::uint32_t DeepLimitMax = std::uint32_t{1} << 24;

// One job as the kernels take it.
struct TableJob {
    int tipo = 0; // 0 the Quorvane set, 1 a Julia set
    double xa = -2.0, xb = 1.0, ya = -1.5, yb = 1.5;
    std::uint32_t nmax = 100;
    double xj = 0.0, yj = 0.0; // the Julia constant
};

// The value that the characters 0 to nc of stringa spell: an optional "-",
// digits, at most one ".", digits, optionally "E", one sign character that is
// skipped and the exponent digits. Every exponent divides. Each digit is
// folded in with the rounding of the step that reads it, so the result is
// what the engine has always computed from the same text, not the nearest
// double.
double readnum(const char* stringa, std::uint8_t nc);

// True when line (without its line end) is a number the engine accepts:
// 1 to LineMax characters in the grammar above, with at least one mantissa
// digit and, after "E", the sign "-" and at least one digit. A "+" exponent
// is refused because `readnum` would read it as negative.
bool isJobNumber(std::string_view line);

// The iteration limit for a line-6 value: below 2^31 truncated, above it
// 2^31 is taken off before truncating and added back. Refused (false) when
// the unsigned 32-bit counter cannot hold it (negative, 2^32 or more).
bool iterationLimit(double v, std::uint32_t& nmax);

struct DeepJob {
    DeepLimits limits;
    std::uint32_t nmax = 100;
};

// True when line is a limit of a deep job: 1 to DeepLineMax characters, an
// optional "-", digits, optionally "." and more digits (either side of the
// point may be empty, not both), no exponent, no "+".
bool isDeepNumber(std::string_view line);

// The order of two such decimals, exactly: below zero when a < b, zero when
// they are equal (-0 equals 0), above zero when a > b.
int compareDecimals(std::string_view a, std::string_view b);

enum class JobOutcome {
    Run,     // a job of type 0, 1 or 3, read completely
    Stop,    // the stop request "2": there is nothing to compute
    Refused, // anything else: no table, report a stop
};

struct JobRead {
    JobOutcome outcome = JobOutcome::Refused;
    TableJob job; // tipo 3: only tipo is set, the view is in deep
    DeepJob deep;
    std::string reason; // a short English description when refused
};

// Reads a job from the text of "Quor.tmp". A line end is LF or CR LF; every
// line the job needs must end with one, be 1 to LineMax characters long and
// keep to the number grammar. Lines after the ones the job type needs are
// not looked at. A deep job (type 3) has the limits of isDeepNumber on lines
// 2 to 5, X Max above X Min and Y Max above Y Min, and on line 6 an
// iteration limit of at most DeepLimitMax.
JobRead parseJob(std::string_view text);

// Opens and reads the job file at path (only as many bytes as a job can
// need), then parses it. A file that cannot be opened is refused.
JobRead readJobFile(const char* path);

} // namespace quor

// The three exchange files between Quorvane and QuorC: the job "Quor.tmp",
// the progress report "Rep.tmp" and the table "Tab.tmp". Both programs use
// this code, so each format has exactly one home. Standard library only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quor {

constexpr int DimScreen = 724;
constexpr int TableSize = DimScreen * DimScreen;

// Job types (first line of the job file).
constexpr int Quorvane = 0;
constexpr int Julia = 1;
constexpr int Abort = 2;
// A view deeper than doubles resolve: its limits are decimals of up to 100
// characters, computed by perturbation around a high-precision orbit.
constexpr int Deep = 3;

// Report values after the column numbers 0..723.
constexpr unsigned ReportComplete = 724;
constexpr unsigned ReportStopped = 725;

struct Job {
    int tipo = Quorvane;
    double xa = -2.0, xb = 1.0, ya = -1.5, yb = 1.5;
    double nmax = 100;
    double xj = 0.0, yj = 0.0; // written only for Julia jobs
};

// The limits of a deep view as its job spells them: plain decimals, kept as
// text so that nothing of their digits is lost before the engine's high
// precision reads them.
struct DeepLimits {
    std::string xa, xb, ya, yb;
    bool operator==(const DeepLimits&) const = default;
};

// One number in the job grammar: a period, no plus sign, a leading "-",
// integers without a point, small magnitudes as mantissa "E-" exponent, at
// most 30 characters, written so that `readnum` gives back this very double
// (jobnumber.cpp says where no text can). Empty for a value the grammar
// cannot hold: not a number, infinite, or 2^53 and more.
std::optional<std::string> formatJobNumber(double v);

// The whole job file text, every line ended by CR LF; empty if a value
// cannot be written.
std::optional<std::string> jobText(const Job& job);

// Writes content to a temporary file in the same folder and renames it over
// path, so a reader never sees the file half-written.
bool writeFileAtomically(const std::string& path, const std::string& content);
bool writeFileAtomically(const std::string& path, const char* data, std::size_t size);
// The same with the content written by write (false: nothing is replaced).
bool writeFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write);

bool writeJob(const std::string& path, const Job& job);

// The job file text of a deep view (type 3): the four limits as they are,
// the iteration limit as an integer. Empty when QuorC would refuse the job:
// a limit that is not a plain decimal of at most 100 characters, a maximum
// not above its minimum, or a limit above the deep kind's largest.
std::optional<std::string> deepJobText(const DeepLimits& limits, std::uint32_t nmax);
bool writeDeepJob(const std::string& path, const DeepLimits& limits, std::uint32_t nmax);
bool writeStopRequest(const std::string& path);

// "%3lu," as the engine writes it.
std::string formatReport(unsigned n);
// The number in a report file; empty when the file is missing, empty or not
// (yet) a report.
std::optional<unsigned> readReport(const std::string& path);

// The text of Tab.tmp for a table stored column by column
// (counts[column * DimScreen + row]): "%5lu" fields, commas, CR LF.
std::string formatTable(const std::uint32_t* counts);
// The same text into a buffer of the caller's: tableTextSize characters.
std::size_t tableTextSize(const std::uint32_t* counts);
void formatTable(const std::uint32_t* counts, char* out);
// The same text written into a file at path that replaces it whole.
bool writeTable(const std::string& path, const std::uint32_t* counts);

// The largest valid table: 724 lines of 724 fields of five characters (a
// wider one holds 100000 or more, above any iteration limit), commas, CR LF.
constexpr std::size_t TableBytesMax = std::size_t{DimScreen} * (DimScreen * 6 + 1);

// Reads Tab.tmp in one read into counts[column * DimScreen + row]. Every
// count must lie in 0..maxCount. A missing, truncated or malformed table,
// and anything but a regular file of at most TableBytesMax bytes, is an
// error with a short description; counts is then unspecified.
bool readTable(const std::string& path, std::vector<std::int16_t>& counts, int maxCount,
               std::string* error = nullptr);

} // namespace quor

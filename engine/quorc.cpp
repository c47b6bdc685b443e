// QuorC: computes one 724 x 724 table of escape times for the job in
// "Quor.tmp" (working directory: the application folder), reports progress
// in "Rep.tmp" after the columns, obeys a stop request written into
// "Quor.tmp", writes "Tab.tmp" and exits. No arguments, no window; the
// window waits for a final report of 724 or 725, so every way out of here
// writes one.
#include "deep.h"
#include "exchange.h"
#include "job.h"
#include "kernel.h"

#include <cstdio>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// The table (2 MB) is the only large memory of the run. Touching fresh
// memory costs one page fault per 4 KB page, some 500 here, which at low
// iteration limits takes about as long as the computation; asking for 2 MB
// pages cuts that to one. Where that cannot be asked for, ordinary pages do
// the same work.
constexpr std::size_t HugePage = std::size_t{2} << 20;

char* largeBuffer(std::size_t size) {
    size = (size + HugePage - 1) / HugePage * HugePage;
    void* p = std::aligned_alloc(HugePage, size);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (p)
        madvise(p, size, MADV_HUGEPAGE);
#endif
    return static_cast<char*>(p);
}

std::uint32_t* Tabella = nullptr;

void report(unsigned n) {
    // A failure to write is not handled: the next report tries again.
    quor::writeFileAtomically("Rep.tmp", quor::formatReport(n));
}

// The stop request is a job file whose first character is "2". A missing
// file (the window deletes it once the run is under way) lets the run go on.
bool stopAsked() {
    std::FILE* f = std::fopen("Quor.tmp", "rb");
    if (!f)
        return false;
    const int car = std::fgetc(f);
    std::fclose(f);
    return car == '2';
}

} // namespace

int main() {
    const quor::JobRead read = quor::readJobFile("Quor.tmp");
    if (read.outcome != quor::JobOutcome::Run) {
        if (read.outcome == quor::JobOutcome::Refused)
            std::fprintf(stderr, "QuorC: job refused: %s\n", read.reason.c_str());
        report(quor::ReportStopped);
        return read.outcome == quor::JobOutcome::Stop ? 0 : 1;
    }

    static std::uint32_t fallback[quor::TableSize];
    Tabella = reinterpret_cast<std::uint32_t*>(largeBuffer(sizeof fallback));
    if (!Tabella)
        Tabella = fallback;
    const auto progress = [](unsigned j) {
        report(j);
        return stopAsked();
    };
    const quor::TableEnd end = read.job.tipo == quor::Deep
                                   ? quor::deepTable(read.deep, Tabella, progress)
                                   : quor::fastTable(read.job, Tabella, progress);
    if (end.stopped) {
        report(quor::ReportStopped);
        return 0;
    }
    // The table must be complete on disk before the report says so.
    const bool written = quor::writeTable("Tab.tmp", Tabella);
    if (!written) {
        std::fprintf(stderr, "QuorC: cannot write Tab.tmp\n");
        report(quor::ReportStopped);
        return 1;
    }
    report(quor::ReportComplete);
    return 0;
}

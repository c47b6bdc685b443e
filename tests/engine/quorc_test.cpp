// The real QuorC in a temporary application folder, started as the window
// starts it (no arguments) and talking through the three exchange files only.
#include "engine_support.h"

#include <cstdio>

using namespace quor;
using namespace quortest;

TEST(QuorC, CompleteRunsWriteThePlainTableAndReport724) {
    // Each job with the one whose table it must give: leading zeros or none,
    // CR LF or LF, and a limit of 250.9 read as 250 give one and the same table.
    const std::string bare = "0\r\n-.7436\r\n-.7435\r\n.1318\r\n.13185\r\n250\r\n";
    const std::string exponents = "0\r\n-5E-10\r\n3.2E-05\r\n-1.25E-03\r\n.00125\r\n200\r\n";
    const std::string julia = "1\r\n-1.6\r\n1.6\r\n-1.2\r\n1.2\r\n300\r\n-.8\r\n.156\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {bare, bare},
        {"0\r\n-0.7436\r\n-0.7435\r\n0.1318\r\n0.13185\r\n250\r\n", bare},
        {"0\n-.7436\n-.7435\n.1318\n.13185\n250.9\n", bare},
        {exponents, exponents},
        {julia, julia},
    };
    for (const auto& [job, reference] : cases) {
        SCOPED_TRACE(job);
        const JobRead r = parseJob(reference);
        ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
        const auto counts = plainCounts(r.job);
        const std::string expected = printfTable(counts);
        TempFolder dir;
        writeText(dir.file("Quor.tmp"), job);
        expectExit(startQuorC(dir));
        EXPECT_EQ(readText(dir.file("Rep.tmp")), "724,");
        EXPECT_TRUE(readText(dir.file("Tab.tmp")) == expected); // not printed: 3 MB
        std::vector<std::int16_t> read; // and the window reads the counts back
        ASSERT_TRUE(readTable(dir.file("Tab.tmp"), read, int(r.job.nmax)));
        EXPECT_TRUE(std::equal(read.begin(), read.end(), counts.begin(), counts.end()));
    }
}

TEST(QuorC, BadJobsAndStopRequestsReport725AndWriteNoTable) {
    const std::string head = "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n";
    const std::optional<std::string> cases[] = {
        std::nullopt, // no job file
        "",
        "0\r\n-2\r\n1\r\n",                                                      // truncated
        "0\r\n-2.000000000000000000000000000001\r\n1\r\n-1.5\r\n1.5\r\n100\r\n", // 31 characters
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5x\r\n100\r\n", // outside the grammar
        "4\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",  // no such type (3 is the deep kind)
        head + "-1\r\n",
        head + "4294967296\r\n",
        head + "abc\r\n",
        "2", // a stop request and nothing else: nothing to compute
    };
    for (const auto& job : cases) {
        SCOPED_TRACE(job.value_or("no job file"));
        TempFolder dir;
        if (job)
            writeText(dir.file("Quor.tmp"), *job);
        expectExit(startQuorC(dir));
        EXPECT_EQ(readText(dir.file("Rep.tmp")), "725,");
        EXPECT_FALSE(std::filesystem::exists(dir.file("Tab.tmp")));
    }
}

// Around the parabolic point c = 0.25 every orbit creeps towards 0.5 for
// some 10^8 steps before it escapes or repeats: a view that stays slow at
// any limit, and whose counts are the limit up to there.
const std::string parabolic = "0\r\n.2499999999999995\r\n.2500000000000005\r\n-5E-16\r\n5E-16\r\n";

TEST(QuorC, StopsOnRequestDuringTheRunAndGoesOnWhenTheJobFileIsDeleted) {
    // At a million steps the table would take minutes, so the stop request
    // arrives while columns are being computed. The window deletes the job
    // file once the run is under way; the run then goes on.
    for (const bool stop : {true, false}) {
        TempFolder dir;
        writeText(dir.file("Quor.tmp"), parabolic + (stop ? "1000000\r\n" : "3000\r\n"));
        const pid_t engine = startQuorC(dir, 0);
        EXPECT_LT(readReport(dir.file("Rep.tmp")).value_or(724), 724u);
        if (stop)
            ASSERT_TRUE(writeStopRequest(dir.file("Quor.tmp")));
        else
            std::filesystem::remove(dir.file("Quor.tmp"));
        expectExit(engine);
        EXPECT_EQ(readText(dir.file("Rep.tmp")), stop ? "725," : "724,");
        const std::vector<std::uint32_t> limit(TableSize, 3000);
        EXPECT_TRUE(readText(dir.file("Tab.tmp")) ==
                    (stop ? std::nullopt : std::optional(formatTable(limit.data()))));
    }
}

TEST(QuorC, AStopFoundAfterTheLastColumnStillStops) {
    // Columns 0 to 722 escape within a hundred steps; column 723 is c = 0.25
    // exactly (the columns step by 1/1024 from 0.25 + 723/1024) and takes
    // three million steps per sample. The stop request is written while it runs,
    // so the only check that can find it is the one after the last column.
    TempFolder dir;
    writeText(dir.file("Quor.tmp"), "0\r\n.9560546875\r\n.25\r\n0\r\n0\r\n3000000\r\n");
    const pid_t engine = startQuorC(dir, 722);
    ASSERT_TRUE(writeStopRequest(dir.file("Quor.tmp")));
    const bool inTime = readReport(dir.file("Rep.tmp")) == 722u;
    expectExit(engine);
    ASSERT_TRUE(inTime) << "column 723 was done before the stop request was written";
    EXPECT_EQ(readText(dir.file("Rep.tmp")), "725,");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Tab.tmp")));
}

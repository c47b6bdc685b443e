// The real QuorC in a temporary application folder, talking through the
// three exchange files only.
#include "engine_support.h"

using quortest::readText;
using quortest::TempFolder;
using quortest::writeText;

namespace {

const char* const StartView = "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n";

// Runs QuorC on job and returns Tab.tmp; checks the final report 724.
std::string runComplete(const std::string& job) {
    TempFolder dir;
    writeText(dir.file("Quor.tmp"), job);
    EXPECT_TRUE(quortest::runQuorC(dir.path()));
    EXPECT_EQ(readText(dir.file("Rep.tmp")), "724,");
    const auto tab = readText(dir.file("Tab.tmp"));
    EXPECT_TRUE(tab.has_value());
    return tab.value_or("");
}

// The table the plain algorithm computes from the same job text.
std::string plainText(const std::string& job) {
    return quor::formatTable(quortest::plainCounts(quortest::jobOf(job)).data());
}

void expectRefused(const std::string& job, const char* what) {
    SCOPED_TRACE(what);
    TempFolder dir;
    writeText(dir.file("Quor.tmp"), job);
    EXPECT_TRUE(quortest::runQuorC(dir.path()));
    EXPECT_EQ(readText(dir.file("Rep.tmp")), "725,");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Tab.tmp")));
}

} // namespace

TEST(QuorC, CompleteRunWritesThePlainTableAndReports724) {
    const std::string tab = runComplete(StartView);
    EXPECT_EQ(tab, plainText(StartView));

    // The shape: 724 lines of 724 fields "%5lu" separated by commas, CR LF.
    ASSERT_EQ(tab.size(), 724u * 4345u);
    for (std::size_t line = 0; line < 724; ++line) {
        const std::string l = tab.substr(line * 4345, 4345);
        ASSERT_EQ(l.substr(4343), "\r\n");
        ASSERT_EQ(std::count(l.begin(), l.end(), ','), 723);
        for (std::size_t f = 0; f < 724; ++f) {
            const std::string field = l.substr(f * 6, 5);
            ASSERT_NE(field.back(), ' ');
            ASSERT_EQ(field.find_first_not_of(' '), field.find_first_of("0123456789"));
        }
    }
    // The corner -2 - 1.5i escapes at once.
    EXPECT_EQ(tab.substr(0, 6), "    0,");

    std::vector<std::int16_t> counts;
    std::string error;
    TempFolder dir;
    writeText(dir.file("Tab.tmp"), tab);
    ASSERT_TRUE(quor::readTable(dir.file("Tab.tmp"), counts, 100, &error)) << error;
}

TEST(QuorC, JuliaJobAndTypeZeroWithExtraLines) {
    const std::string julia = "1\r\n-1.6\r\n1.6\r\n-1.2\r\n1.2\r\n300\r\n-.8\r\n.156\r\n";
    EXPECT_EQ(runComplete(julia), plainText(julia));

    // A job of type 0 does not read lines 7 and 8.
    const std::string withJulia = "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n-.8\r\n.156\r\n";
    EXPECT_EQ(runComplete(withJulia), plainText(StartView));
}

TEST(QuorC, NumberFormsGiveTheTableOfTheirOwnValues) {
    // Without and with leading zeros, LF line ends: one and the same table.
    const std::string bare = "0\r\n-.7436\r\n-.7435\r\n.1318\r\n.13185\r\n250\r\n";
    const std::string zeros = "0\r\n-0.7436\r\n-0.7435\r\n0.1318\r\n0.13185\r\n250\r\n";
    const std::string lf = "0\n-.7436\n-.7435\n.1318\n.13185\n250.9\n";
    const std::string expected = plainText(bare);
    EXPECT_EQ(runComplete(bare), expected);
    EXPECT_EQ(runComplete(zeros), expected);
    EXPECT_EQ(runComplete(lf), expected);

    // Exponent forms around the origin, read with the engine's own rounding.
    const std::string exponents = "0\r\n-5E-10\r\n3.2E-05\r\n-1.25E-03\r\n.00125\r\n200\r\n";
    EXPECT_EQ(runComplete(exponents), plainText(exponents));
}

TEST(QuorC, RefusesBadJobsWith725AndNoTable) {
    {
        SCOPED_TRACE("missing job file");
        TempFolder dir;
        EXPECT_TRUE(quortest::runQuorC(dir.path()));
        EXPECT_EQ(readText(dir.file("Rep.tmp")), "725,");
        EXPECT_FALSE(std::filesystem::exists(dir.file("Tab.tmp")));
    }
    expectRefused("", "empty");
    expectRefused("0\r\n-2\r\n1\r\n", "ends early");
    expectRefused("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100", "no line end after the limit");
    expectRefused("0\r\n-2\r\n\r\n-1.5\r\n1.5\r\n100\r\n", "empty line");
    expectRefused("0\r\n-2.000000000000000000000000000001\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",
                  "line over 30 characters");
    expectRefused("0\r\n-2\r\n1\r\n-1.5\r\n1.5x\r\n100\r\n", "character outside the grammar");
    expectRefused("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n" + std::string(5000, '9') + "\r\n",
                  "very long line");
    expectRefused("3\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n", "type 3");
    expectRefused("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n-1\r\n", "limit -1");
    expectRefused("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n4294967296\r\n", "limit 2^32");
    expectRefused("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\nabc\r\n", "limit abc");
    expectRefused("1\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n.3\r\n", "Julia without its last line");
}

TEST(QuorC, StopRequestBeforeTheJobReports725AtOnce) {
    for (const char* stop : {"2\r\n", "2"}) {
        SCOPED_TRACE(stop);
        TempFolder dir;
        writeText(dir.file("Quor.tmp"), stop);
        EXPECT_TRUE(quortest::runQuorC(dir.path()));
        EXPECT_EQ(readText(dir.file("Rep.tmp")), "725,");
        EXPECT_FALSE(std::filesystem::exists(dir.file("Tab.tmp")));
    }
}

TEST(QuorC, StopRequestDuringTheRunEndsItWith725AndNoTable) {
    // Wholly inside the set at a million steps per sample: each column takes
    // a noticeable time and the whole table far longer than the test, so the
    // stop always arrives while columns are still being computed.
    TempFolder dir;
    writeText(dir.file("Quor.tmp"), "0\r\n-.1\r\n-.099999\r\n.1\r\n.100001\r\n1000000\r\n");
    const pid_t engine = quortest::startQuorC(dir.path());
    ASSERT_GT(engine, 0);
    // The first report means the job is read and column 0 done.
    const auto first = quortest::waitForReport(dir.file("Rep.tmp"), [](unsigned) { return true; });
    ASSERT_TRUE(first.has_value());
    EXPECT_LT(*first, 724u);
    ASSERT_TRUE(quor::writeStopRequest(dir.file("Quor.tmp")));
    ASSERT_TRUE(quortest::waitForExit(engine));
    EXPECT_EQ(readText(dir.file("Rep.tmp")), "725,");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Tab.tmp")));
}

TEST(QuorC, RunGoesOnWhenTheWindowDeletesTheJobFile) {
    // The window deletes Quor.tmp once the report is past 0; the engine's
    // stop checks then find no file and carry on to the end.
    TempFolder dir;
    writeText(dir.file("Quor.tmp"), "0\r\n-.1\r\n-.099999\r\n.1\r\n.100001\r\n20000\r\n");
    const pid_t engine = quortest::startQuorC(dir.path());
    ASSERT_GT(engine, 0);
    const auto seen =
        quortest::waitForReport(dir.file("Rep.tmp"), [](unsigned n) { return n != 0; });
    ASSERT_TRUE(seen.has_value());
    std::filesystem::remove(dir.file("Quor.tmp"));
    ASSERT_TRUE(quortest::waitForExit(engine));
    EXPECT_EQ(readText(dir.file("Rep.tmp")), "724,");
    // Every sample lies inside, so every count is the limit.
    const auto tab = readText(dir.file("Tab.tmp"));
    ASSERT_TRUE(tab.has_value());
    std::vector<std::uint32_t> all(quor::TableSize, 20000);
    EXPECT_EQ(*tab, quor::formatTable(all.data()));
}

TEST(QuorC, ReportsAreAlwaysCompleteWhileTheEngineRuns) {
    // Polling as the window does, every read of Rep.tmp that finds the file
    // finds a whole report in the "%3lu," form, never an empty or partial one,
    // and the numbers never go back.
    TempFolder dir;
    writeText(dir.file("Quor.tmp"), "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n3000\r\n");
    const pid_t engine = quortest::startQuorC(dir.path());
    ASSERT_GT(engine, 0);
    unsigned last = 0;
    int reads = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < deadline) {
        const auto text = readText(dir.file("Rep.tmp"));
        if (!text)
            continue; // not written yet
        ++reads;
        ASSERT_EQ(text->size(), 4u) << *text;
        const auto n = quor::readReport(dir.file("Rep.tmp"));
        const auto again = quor::readReport(dir.file("Rep.tmp"));
        ASSERT_TRUE(again.has_value());
        if (n) {
            EXPECT_GE(*n, last);
            last = *n;
        }
        if (last >= 724)
            break;
    }
    ASSERT_TRUE(quortest::waitForExit(engine));
    EXPECT_EQ(last, 724u);
    EXPECT_GT(reads, 0);
}

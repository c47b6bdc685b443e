// The exchange files: job numbers the engine's reader takes back, the job
// file, reports and tables.
#include "engine_support.h"

#include <bit>
#include <cmath>
#include <random>
#include <tuple>

using namespace quor;
using namespace quortest;

TEST(FormatJobNumber, KeepsToTheGrammarAndReadsBack) {
    for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e30, -2e29}) // -2e29: 31 characters
        EXPECT_FALSE(formatJobNumber(v)) << v;

    // View limits and Julia constants near 1, deep views a few pixels apart,
    // then every magnitude the grammar holds.
    std::mt19937_64 rng(777);
    std::uniform_real_distribution<double> plane(-2.5, 2.5), mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-323, 27);
    std::vector<double> values{2.0 / 3.0, 0.1 + 0.2, 1e-9, 9.999999999999999e-10, 2e28, 5e-324};
    auto magnitude = [&] { return mantissa(rng) * std::pow(10.0, exponent(rng)); };
    for (int k = 0; k < 2500; ++k)
        values.insert(values.end(), {plane(rng), -0.7436 + k * 1e-15, magnitude(), -magnitude()});
    for (double v : values) {
        // In the grammar: no "+", at most 30 characters, integers without a
        // point, "E-" below 1e-9. Read back exactly from 1e-9 to 1e17, within
        // 4 ulps from 1e-20, below that as the reader's divisions by ten allow.
        const auto s = formatJobNumber(v);
        ASSERT_TRUE(s.has_value()) << v;
        const double a = std::fabs(v), r = num(*s);
        EXPECT_TRUE(isJobNumber(*s) && s->size() <= 30 && s->find('+') == s->npos) << *s;
        EXPECT_EQ(s->find('E') != s->npos, a < 1e-9) << *s;
        EXPECT_TRUE(std::trunc(v) != v || s->find('.') == s->npos) << *s;
        // 15 significant digits, counted by value (doubles below 1e-290 hold fewer).
        const double unit = a < 1e-290 ? HUGE_VAL : std::pow(10.0, std::floor(std::log10(a)) - 14);
        EXPECT_LE(std::fabs(std::strtod(s->c_str(), nullptr) - v), unit) << *s;
        const auto ulps =
            std::llabs(std::bit_cast<std::int64_t>(r) - std::bit_cast<std::int64_t>(v));
        if (a >= 1e-20)
            EXPECT_LE(ulps, a >= 1e-9 && a < 1e17 ? 0 : 4) << *s;
        else
            EXPECT_LE(std::fabs(r - v), 1e-14 * a) << *s;
    }
}

TEST(JobFile, WrittenAsTheEngineReadsIt) {
    TempFolder dir;
    const std::string path = dir.file("Quor.tmp");
    ASSERT_TRUE(writeJob(path, Job{}));
    EXPECT_EQ(readText(path), "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n");
    const Job w{Julia, -0.7436, -0.7435, 0.1318, 0.13185, 250, -0.8, 0.156};
    ASSERT_TRUE(writeJob(path, w));
    const auto r = readJobFile(path.c_str());
    ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
    EXPECT_EQ(std::tuple(r.job.tipo, r.job.xa, r.job.xb, r.job.ya, r.job.yb, r.job.xj, r.job.yj,
                         r.job.nmax),
              std::tuple(w.tipo, w.xa, w.xb, w.ya, w.yb, w.xj, w.yj, 250u));

    // Nothing is written that the grammar cannot hold, and no temporary file
    // is left behind.
    EXPECT_FALSE(writeJob(dir.file("Other.tmp"), Job{0, -2, NAN}));
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/Rep.tmp"), "  0,"));
    const auto files = std::filesystem::directory_iterator(dir.path);
    EXPECT_EQ(std::distance(begin(files), end(files)), 1);
}

TEST(Report, FormatAndRead) {
    TempFolder dir;
    const std::string rep = dir.file("Rep.tmp");
    EXPECT_FALSE(readReport(rep)); // missing
    const std::pair<unsigned, const char*> good[] = {
        {0, "  0,"}, {42, " 42,"}, {724, "724,"}, {725, "725,"}};
    for (const auto& [n, text] : good) {
        EXPECT_EQ(formatReport(n), text);
        writeText(rep, text);
        EXPECT_EQ(readReport(rep), n);
    }
    for (const char* bad : {"", "  7", "abc,", "999,", " -1,", "  1,2", ","}) {
        writeText(rep, bad);
        EXPECT_FALSE(readReport(rep)) << bad;
    }
}

// Accepting the engine's own tables is checked on QuorC's output.
TEST(Table, ReadRejectsEveryMalformedTable) {
    TempFolder dir;
    const std::string tab = dir.file("Tab.tmp");
    std::vector<std::int16_t> counts;
    std::string error;
    EXPECT_FALSE(readTable(tab, counts, 100, &error)); // missing
    EXPECT_FALSE(error.empty());
    const std::string good = formatTable(std::vector<std::uint32_t>(TableSize, 100).data());
    auto withField = [&](std::size_t line, std::size_t field, const std::string& f) {
        return std::string(good).replace(line * 4345 + field * 6, 5, f);
    };
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"last line end missing", good.substr(0, good.size() - 2)},
        {"trailing bytes", good + "x"},
        {"extra field", good.substr(0, 4343) + ",  100" + good.substr(4343)},
        {"field missing", good.substr(0, 4337) + good.substr(4343)},
        {"non-digit", withField(3, 5, "  1x0")},
        {"blank field", withField(0, 723, "     ")},
        {"above the limit", withField(700, 10, "  101")},
        {"wrapping to 100 in 32 bits", withField(700, 10, "4294967396")},
    };
    for (const auto& [name, text] : cases) {
        writeText(tab, text);
        error.clear();
        EXPECT_FALSE(readTable(tab, counts, 100, &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
    writeText(tab, good);
    EXPECT_TRUE(readTable(tab, counts, 100, &error)) << error;
    EXPECT_FALSE(readTable(tab, counts, 99, &error));
}

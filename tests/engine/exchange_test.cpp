// The exchange files: job numbers the engine's reader takes back, the job
// file, reports and tables.
#include "engine_support.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <random>
#include <tuple>

using namespace quor;
using namespace quortest;

namespace {

std::int64_t ulpsApart(double a, double b) {
    return std::llabs(std::bit_cast<std::int64_t>(a) - std::bit_cast<std::int64_t>(b));
}

// True when some double, divided by ten as the reader divides, gives v.
bool tenthOfADouble(double v) {
    double x = v * 10.0;
    for (int k = 0; k < 4; ++k)
        x = std::nextafter(x, 0.0);
    for (int k = 0; k < 9; ++k, x = std::nextafter(x, INFINITY))
        if (x / 10.0 == v)
            return true;
    return false;
}

// Writes v, checks the text against the grammar and returns what the engine
// reads from it.
double roundTrip(double v) {
    const auto s = formatJobNumber(v);
    EXPECT_TRUE(s.has_value()) << v;
    if (!s)
        return NAN;
    EXPECT_TRUE(isJobNumber(*s) && s->size() <= 30 && s->find('+') == s->npos) << *s;
    EXPECT_TRUE(std::trunc(v) != v || s->find('.') == s->npos) << *s; // integers without a point
    if (std::fabs(v) < 1e-9 && v != 0.0) {
        EXPECT_NE(s->find("E-"), s->npos) << *s;
    }
    return num(*s);
}

} // namespace

TEST(FormatJobNumber, ZerosIntegersAndWhatCannotBeWritten) {
    for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 9007199254740992.0, -1e20})
        EXPECT_FALSE(formatJobNumber(v)) << v;
    const std::pair<double, const char*> texts[] = {
        {0.0, "0"},       {-0.0, "-0"},   {100, "100"},
        {32767, "32767"}, {-1.5, "-1.5"}, {9007199254740991.0, "9007199254740991"}};
    for (const auto& [v, text] : texts) {
        EXPECT_EQ(formatJobNumber(v), text);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(num(text)), std::bit_cast<std::uint64_t>(v)) << text;
    }
}

TEST(FormatJobNumber, ReadsBackExactlyFrom1eMinus9To2To53) {
    // View limits and Julia constants, the stretch where the nearest decimal
    // was seen to read back off, deep views a few pixels apart, and every
    // magnitude up to 2^53. A double is allowed one unit in the last place
    // only where not even the exponent form can reach it.
    std::mt19937_64 rng(777);
    std::uniform_real_distribution<double> plane(-2.5, 1.5), stretch(0.129, 0.206),
        logMagnitude(std::log(1e-9), std::log(9007199254740991.0));
    std::vector<double> values{2.0 / 3.0, 0.1 + 0.2, 0.12, 1e-9, 0.23537605188152};
    for (int k = 0; k < 30000; ++k)
        values.insert(values.end(), {plane(rng), stretch(rng), -stretch(rng)});
    for (int k = 0; k < 5000; ++k)
        values.insert(values.end(), {std::exp(logMagnitude(rng)), -0.7436 + k * 1e-15});
    int offByOne = 0;
    for (double v : values) {
        const double r = roundTrip(v);
        if (r == v)
            continue;
        ++offByOne;
        EXPECT_EQ(ulpsApart(r, v), 1) << v;
        EXPECT_FALSE(tenthOfADouble(std::fabs(v))) << v;
    }
    EXPECT_LT(offByOne, 10); // a few in a million
}

TEST(FormatJobNumber, BelowEMinus9ExactWhereAnyTextIsAndCloseElsewhere) {
    // A value that some exponent-form text gives must come back exactly;
    // subnormals too.
    std::mt19937_64 rng(778);
    std::uniform_int_distribution<int> digit(0, 9), count(1, 17), exponent(10, 320);
    for (int k = 0; k < 3000; ++k) {
        std::string text = std::to_string(1 + digit(rng) % 9) + ".";
        for (int n = count(rng); n > 1; --n)
            text += std::to_string(digit(rng));
        text += "E-" + std::to_string(exponent(rng));
        const double v = num(text);
        EXPECT_EQ(ulpsApart(roundTrip(v), v), 0) << text;
        EXPECT_EQ(ulpsApart(roundTrip(-v), -v), 0) << text;
    }
    // Any other value within 1e-14, and within 5 units in the last place
    // down to 1e-20, where the reader divides fewer times.
    std::uniform_real_distribution<double> logMagnitude(std::log(1e-300), std::log(1e-9));
    for (int k = 0; k < 3000; ++k) {
        const double v = std::exp(logMagnitude(rng)) * (k % 2 ? -1 : 1);
        const double r = roundTrip(v);
        EXPECT_LE(std::fabs(r - v), 1e-14 * std::fabs(v)) << v;
        if (std::fabs(v) >= 1e-20) {
            EXPECT_LE(ulpsApart(r, v), 5) << v;
        }
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

TEST(JobFile, CarriesPeriodsAndExactValuesUnderAnItalianCLocale) {
    // Qt sets the C library's locale from the desktop: on an Italian one a
    // C number conversion writes and reads a decimal comma. The job text
    // must be the same as under the "C" locale, and exact.
    std::mt19937_64 rng(779);
    std::uniform_real_distribution<double> plane(-2.5, 1.5);
    std::vector<Job> jobs{Job{}, Job{Julia, -0.7436, -0.7435, 0.1318, 0.13185, 250, -0.8, 0.25}};
    for (int k = 0; k < 2000; ++k)
        jobs.push_back({Julia, plane(rng), plane(rng), plane(rng) * 1e-6 + 1e-8, plane(rng), 32767,
                        plane(rng) * 1e-300, -0.0});
    std::vector<std::optional<std::string>> inC;
    for (const Job& job : jobs)
        inC.push_back(jobText(job));

    struct Italian {
        const bool ok = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
        ~Italian() { std::setlocale(LC_ALL, "C"); }
    } italian;
    ASSERT_TRUE(italian.ok) << "the it_IT.UTF-8 locale is missing: generate it as scripts/setup "
                               "does (locales, locale-gen it_IT.UTF-8)";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(jobText(jobs[0]), "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n");
    EXPECT_EQ(formatReport(724), "724,");
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        const auto text = jobText(jobs[k]);
        ASSERT_EQ(text, inC[k]);
        const auto r = parseJob(text.value_or(""));
        ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
        const Job& w = jobs[k];
        EXPECT_EQ(std::tuple(r.job.xa, r.job.xb, r.job.ya, r.job.yb, r.job.nmax),
                  std::tuple(w.xa, w.xb, w.ya, w.yb, std::uint32_t(w.nmax)))
            << *text;
    }
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

TEST(Table, WrittenAsPrintfWritesAndReadBack) {
    // Counts of every width, the widest beyond five characters; the text as
    // "%5u" gives it, and the counts that fit the window read back, also
    // when a field is written another way the format allows.
    const std::uint32_t widths[] = {0, 7, 42, 100, 999, 1000, 10000, 32767};
    std::vector<std::uint32_t> counts(TableSize);
    for (int k = 0; k < TableSize; ++k)
        counts[k] = widths[(k * 7 + k / 724) % 8];
    for (const bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "with counts of 99999 and more" : "counts the window keeps");
        if (wide) {
            counts[4] = 99999;
            counts[5] = 100000;
            counts[TableSize - 1] = 4294967295u;
        }
        const std::string expected = printfTable(counts);
        TempFolder dir;
        ASSERT_TRUE(writeTable(dir.file("Tab.tmp"), counts.data()));
        EXPECT_TRUE(readText(dir.file("Tab.tmp")) == expected); // not printed: 3 MB
        EXPECT_TRUE(formatTable(counts.data()) == expected);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
        if (wide)
            continue;
        std::vector<std::int16_t> read;
        ASSERT_TRUE(readTable(dir.file("Tab.tmp"), read, 32767));
        EXPECT_TRUE(std::equal(read.begin(), read.end(), counts.begin(), counts.end()));
        // Leading zeros, and a field moved within its line, read the same.
        const std::string a = std::to_string(counts[0]), b = std::to_string(counts[724]),
                          c = std::to_string(counts[725]);
        std::string other = expected;
        other.replace(0, 5, std::string(5 - a.size(), '0') + a);
        other.replace(4345, 12, b + "," + std::string(10 - b.size() - c.size(), ' ') + c + ",");
        writeText(dir.file("Tab.tmp"), other);
        read.assign(TableSize, -1);
        ASSERT_TRUE(readTable(dir.file("Tab.tmp"), read, 32767));
        EXPECT_TRUE(std::equal(read.begin(), read.end(), counts.begin(), counts.end()));
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

TEST(Table, NeverReadsMoreThanTheLargestValidTable) {
    // Each of these once made the reader ask for the size its file reports.
    TempFolder dir;
    const std::string tab = dir.file("Tab.tmp");
    std::vector<std::int16_t> counts;
    auto refused = [&](const char* what) {
        std::string error;
        EXPECT_FALSE(readTable(tab, counts, 32767, &error)) << what;
        EXPECT_FALSE(error.empty()) << what;
        EXPECT_LT(error.size(), 50u) << error;
    };
    std::filesystem::create_directory(tab);
    refused("a folder");
    std::filesystem::remove(tab);
    std::filesystem::create_symlink("/dev/zero", tab);
    refused("a device");
    std::filesystem::remove(tab);
    writeText(tab, "");
    std::filesystem::resize_file(tab, std::uintmax_t{1} << 40); // sparse: takes no disk
    refused("a huge sparse file");
    // A table of counts below 100000 is exactly the largest valid size.
    std::string good = formatTable(std::vector<std::uint32_t>(TableSize, 32767).data());
    ASSERT_EQ(good.size(), TableBytesMax);
    writeText(tab, good + " ");
    refused("one byte more");
    writeText(tab, good);
    EXPECT_TRUE(readTable(tab, counts, 32767));
}

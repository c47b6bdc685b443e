// The exchange files: job numbers that survive the engine's parser, job
// texts, atomic replacement, reports and tables.
#include "engine_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

using quortest::readText;
using quortest::TempFolder;
using quortest::writeText;

namespace {

double readBack(const std::string& s) {
    return quor::readnum(s.data(), static_cast<std::uint8_t>(s.size() - 1));
}

// Distance in units in the last place between two finite doubles of the
// same sign.
std::int64_t ulps(double a, double b) {
    if (a == b)
        return 0;
    if (std::signbit(a) != std::signbit(b))
        return std::numeric_limits<std::int64_t>::max();
    std::int64_t ia, ib;
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    return ia > ib ? ia - ib : ib - ia;
}

// The text keeps to the grammar and reads back as v: exactly in fixed
// notation, within a few ulps for large integers and for the exponent form
// down to 1e-20. Further down the engine's reader divides by ten hundreds of
// times, each division merging neighbouring values, so it cannot resolve
// finer than about 1e-15 of the value; there the text must come that close.
void expectGoodJobNumber(double v) {
    SCOPED_TRACE(::testing::PrintToString(v));
    const auto s = quor::formatJobNumber(v);
    ASSERT_TRUE(s.has_value());
    SCOPED_TRACE(*s);
    EXPECT_TRUE(quor::isJobNumber(*s));
    EXPECT_LE(s->size(), 30u);
    EXPECT_EQ(s->find('+'), std::string::npos);
    const double r = readBack(*s);
    const double a = std::fabs(v);
    if (a >= 1e-9 && a < 1e17)
        EXPECT_EQ(r, v);
    else if (a >= 1e-20 && a < 1e29)
        EXPECT_LE(ulps(r, v), 4);
    else
        EXPECT_LE(std::fabs(r - v), 1e-14 * a);
    // The decimal written agrees with v to at least 15 significant digits
    // (trailing zeros are left out, so count by value, not by characters).
    if (a >= 1e-290) {
        const double written = std::strtod(s->c_str(), nullptr);
        EXPECT_LE(std::fabs(written - v), std::pow(10.0, std::floor(std::log10(a)) - 14));
    }
}

} // namespace

TEST(FormatJobNumber, PlainFormsOfSimpleValues) {
    EXPECT_EQ(quor::formatJobNumber(0.0), "0");
    EXPECT_EQ(quor::formatJobNumber(-0.0), "0");
    EXPECT_EQ(quor::formatJobNumber(100.0), "100");
    EXPECT_EQ(quor::formatJobNumber(1000.0), "1000");
    EXPECT_EQ(quor::formatJobNumber(32767.0), "32767");
    EXPECT_EQ(quor::formatJobNumber(-2.0), "-2");
    EXPECT_EQ(quor::formatJobNumber(1.5), "1.5");
    EXPECT_EQ(quor::formatJobNumber(-1.5), "-1.5");
    EXPECT_EQ(quor::formatJobNumber(0.5), "0.5");
    EXPECT_EQ(quor::formatJobNumber(-0.25), "-0.25");
    EXPECT_EQ(quor::formatJobNumber(0.1), "0.1");
}

TEST(FormatJobNumber, SmallMagnitudesUseTheExponentForm) {
    for (double v : {1e-10, 5e-10, -3.25e-12, 1e-100, 2.5e-300}) {
        const auto s = quor::formatJobNumber(v);
        ASSERT_TRUE(s.has_value());
        EXPECT_NE(s->find("E-"), std::string::npos) << *s;
    }
    for (double v : {1e-9, 1.5e-7, 0.000032, -0.00125}) {
        const auto s = quor::formatJobNumber(v);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->find('E'), std::string::npos) << *s;
    }
}

TEST(FormatJobNumber, ViewValuesComeBackExactly) {
    // The values a window writes: view limits and Julia constants of
    // magnitude around 1, read back by the engine as the very same double.
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> plane(-2.5, 2.5);
    std::vector<double> values{-2.0,      1.0,        -1.5,      1.5,
                               -0.7436,   -0.7435,    0.1318,    0.13185,
                               2.0 / 3.0, -1.0 / 3.0, 0.1 + 0.2, 3.141592653589793};
    for (int k = 0; k < 2000; ++k)
        values.push_back(plane(rng));
    for (int k = 0; k < 200; ++k) // deep views: limits a few pixels apart
        values.push_back(-0.7436 + k * 1e-15);
    for (double v : values) {
        const auto s = quor::formatJobNumber(v);
        ASSERT_TRUE(s.has_value()) << v;
        EXPECT_EQ(readBack(*s), v) << *s;
    }
}

TEST(FormatJobNumber, EveryMagnitudeKeepsToTheGrammar) {
    std::mt19937_64 rng(777);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-323, 28);
    for (int k = 0; k < 5000; ++k) {
        const double v = (k % 2 ? -1 : 1) * mantissa(rng) * std::pow(10.0, exponent(rng));
        if (v != 0.0 && std::fabs(v) < 1e28)
            expectGoodJobNumber(v);
    }
    for (double v : {std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                     1e-9, 9.999999999999999e-10, 1e17, 1e28, -9.99e27, 123456789012345678.0})
        expectGoodJobNumber(v);
}

TEST(FormatJobNumber, NothingForValuesTheGrammarCannotHold) {
    EXPECT_FALSE(quor::formatJobNumber(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(quor::formatJobNumber(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(quor::formatJobNumber(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(quor::formatJobNumber(1e30));
    EXPECT_FALSE(quor::formatJobNumber(-2e29)); // 31 characters with the sign
    EXPECT_TRUE(quor::formatJobNumber(2e28));   // 29 digits
    EXPECT_FALSE(quor::formatJobNumber(std::numeric_limits<double>::max()));
}

TEST(JobText, LinesAndRoundTripThroughTheEngineReader) {
    quor::Job job; // the start view at limit 100
    EXPECT_EQ(quor::jobText(job), "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n");

    job.tipo = quor::Julia;
    job.xa = -0.7436;
    job.xb = -0.7435;
    job.ya = 0.1318;
    job.yb = 0.13185;
    job.nmax = 250;
    job.xj = -0.8;
    job.yj = 0.156;
    const auto text = quor::jobText(job);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), 8);
    EXPECT_EQ(std::count(text->begin(), text->end(), '\r'), 8);
    const auto r = quor::parseJob(*text);
    ASSERT_EQ(r.outcome, quor::JobOutcome::Run) << r.reason;
    EXPECT_EQ(r.job.tipo, 1);
    EXPECT_EQ(r.job.xa, job.xa);
    EXPECT_EQ(r.job.xb, job.xb);
    EXPECT_EQ(r.job.ya, job.ya);
    EXPECT_EQ(r.job.yb, job.yb);
    EXPECT_EQ(r.job.nmax, 250u);
    EXPECT_EQ(r.job.xj, job.xj);
    EXPECT_EQ(r.job.yj, job.yj);

    quor::Job stop;
    stop.tipo = quor::Abort;
    EXPECT_EQ(quor::jobText(stop), "2\r\n");
    quor::Job bad;
    bad.tipo = 3;
    EXPECT_FALSE(quor::jobText(bad));
    bad.tipo = quor::Quorvane;
    bad.xa = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(quor::jobText(bad));
}

TEST(WriteFiles, JobsStopRequestsAndAtomicReplacement) {
    TempFolder dir;
    const std::string job = dir.file("Quor.tmp");
    ASSERT_TRUE(quor::writeJob(job, quor::Job{}));
    EXPECT_EQ(readText(job), "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n");
    ASSERT_TRUE(quor::writeStopRequest(job));
    EXPECT_EQ(readText(job), "2\r\n");
    EXPECT_EQ(quor::readJobFile(job.c_str()).outcome, quor::JobOutcome::Stop);

    // Replacing leaves the new content and no temporary file behind.
    const std::string rep = dir.file("Rep.tmp");
    ASSERT_TRUE(quor::writeFileAtomically(rep, "  0,"));
    ASSERT_TRUE(quor::writeFileAtomically(rep, " 17,"));
    EXPECT_EQ(readText(rep), " 17,");
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 2);

    EXPECT_FALSE(quor::writeFileAtomically(dir.file("missing/Rep.tmp"), "  0,"));
    quor::Job nan;
    nan.xb = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(quor::writeJob(dir.file("Other.tmp"), nan));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Other.tmp")));
}

TEST(Report, FormatAndRead) {
    EXPECT_EQ(quor::formatReport(0), "  0,");
    EXPECT_EQ(quor::formatReport(5), "  5,");
    EXPECT_EQ(quor::formatReport(42), " 42,");
    EXPECT_EQ(quor::formatReport(723), "723,");
    EXPECT_EQ(quor::formatReport(724), "724,");
    EXPECT_EQ(quor::formatReport(725), "725,");

    TempFolder dir;
    const std::string rep = dir.file("Rep.tmp");
    EXPECT_FALSE(quor::readReport(rep)); // missing
    const std::pair<const char*, std::optional<unsigned>> cases[] = {{"  0,", 0u},
                                                                     {" 17,", 17u},
                                                                     {"724,", 724u},
                                                                     {"725,", 725u},
                                                                     {"3,", 3u},
                                                                     {"", std::nullopt},
                                                                     {"  7", std::nullopt},
                                                                     {"abc,", std::nullopt},
                                                                     {"999,", std::nullopt},
                                                                     {" -1,", std::nullopt},
                                                                     {"  1,2", std::nullopt},
                                                                     {",", std::nullopt}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        writeText(rep, text);
        EXPECT_EQ(quor::readReport(rep), expected);
    }
}

namespace {

std::vector<std::uint32_t> patternTable() {
    std::vector<std::uint32_t> t(quor::TableSize);
    for (int k = 0; k < quor::TableSize; ++k)
        t[k] = static_cast<std::uint32_t>((k * 7919u) % 32768u);
    return t;
}

} // namespace

TEST(Table, FormatIsFieldsOfFiveCommasAndCrLf) {
    auto t = patternTable();
    t[0] = 0;
    t[1] = 1;
    t[2] = 32767;
    t[quor::DimScreen] = 12; // column 1, row 0 opens line 2
    const std::string text = quor::formatTable(t.data());
    ASSERT_EQ(text.size(), 724u * (4343 + 2));
    EXPECT_EQ(text.substr(0, 18), "    0,    1,32767,");
    EXPECT_EQ(text.substr(4345, 6), "   12,");
    for (int line = 0; line < quor::DimScreen; ++line) {
        const std::string l = text.substr(static_cast<std::size_t>(line) * 4345, 4345);
        ASSERT_EQ(l.substr(4343), "\r\n") << line;
        for (int field = 0; field < quor::DimScreen; ++field) {
            const std::string f = l.substr(static_cast<std::size_t>(field) * 6, 5);
            const unsigned expected = t[static_cast<std::size_t>(line) * quor::DimScreen + field];
            char buf[8];
            std::snprintf(buf, sizeof buf, "%5u", expected);
            ASSERT_EQ(f, buf) << line << "," << field;
            if (field + 1 < quor::DimScreen) {
                ASSERT_EQ(l[static_cast<std::size_t>(field) * 6 + 5], ',');
            }
        }
    }

    // Counts beyond five digits take all the digits they need.
    t[0] = 123456;
    t[1] = 4294967295u;
    const std::string wide = quor::formatTable(t.data());
    EXPECT_EQ(wide.substr(0, 18), "123456,4294967295,");
    EXPECT_EQ(wide.size(), text.size() + 1 + 5);
    EXPECT_EQ(quor::tableTextSize(t.data()), wide.size());
}

TEST(Table, ReadAcceptsEngineOutputAndOtherLineEnds) {
    TempFolder dir;
    const std::string tab = dir.file("Tab.tmp");
    const auto t = patternTable();
    const std::string text = quor::formatTable(t.data());
    writeText(tab, text);
    std::vector<std::int16_t> counts;
    std::string error;
    ASSERT_TRUE(quor::readTable(tab, counts, 32767, &error)) << error;
    ASSERT_EQ(counts.size(), static_cast<std::size_t>(quor::TableSize));
    for (int k = 0; k < quor::TableSize; ++k)
        ASSERT_EQ(counts[k], static_cast<std::int16_t>(t[k])) << k;

    // LF line ends and fields without their padding read the same.
    std::string lf;
    for (int c = 0; c < quor::DimScreen; ++c) {
        for (int r = 0; r < quor::DimScreen; ++r) {
            lf += std::to_string(t[static_cast<std::size_t>(c) * quor::DimScreen + r]);
            lf += r + 1 < quor::DimScreen ? "," : "\n";
        }
    }
    writeText(tab, lf);
    std::vector<std::int16_t> again;
    ASSERT_TRUE(quor::readTable(tab, again, 32767, &error)) << error;
    EXPECT_EQ(again, counts);
}

TEST(Table, ReadRejectsEveryMalformedTable) {
    TempFolder dir;
    const std::string tab = dir.file("Tab.tmp");
    std::vector<std::uint32_t> t(quor::TableSize, 100);
    const std::string good = quor::formatTable(t.data());
    std::vector<std::int16_t> counts;
    std::string error;

    EXPECT_FALSE(quor::readTable(tab, counts, 100, &error));
    EXPECT_FALSE(error.empty());

    auto withField = [&](std::size_t line, std::size_t field, const std::string& f) {
        std::string s = good;
        s.replace(line * 4345 + field * 6, 5, f);
        return s;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"empty", ""},
        {"cut in the middle", good.substr(0, good.size() / 2)},
        {"last line end missing", good.substr(0, good.size() - 2)},
        {"only CR at the end", good.substr(0, good.size() - 1)},
        {"a line missing", good.substr(0, good.size() - 4345)},
        {"an extra line", good + good.substr(0, 4345)},
        {"trailing bytes", good + "x"},
        {"extra field", good.substr(0, 4343) + ",  100" + good.substr(4343)},
        {"field missing", good.substr(0, 4337) + good.substr(4343)},
        {"non-digit", withField(3, 5, "  1x0")},
        {"negative", withField(3, 5, "  -10")},
        {"blank field", withField(0, 723, "     ")},
        {"above the limit", withField(700, 10, "  101")},
        {"huge count", withField(700, 10, "99999")},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        writeText(tab, text);
        error.clear();
        EXPECT_FALSE(quor::readTable(tab, counts, 100, &error));
        EXPECT_FALSE(error.empty());
    }
    writeText(tab, good);
    EXPECT_TRUE(quor::readTable(tab, counts, 100, &error)) << error;
    EXPECT_FALSE(quor::readTable(tab, counts, 99, &error));
}

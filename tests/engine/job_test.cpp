// The job reader: readnum's grammar and rounding, the iteration limit, and
// the jobs the engine refuses.
#include "engine_support.h"

#include <cmath>
#include <limits>

using quor::JobOutcome;
using quor::parseJob;

namespace {

double num(const std::string& s) {
    return quor::readnum(s.data(), static_cast<std::uint8_t>(s.size() - 1));
}

} // namespace

TEST(Readnum, IntegersFractionsAndSigns) {
    EXPECT_EQ(num("0"), 0.0);
    EXPECT_EQ(num("250"), 250.0);
    EXPECT_EQ(num("1000"), 1000.0);
    EXPECT_EQ(num("32767"), 32767.0);
    EXPECT_EQ(num("-2"), -2.0);
    EXPECT_EQ(num("1.5"), 1.5);
    EXPECT_EQ(num("-1.5"), -1.5);
    EXPECT_EQ(num(".5"), 0.5);
    EXPECT_EQ(num("-.25"), -0.25);
    EXPECT_EQ(num("5."), 5.0);
    EXPECT_TRUE(std::signbit(num("-0")));
    // Only the characters 0 to nc are read.
    EXPECT_EQ(quor::readnum("12345", 2), 123.0);
    EXPECT_EQ(quor::readnum("-7xyz", 1), -7.0);
}

TEST(Readnum, LeadingZeroReadsTheSameAsNone) {
    for (const char* digits : {"7436", "7435", "1318", "13185", "5", "25", "0001", "999999999"}) {
        SCOPED_TRACE(digits);
        const std::string d = digits;
        EXPECT_EQ(num("." + d), num("0." + d));
        EXPECT_EQ(num("-." + d), num("-0." + d));
        EXPECT_EQ(num("-." + d), -num("." + d));
    }
}

TEST(Readnum, FoldsEachDigitWithItsOwnRounding) {
    // 0.1318 read digit by digit: 1/10, then + 3/100, + 1/1000, + 8/10000,
    // each sum rounded on its own; that is the engine's value, whether or
    // not it is the double nearest to 0.1318.
    double v = 0.0;
    v = v + 1.0 / 10.0;
    v = v + 3.0 / 100.0;
    v = v + 1.0 / 1000.0;
    v = v + 8.0 / 10000.0;
    EXPECT_EQ(num("0.1318"), v);
    EXPECT_EQ(num(".1318"), v);
    EXPECT_NEAR(v, 0.1318, 1e-16);

    // The exponent divides one step at a time.
    double e = 3.0 + 2.0 / 10.0;
    for (int k = 0; k < 5; ++k)
        e = e / 10.0;
    EXPECT_EQ(num("3.2E-05"), e);
}

TEST(Readnum, ExponentFormReadsNegativeExponents) {
    EXPECT_NEAR(num("3.2E-05"), 0.000032, 0.000032 * 1e-15);
    EXPECT_NEAR(num("5E-10"), 5e-10, 5e-10 * 1e-15);
    EXPECT_NEAR(num("-1.25E-03"), -0.00125, 0.00125 * 1e-15);
    EXPECT_NEAR(num("1.5E-07"), 1.5e-7, 1.5e-7 * 1e-15);
    EXPECT_EQ(num("1E-0"), 1.0);
    // The sign character after "E" is never read: every exponent divides.
    EXPECT_EQ(num("1E+2"), num("1E-2"));
    EXPECT_NEAR(num("1E+2"), 0.01, 1e-17);
    // A huge exponent reaches zero and stops there.
    EXPECT_EQ(num("1E-9999999999999999999999999"), 0.0);
    EXPECT_GT(num("4.9E-324"), 0.0);
}

TEST(JobNumberGrammar, AcceptsTheGrammarOnly) {
    for (const char* ok : {"0", "-0", "7", "250", "250.9", ".5", "-.25", "5.", "1.5E-07", "5E-10",
                           "-1.25E-03", "1E-0", "-0.7436", "123456789012345678901234567890"}) {
        SCOPED_TRACE(ok);
        EXPECT_TRUE(quor::isJobNumber(ok));
    }
    for (const char* bad :
         {"",     "-",    ".",      "-.",      "+1",
          " 1",   "1 ",   "1.2.3",  "1e-5",    "1E5",
          "1E-",  "1E+5", "1E-5.0", "1E--5",   "E-5",
          "-E-5", ".E-5", "1-2",    "--1",     "abc",
          "1,5",  "1\r",  "0x10",   "1E-5E-5", "1234567890123456789012345678901"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(quor::isJobNumber(bad));
    }
    EXPECT_FALSE(quor::isJobNumber(std::string("1\0", 2)));
}

TEST(IterationLimit, ConvertsAsTheCounterCanHold) {
    std::uint32_t n = 7;
    EXPECT_TRUE(quor::iterationLimit(250.0, n));
    EXPECT_EQ(n, 250u);
    EXPECT_TRUE(quor::iterationLimit(250.9, n));
    EXPECT_EQ(n, 250u);
    EXPECT_TRUE(quor::iterationLimit(0.0, n));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(quor::iterationLimit(-0.0, n));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(quor::iterationLimit(2147483647.9, n));
    EXPECT_EQ(n, 2147483647u);
    EXPECT_TRUE(quor::iterationLimit(2147483648.0, n));
    EXPECT_EQ(n, 2147483648u);
    EXPECT_TRUE(quor::iterationLimit(3000000000.7, n));
    EXPECT_EQ(n, 3000000000u);
    EXPECT_TRUE(quor::iterationLimit(4294967295.5, n));
    EXPECT_EQ(n, 4294967295u);

    n = 7;
    for (double bad :
         {-1.0, -0.5, 4294967296.0, 1e30, std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(quor::iterationLimit(bad, n));
        EXPECT_EQ(n, 7u);
    }
}

TEST(ParseJob, ReadsQuorvaneAndJuliaJobs) {
    const auto r = parseJob("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n");
    ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
    EXPECT_EQ(r.job.tipo, 0);
    EXPECT_EQ(r.job.xa, -2.0);
    EXPECT_EQ(r.job.xb, 1.0);
    EXPECT_EQ(r.job.ya, -1.5);
    EXPECT_EQ(r.job.yb, 1.5);
    EXPECT_EQ(r.job.nmax, 100u);

    const auto j = parseJob("1\r\n-1.5\r\n1.5\r\n-1.5\r\n1.5\r\n500\r\n-.8\r\n.156\r\n");
    ASSERT_EQ(j.outcome, JobOutcome::Run) << j.reason;
    EXPECT_EQ(j.job.tipo, 1);
    EXPECT_EQ(j.job.nmax, 500u);
    EXPECT_EQ(j.job.xj, num("-.8"));
    EXPECT_EQ(j.job.yj, num(".156"));

    // The limit goes through the same conversion as the engine's.
    EXPECT_EQ(parseJob("0\n-2\n1\n-1.5\n1.5\n250.9\n").job.nmax, 250u);
}

TEST(ParseJob, LineEndsAreLfOrCrLfAndNoCrEntersANumber) {
    const auto crlf = parseJob("0\r\n-.7436\r\n-.7435\r\n.1318\r\n.13185\r\n250\r\n");
    const auto lf = parseJob("0\n-.7436\n-.7435\n.1318\n.13185\n250\n");
    const auto mixed = parseJob("0\r\n-.7436\n-.7435\r\n.1318\n.13185\r\n250\n");
    for (const auto* r : {&crlf, &lf, &mixed}) {
        ASSERT_EQ(r->outcome, JobOutcome::Run) << r->reason;
        EXPECT_EQ(r->job.xa, num("-.7436"));
        EXPECT_EQ(r->job.xb, num("-.7435"));
        EXPECT_EQ(r->job.ya, num(".1318"));
        EXPECT_EQ(r->job.yb, num(".13185"));
        EXPECT_EQ(r->job.nmax, 250u);
    }
}

TEST(ParseJob, TypeZeroIgnoresJuliaLines) {
    const auto r = parseJob("0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\nnot looked at\r\n" +
                            std::string(200, 'x') + "\r\n");
    ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
    EXPECT_EQ(r.job.nmax, 100u);
}

TEST(ParseJob, StopRequestIsAStop) {
    for (const char* text : {"2\r\n", "2\n", "2", "2\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseJob(text).outcome, JobOutcome::Stop);
    }
}

TEST(ParseJob, RefusesWhatCannotBeRunExactly) {
    const std::string good = "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n";
    const char* cases[] = {
        "",                                              // empty
        "0\r\n",                                         // ends before line 2
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n",               // no limit
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100",            // last line without its end
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n10",             // cut in the middle of a number
        "0\r\n-2\r\n\r\n-1.5\r\n1.5\r\n100\r\n",         // empty line
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n\n",             // empty limit
        "0\r\n-2\r\n1,5\r\n-1.5\r\n1.5\r\n100\r\n",      // comma
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n1e2\r\n",        // lower-case exponent
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n1E+2\r\n",       // positive exponent
        "0\r\n-2\r\n1\r\r\n-1.5\r\n1.5\r\n100\r\n",      // a CR inside a line
        "0\r\n -2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",       // leading blank
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n-1\r\n",         // negative limit
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n4294967296\r\n", // limit beyond 32 bits
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\nabc\r\n",        // not a number
        "3\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",        // unknown type
        "9\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",
        "a\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",
        "00\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",       // type of two characters
        "\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",         // empty type
        "1\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n-.8\r\n", // Julia without line 8
    };
    for (const char* text : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(text)));
        const auto r = parseJob(text);
        EXPECT_EQ(r.outcome, JobOutcome::Refused);
        EXPECT_FALSE(r.reason.empty());
    }
    EXPECT_EQ(parseJob(good).outcome, JobOutcome::Run);
    EXPECT_EQ(parseJob(std::string("0\r\n-2\r\n1\0\r\n-1.5\r\n1.5\r\n100\r\n", 27)).outcome,
              JobOutcome::Refused);
    // A line of exactly 30 characters is still a line; one more is not.
    const std::string thirty = "-2." + std::string(27, '0');
    ASSERT_EQ(thirty.size(), 30u);
    EXPECT_EQ(parseJob("0\r\n" + thirty + "\r\n1\r\n-1.5\r\n1.5\r\n100\r\n").outcome,
              JobOutcome::Run);
    EXPECT_EQ(parseJob("0\r\n" + thirty + "0\r\n1\r\n-1.5\r\n1.5\r\n100\r\n").outcome,
              JobOutcome::Refused);
}

TEST(ReadJobFile, ReadsBoundedAndRefusesAMissingFile) {
    quortest::TempFolder dir;
    EXPECT_EQ(quor::readJobFile(dir.file("Quor.tmp").c_str()).outcome, JobOutcome::Refused);

    quortest::writeText(dir.file("Quor.tmp"), "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n");
    const auto r = quor::readJobFile(dir.file("Quor.tmp").c_str());
    EXPECT_EQ(r.outcome, JobOutcome::Run) << r.reason;

    // A huge first line is refused without reading it all.
    quortest::writeText(dir.file("Quor.tmp"), std::string(1 << 20, '0'));
    EXPECT_EQ(quor::readJobFile(dir.file("Quor.tmp").c_str()).outcome, JobOutcome::Refused);
}

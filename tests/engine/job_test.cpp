// The job reader: readnum's rounding, the number grammar, the iteration limit
// and the jobs the engine refuses.
#include "engine_support.h"

#include <cmath>
#include <tuple>

using namespace quor;
using namespace quortest;

TEST(Readnum, ReadsEveryFormAsTheEngineFoldsItsDigits) {
    // Each digit is folded in with its own rounding and the exponent divides
    // one step at a time: the engine's value, not always the nearest double.
    EXPECT_EQ(num("0.1318"), 1.0 / 10 + 3.0 / 100 + 1.0 / 1000 + 8.0 / 10000);
    EXPECT_EQ(num("3.2E-05"), (3.0 + 2.0 / 10) / 10 / 10 / 10 / 10 / 10);
    EXPECT_EQ(readnum("12345", 2), 123.0); // only the characters 0 to nc
    for (const std::string d : {"1318", "7436", "13185", "5", "0001", "999999999"}) {
        EXPECT_EQ(num("." + d), num("0." + d)) << d;
        EXPECT_EQ(num("-." + d), num("-0." + d)) << d;
        EXPECT_EQ(num("-." + d), -num("." + d)) << d;
    }
    const std::pair<const char*, double> exponents[] = {
        {"3.2E-05", 0.000032}, {"5E-10", 5e-10}, {"-1.25E-03", -0.00125}};
    for (const auto& [text, value] : exponents)
        EXPECT_NEAR(num(text), value, std::fabs(value) * 1e-15) << text;
}

TEST(JobNumberGrammar, AcceptsTheGrammarOnly) {
    for (const char* ok : {"0", "-0", "250.9", ".5", "-.25", "5.", "1.5E-07", "-1.25E-03",
                           "123456789012345678901234567890"})
        EXPECT_TRUE(isJobNumber(ok)) << ok;
    for (const char* bad :
         {"",      "-",    ".",   "-.",  "+1",   " 1",     "1 ",
          "1.2.3", "1e-5", "1E5", "1E-", "1E+5", "1E-5.0", "E-5",
          ".E-5",  "1-2",  "--1", "abc", "1,5",  "1\r",    "1234567890123456789012345678901"})
        EXPECT_FALSE(isJobNumber(bad)) << bad;
}

TEST(IterationLimit, ConvertsAsTheCounterCanHoldAndRefusesTheRest) {
    const double values[] = {250.0,        250.9,        0.0,  2147483647.9, 2147483648.0,
                             3000000000.7, 4294967295.5, -1.0, -0.5,         4294967296.0,
                             INFINITY,     -INFINITY,    NAN};
    const std::int64_t limits[] = {250, 250, 0,  2147483647, 2147483648, 3000000000, 4294967295,
                                   -1,  -1,  -1, -1,         -1,         -1}; // -1: refused
    for (int k = 0; k < 13; ++k) {
        std::uint32_t n = 7; // left as it was when refused
        EXPECT_EQ(iterationLimit(values[k], n), limits[k] >= 0) << values[k];
        EXPECT_EQ(n, limits[k] >= 0 ? limits[k] : 7) << values[k];
    }
}

TEST(ParseJob, ReadsJobsWithEitherLineEnd) {
    // CR LF, LF or both; a type-0 job does not look at lines 7 and 8.
    for (const char* text : {"0\r\n-.7436\r\n-.7435\r\n.1318\r\n.13185\r\n250.9\r\n",
                             "0\r\n-.7436\n-.7435\r\n.1318\n.13185\r\n250\nnot\r\nlooked at\r\n"}) {
        const auto r = parseJob(text);
        ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
        EXPECT_EQ(std::tie(r.job.tipo, r.job.xa, r.job.xb, r.job.ya, r.job.yb, r.job.nmax),
                  std::tuple(0, num("-.7436"), num("-.7435"), num(".1318"), num(".13185"), 250u));
    }
    for (const char* stop : {"2\r\n", "2\n", "2", "2\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n"})
        EXPECT_EQ(parseJob(stop).outcome, JobOutcome::Stop) << stop;
}

TEST(ParseJob, RefusesWhatCannotBeRunExactly) {
    // Besides the jobs QuorC itself is given in quorc_test.cpp.
    const std::string cases[] = {
        "0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100",                        // last line without its end
        "0\r\n-2\r\n\r\n-1.5\r\n1.5\r\n100\r\n",                     // empty line
        "0\r\n-2\r\n1\r\r\n-1.5\r\n1.5\r\n100\r\n",                  // a CR inside a line
        "00\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",                   // type "00"
        "\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n",                     // no type
        "1\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n-.8\r\n",             // Julia without line 8
        std::string("0\r\n-2\r\n1\0\r\n-1.5\r\n1.5\r\n100\r\n", 27), // a NUL
    };
    for (const std::string& text : cases) {
        const auto r = parseJob(text);
        EXPECT_EQ(r.outcome, JobOutcome::Refused) << ::testing::PrintToString(text);
        EXPECT_FALSE(r.reason.empty());
    }
    // A line of exactly 30 characters is still read (31 are refused by QuorC).
    const std::string thirty = "-2." + std::string(27, '0');
    EXPECT_EQ(parseJob("0\r\n" + thirty + "\r\n1\r\n-1.5\r\n1.5\r\n100\r\n").outcome,
              JobOutcome::Run);
}

TEST(DeepJob, ReadsPlainDecimalsExactlyAsWritten) {
    // Lines 2 to 5 are kept as text; either line end; the limit as on line 6
    // of the other kinds.
    const std::string hundred = "-0." + std::string(96, '7') + "1";
    const std::pair<std::string, DeepJob> cases[] = {
        {"3\r\n-.7436\r\n-.7435\r\n.1318\r\n.13185\r\n250.9\r\n",
         {{"-.7436", "-.7435", ".1318", ".13185"}, 250}},
        {"3\n-2\n1.\n-0001.5\n1.5\n32767\n", {{"-2", "1.", "-0001.5", "1.5"}, 32767}},
        {"3\r\n" + hundred + "\r\n-0\r\n-0\r\n0.0000001\r\n16777216\r\nnot looked at\r\n",
         {{hundred, "-0", "-0", "0.0000001"}, 16777216}},
    };
    for (const auto& [text, deep] : cases) {
        SCOPED_TRACE(text);
        const auto r = parseJob(text);
        ASSERT_EQ(r.outcome, JobOutcome::Run) << r.reason;
        EXPECT_EQ(r.job.tipo, Deep);
        EXPECT_EQ(r.deep.limits, deep.limits);
        EXPECT_EQ(r.deep.nmax, deep.nmax);
        // The window's writer gives the same job back.
        const auto written = deepJobText(deep.limits, deep.nmax);
        ASSERT_TRUE(written.has_value());
        EXPECT_EQ(parseJob(*written).deep.limits, deep.limits);
    }
}

TEST(DeepJob, RefusesWhatIsNotAPlainDecimalOrAView) {
    const std::string x = "3\r\n-1\r\n1\r\n";
    const std::string view = x + "-1\r\n1\r\n";
    const std::string cases[] = {
        "3\r\n-1." + std::string(98, '0') + "\r\n1\r\n-1\r\n1\r\n100\r\n", // 101 characters
        x + "-1\r\n1E-5\r\n100\r\n",                                       // an exponent
        "3\r\n-1\r\n+1\r\n-1\r\n1\r\n100\r\n",                             // a plus
        x + "-1\r\n1.2.3\r\n100\r\n",                                      // two points
        x + "-.\r\n1\r\n100\r\n",                                          // no digit
        x + "-1\r\n1 \r\n100\r\n",                                         // a blank
        x + "-1\r\n\r\n100\r\n",                                           // an empty line
        "3\r\n1\r\n1.000\r\n-1\r\n1\r\n100\r\n",                           // X Max = X Min
        "3\r\n1\r\n-1\r\n-1\r\n1\r\n100\r\n",                              // X Max < X Min
        x + "-0\r\n0\r\n100\r\n",                                          // Y Max = Y Min
        view + "-1\r\n",                                                   // limit below 0
        view + "16777217\r\n",                                             // above the largest
        view + "1e3\r\n",                                                  // a limit not a number
        view,                                                              // ends early
        view + "100",                                                      // no line end
        "4\r\n-1\r\n1\r\n-1\r\n1\r\n100\r\n",                              // no such type
    };
    for (const std::string& text : cases) {
        const auto r = parseJob(text);
        EXPECT_EQ(r.outcome, JobOutcome::Refused) << ::testing::PrintToString(text);
        EXPECT_FALSE(r.reason.empty());
    }
    // What the writer will not write, QuorC would refuse.
    EXPECT_FALSE(deepJobText({"1", "-1", "-1", "1"}, 100));
    EXPECT_FALSE(deepJobText({"-1", "1", "-1", "1E-5"}, 100));
    EXPECT_FALSE(deepJobText({"-1", "1", "-1", "1"}, DeepLimitMax + 1));
}

TEST(DeepJob, ComparesDecimalsExactly) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"0", "-0", 0},       {"1.50", "001.5", 0},   {".5", "0.49999", 1}, {"-.5", "-0.49999", -1},
        {"10", "9.99", 1},    {"-2", "-10", 1},       {"-0.0", "0.000", 0}, {"3.", "3", 0},
        {"-1", "0.0001", -1}, {"0.1", "0.10001", -1},
    };
    for (const auto& [a, b, order] : cases) {
        EXPECT_EQ(compareDecimals(a, b), order) << a << " " << b;
        EXPECT_EQ(compareDecimals(b, a), -order) << b << " " << a;
    }
}

#include "job.h"

#include "exchange.h"

#include <cstdio>

namespace quor {

namespace {

// States of `readnum`.
constexpr int Inter = 0;
constexpr int Fraz = 1;
constexpr int Exp = 2;

// A valid job has at most 8 lines of LineMax characters and CR LF; anything
// beyond this many bytes is never needed, so a huge or endless file cannot
// keep the engine reading.
constexpr std::size_t JobBytesMax = 1024;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double readnum(const char* stringa, std::uint8_t nc) {
    double segno = 1.0;
    unsigned k = 0;
    if (stringa[0] == '-') {
        segno = -1.0;
        k = 1;
    }
    double valore = 0.0;
    double dd = 0.0;
    int stato = Inter;
    for (; k <= nc; ++k) {
        const char c = stringa[k];
        if (c == '.') {
            stato = Fraz;
            dd = 10.0;
        } else if (c == 'E') {
            stato = Exp;
            dd = 0.0;
            ++k; // the exponent's sign is never read: every exponent divides
        } else {
            const double d = c - '0';
            if (stato == Inter) {
                valore = 10.0 * valore + d;
            } else if (stato == Fraz) {
                valore = valore + d / dd;
                dd = 10.0 * dd;
            } else {
                dd = 10.0 * dd + d;
            }
        }
    }
    if (stato == Exp) {
        // Once the value has reached zero further divisions cannot change it;
        // stopping there keeps a 27-digit exponent from counting for ever.
        while (dd > 0.0 && valore != 0.0) {
            valore = valore / 10.0;
            dd = dd - 1.0;
        }
    }
    return segno * valore;
}

bool isJobNumber(std::string_view line) {
    if (line.empty() || line.size() > LineMax)
        return false;
    std::size_t k = 0;
    if (line[0] == '-')
        ++k;
    int mantissaDigits = 0;
    bool point = false;
    for (; k < line.size() && line[k] != 'E'; ++k) {
        if (isDigit(line[k]))
            ++mantissaDigits;
        else if (line[k] == '.' && !point)
            point = true;
        else
            return false;
    }
    if (mantissaDigits == 0)
        return false;
    if (k == line.size())
        return true;
    // "E", the sign "-", at least one exponent digit.
    if (k + 2 >= line.size() || line[k + 1] != '-')
        return false;
    for (k += 2; k < line.size(); ++k)
        if (!isDigit(line[k]))
            return false;
    return true;
}

bool isDeepNumber(std::string_view line) {
    if (line.empty() || line.size() > DeepLineMax)
        return false;
    const std::size_t first = line[0] == '-' ? 1 : 0;
    bool point = false, digit = false;
    for (std::size_t k = first; k < line.size(); ++k) {
        if (isDigit(line[k]))
            digit = true;
        else if (line[k] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

namespace {

// The digits of a decimal without sign and leading or trailing zeros, split
// at the point: "-012.50" gives "12" and "5".
struct Digits {
    bool negative;
    std::string_view whole, fraction;
};

Digits digitsOf(std::string_view d) {
    Digits r{!d.empty() && d[0] == '-', {}, {}};
    if (r.negative)
        d.remove_prefix(1);
    const std::size_t point = d.find('.');
    r.whole = d.substr(0, point);
    r.fraction = point == d.npos ? std::string_view{} : d.substr(point + 1);
    while (!r.whole.empty() && r.whole[0] == '0')
        r.whole.remove_prefix(1);
    while (!r.fraction.empty() && r.fraction.back() == '0')
        r.fraction.remove_suffix(1);
    if (r.whole.empty() && r.fraction.empty())
        r.negative = false; // -0 is 0
    return r;
}

// The order of the magnitudes.
int compareMagnitudes(const Digits& a, const Digits& b) {
    if (a.whole.size() != b.whole.size())
        return a.whole.size() < b.whole.size() ? -1 : 1;
    if (const int c = a.whole.compare(b.whole))
        return c < 0 ? -1 : 1;
    const int c = a.fraction.compare(b.fraction); // a prefix is the smaller
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace

int compareDecimals(std::string_view a, std::string_view b) {
    const Digits da = digitsOf(a), db = digitsOf(b);
    if (da.negative != db.negative)
        return da.negative ? -1 : 1;
    const int m = compareMagnitudes(da, db);
    return da.negative ? -m : m;
}

bool iterationLimit(double v, std::uint32_t& nmax) {
    // Written so that NaN fails both tests; converting a value the counter
    // cannot hold would be undefined.
    if (!(v >= 0.0) || !(v < 4294967296.0))
        return false;
    constexpr double pivot = 2147483648.0;
    if (v < pivot)
        nmax = static_cast<std::uint32_t>(v);
    else
        nmax = static_cast<std::uint32_t>(v - pivot) + 2147483648u;
    return true;
}

namespace {

class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next line without its line end, checked for length; false with a
    // reason when the file ends early or the line is empty or too long.
    bool next(std::string_view& line, std::string& reason, std::size_t longest = LineMax) {
        ++number_;
        const std::string where = "line " + std::to_string(number_);
        if (pos_ >= text_.size()) {
            reason = "the job ends before " + where;
            return false;
        }
        const std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) {
            reason = where + " has no line end";
            return false;
        }
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty()) {
            reason = where + " is empty";
            return false;
        }
        if (line.size() > longest) {
            reason = where + " is longer than " + std::to_string(longest) + " characters";
            return false;
        }
        return true;
    }

    int number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

} // namespace

namespace {

// Lines 2 to 6 of a deep job, after its type.
JobRead& parseDeep(LineReader& lines, JobRead& r) {
    std::string_view line;
    DeepLimits& l = r.deep.limits;
    for (std::string* v : {&l.xa, &l.xb, &l.ya, &l.yb}) {
        if (!lines.next(line, r.reason, DeepLineMax))
            return r;
        if (!isDeepNumber(line)) {
            r.reason = "line " + std::to_string(lines.number()) + " is not a plain decimal: \"" +
                       std::string(line) + "\"";
            return r;
        }
        *v = line;
    }
    if (compareDecimals(l.xb, l.xa) <= 0 || compareDecimals(l.yb, l.ya) <= 0) {
        r.reason = "the view is empty: a maximum is not above its minimum";
        return r;
    }
    if (!lines.next(line, r.reason))
        return r;
    std::uint32_t nmax = 0;
    if (!isJobNumber(line) ||
        !iterationLimit(readnum(line.data(), static_cast<std::uint8_t>(line.size() - 1)), nmax) ||
        nmax > DeepLimitMax) {
        r.reason = "iteration limit \"" + std::string(line) + "\" is out of range";
        return r;
    }
    r.deep.nmax = nmax;
    r.outcome = JobOutcome::Run;
    return r;
}

} // namespace

JobRead parseJob(std::string_view text) {
    JobRead r;
    if (text.empty()) {
        r.reason = "the job file is empty";
        return r;
    }
    // The stop request may arrive before the job was read; it then replaces
    // the whole job, and a stop is all there is to report.
    if (text == "2" || text.substr(0, 2) == "2\n" || text.substr(0, 3) == "2\r\n") {
        r.outcome = JobOutcome::Stop;
        return r;
    }
    LineReader lines(text);
    std::string_view line;
    if (!lines.next(line, r.reason))
        return r;
    if (line.size() != 1 || (line[0] != '0' && line[0] != '1' && line[0] != '3')) {
        r.reason = "job type \"" + std::string(line) + "\" is not 0, 1, 2 or 3";
        return r;
    }
    r.job.tipo = line[0] - '0';
    if (r.job.tipo == Deep)
        return parseDeep(lines, r);

    auto number = [&](double& v) {
        if (!lines.next(line, r.reason))
            return false;
        if (!isJobNumber(line)) {
            r.reason = "line " + std::to_string(lines.number()) + " is not a number: \"" +
                       std::string(line) + "\"";
            return false;
        }
        v = readnum(line.data(), static_cast<std::uint8_t>(line.size() - 1));
        return true;
    };
    double limit = 0.0;
    if (!number(r.job.xa) || !number(r.job.xb) || !number(r.job.ya) || !number(r.job.yb) ||
        !number(limit))
        return r;
    if (!iterationLimit(limit, r.job.nmax)) {
        r.reason = "iteration limit \"" + std::string(line) + "\" is out of range";
        return r;
    }
    if (r.job.tipo == 1 && (!number(r.job.xj) || !number(r.job.yj)))
        return r;
    r.outcome = JobOutcome::Run;
    return r;
}

JobRead readJobFile(const char* path) {
    std::FILE* fin = std::fopen(path, "rb");
    if (!fin) {
        JobRead r;
        r.reason = "no job file";
        return r;
    }
    char buffer[JobBytesMax];
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, fin);
    std::fclose(fin);
    return parseJob(std::string_view(buffer, got));
}

} // namespace quor

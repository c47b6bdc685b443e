#include "job.h"

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
    bool next(std::string_view& line, std::string& reason) {
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
        if (line.size() > LineMax) {
            reason = where + " is longer than 30 characters";
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
    if (line.size() != 1 || (line[0] != '0' && line[0] != '1')) {
        r.reason = "job type \"" + std::string(line) + "\" is not 0, 1 or 2";
        return r;
    }
    r.job.tipo = line[0] - '0';

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

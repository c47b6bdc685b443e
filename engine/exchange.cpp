#include "exchange.h"
#include "job.h"

#include <charconv>
#include <cstdio>
#include <filesystem>

#if defined(__linux__)
#include <fcntl.h> // AT_FDCWD
#include <stdio.h> // renameat2, RENAME_EXCHANGE
#endif

namespace quor {

std::optional<std::string> jobText(const Job& job) {
    if (job.tipo == Abort)
        return std::string("2\r\n");
    if (job.tipo != Quorvane && job.tipo != Julia)
        return std::nullopt;
    std::string text = {static_cast<char>('0' + job.tipo), '\r', '\n'};
    std::vector<double> values{job.xa, job.xb, job.ya, job.yb, job.nmax};
    if (job.tipo == Julia) {
        values.push_back(job.xj);
        values.push_back(job.yj);
    }
    for (double v : values) {
        const auto s = formatJobNumber(v);
        if (!s)
            return std::nullopt;
        text += *s + "\r\n";
    }
    return text;
}

bool writeFileAtomically(const std::string& path, const std::string& content) {
    return writeFileAtomically(path, content.data(), content.size());
}

bool writeFileAtomically(const std::string& path, const char* data, std::size_t size) {
    return writeFileAtomically(
        path, [&](std::FILE* f) { return size == 0 || std::fwrite(data, 1, size, f) == size; });
}

bool writeFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write) {
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = write(f);
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    // ext4 pushes a file renamed over another one to disk before the rename
    // returns, some milliseconds each time; the engine replaces its report
    // after every column. Swapping the two names is just as atomic for a
    // reader and costs no disk write; the old content is then removed. When
    // there is nothing to swap with, or the file system cannot swap, a plain
    // rename follows.
    if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        std::remove(temp.c_str());
        return true;
    }
#endif
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool writeJob(const std::string& path, const Job& job) {
    const auto text = jobText(job);
    return text && writeFileAtomically(path, *text);
}

std::optional<std::string> deepJobText(const DeepLimits& limits, std::uint32_t nmax) {
    for (const std::string* v : {&limits.xa, &limits.xb, &limits.ya, &limits.yb})
        if (!isDeepNumber(*v))
            return std::nullopt;
    if (compareDecimals(limits.xb, limits.xa) <= 0 || compareDecimals(limits.yb, limits.ya) <= 0 ||
        nmax > DeepLimitMax)
        return std::nullopt;
    return "3\r\n" + limits.xa + "\r\n" + limits.xb + "\r\n" + limits.ya + "\r\n" + limits.yb +
           "\r\n" + std::to_string(nmax) + "\r\n";
}

bool writeDeepJob(const std::string& path, const DeepLimits& limits, std::uint32_t nmax) {
    const auto text = deepJobText(limits, nmax);
    return text && writeFileAtomically(path, *text);
}

bool writeStopRequest(const std::string& path) {
    return writeFileAtomically(path, "2\r\n");
}

std::string formatReport(unsigned n) {
    char buf[16];
    const std::string number(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
    return std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + ',';
}

std::optional<unsigned> readReport(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    char buf[32];
    const std::size_t got = std::fread(buf, 1, sizeof buf, f);
    std::fclose(f);
    std::size_t k = 0;
    while (k < got && buf[k] == ' ')
        ++k;
    unsigned value = 0;
    const std::size_t first = k;
    while (k < got && buf[k] >= '0' && buf[k] <= '9' && k - first < 4)
        value = value * 10 + static_cast<unsigned>(buf[k++] - '0');
    if (k == first || k >= got || buf[k] != ',' || k + 1 != got || value > ReportStopped)
        return std::nullopt;
    return value;
}

} // namespace quor

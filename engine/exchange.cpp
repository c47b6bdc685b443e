#include "exchange.h"

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
    std::string text = std::to_string(job.tipo) + "\r\n";
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
    const std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
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

// A field is "%5lu": five characters for counts below 100000, all digits of
// a larger one; fields are separated by commas, lines end with CR LF.
std::size_t tableTextSize(const std::uint32_t* counts) {
    std::size_t size = TableBytesMax;
    for (int k = 0; k < TableSize; ++k)
        for (std::uint32_t v = counts[k]; v >= 100000; v /= 10)
            ++size;
    return size;
}

void formatTable(const std::uint32_t* counts, char* p) {
    for (int column = 0; column < DimScreen; ++column) {
        const std::uint32_t* c = counts + static_cast<std::size_t>(column) * DimScreen;
        for (int row = 0; row < DimScreen; ++row) {
            std::uint32_t v = c[row];
            int width = 5;
            for (std::uint32_t rest = v; rest >= 100000; rest /= 10)
                ++width;
            char* digit = p + width;
            do {
                *--digit = static_cast<char>('0' + v % 10);
                v /= 10;
            } while (v != 0);
            while (digit > p)
                *--digit = ' ';
            p += width;
            *p++ = ',';
        }
        p[-1] = '\r';
        *p++ = '\n';
    }
}

std::string formatTable(const std::uint32_t* counts) {
    std::string out(tableTextSize(counts), ' ');
    formatTable(counts, out.data());
    return out;
}

bool readTable(const std::string& path, std::vector<std::int16_t>& counts, int maxCount,
               std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    // Only a regular file is read, and never more than the largest valid
    // table: a folder, a device or a huge sparse file is a malformed table.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        return fail("the table file is missing");
    if (!std::filesystem::is_regular_file(status))
        return fail("the table is not a regular file");
    const auto reported = std::filesystem::file_size(path, ec);
    if (ec || reported > TableBytesMax)
        return fail("the table is larger than any valid table");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return fail("the table file cannot be opened");
    std::string data(static_cast<std::size_t>(reported), '\0');
    data.resize(std::fread(data.data(), 1, data.size(), f));
    const bool grown = std::fgetc(f) != EOF;
    std::fclose(f);
    if (grown)
        return fail("the table is larger than any valid table");

    if (maxCount < 0)
        return fail("no count can lie below 0");
    // Counts are stored as 16-bit values, so nothing above 32767 can be kept.
    const std::uint32_t limit = static_cast<std::uint32_t>(maxCount > 32767 ? 32767 : maxCount);
    counts.resize(TableSize);
    const char* p = data.data();
    const char* const end = p + data.size();
    for (int column = 0; column < DimScreen; ++column) {
        const auto line = [column] { return "line " + std::to_string(column + 1); };
        for (int row = 0; row < DimScreen; ++row) {
            while (p < end && *p == ' ')
                ++p;
            if (p == end)
                return fail("the table ends early, at " + line());
            if (*p < '0' || *p > '9')
                return fail(line() + ", field " + std::to_string(row + 1) + " is not a number");
            std::uint32_t v = 0;
            while (p < end && *p >= '0' && *p <= '9') {
                v = v * 10 + static_cast<std::uint32_t>(*p++ - '0');
                if (v > limit)
                    return fail(line() + ", field " + std::to_string(row + 1) +
                                " holds a count above " + std::to_string(limit));
            }
            counts[static_cast<std::size_t>(column) * DimScreen + row] =
                static_cast<std::int16_t>(v);
            if (p == end)
                return fail("the table ends early, at " + line());
            if (row + 1 < DimScreen) {
                if (*p == ',') {
                    ++p;
                    continue;
                }
                if (*p == '\r' || *p == '\n')
                    return fail(line() + " has only " + std::to_string(row + 1) + " fields");
                return fail(line() + ", field " + std::to_string(row + 1) + " is not a number");
            }
            if (*p == ',')
                return fail(line() + " has more than 724 fields");
            if (*p == '\r')
                ++p;
            if (p == end)
                return fail("the table ends early, at " + line());
            if (*p != '\n')
                return fail(line() + ", field 724 is not a number");
            ++p;
        }
    }
    if (p != end)
        return fail("the table has more than 724 lines");
    return true;
}

} // namespace quor

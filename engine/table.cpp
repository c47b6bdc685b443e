// Tab.tmp, the table of counts: 724 lines, one per column, of 724 "%5lu"
// fields separated by commas, each line ended by CR LF. Written by QuorC and
// read by the window, both on the way from a click to the picture.
#include "exchange.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace quor {

namespace {

// A line of counts below 100000: 724 fields of five characters and a comma
// (the last one a CR), and an LF.
constexpr std::size_t LineBytes = DimScreen * 6 + 1;
// A line of the largest counts there are: ten digits each.
constexpr std::size_t LineBytesMax = DimScreen * 11 + 1;

// The last four characters of every field below 100000: blank-padded after
// a blank for counts below 10000 ("  42" for 42), zero-padded after the
// first digit for the others ("0042" for 10042).
struct FieldTails {
    char padded[10000][4];
    char zeros[10000][4];
    FieldTails() {
        for (int v = 0; v < 10000; ++v) {
            const char d[4] = {char('0' + v / 1000), char('0' + v / 100 % 10),
                               char('0' + v / 10 % 10), char('0' + v % 10)};
            std::memcpy(zeros[v], d, 4);
            std::memcpy(padded[v], d, 4);
            for (int k = 0; k < 3 && padded[v][k] == '0'; ++k)
                padded[v][k] = ' ';
        }
    }
};

const FieldTails& tails() {
    static const FieldTails t;
    return t;
}

// The five characters of v below 100000, right-aligned, at p. Both forms
// are at hand and one is picked without a branch: the counts of a picture
// come in every width.
void field(std::uint32_t v, char* p, const FieldTails& t) {
    const bool small = v < 10000;
    p[0] = small ? ' ' : static_cast<char>('0' + v / 10000);
    std::memcpy(p + 1, small ? t.padded[v] : t.zeros[v % 10000], 4);
}

// The line of one column; returns its end.
char* formatLine(const std::uint32_t* column, char* p) {
    const FieldTails& t = tails();
    for (int row = 0; row < DimScreen; ++row) {
        const std::uint32_t v = column[row];
        if (v < 100000) {
            field(v, p, t);
            p += 5;
        } else {
            char digits[10];
            int k = 0;
            for (std::uint32_t rest = v; rest != 0; rest /= 10)
                digits[k++] = static_cast<char>('0' + rest % 10);
            while (k > 0)
                *p++ = digits[--k];
        }
        *p++ = ',';
    }
    p[-1] = '\r';
    *p++ = '\n';
    return p;
}

// The usual table, every count below 100000 and so every line LineBytes
// long, read at fixed places, each field as the five characters that the
// engine writes. False for anything else (leading zeros too), which the
// general reader then reads or explains.
bool readFixed(std::string_view data, std::int16_t* counts, std::uint32_t limit) {
    if (std::endian::native != std::endian::little || data.size() != TableBytesMax)
        return false;
    constexpr std::uint64_t ones = 0x0101010101;
    const FieldTails& t = tails();
    for (int column = 0; column < DimScreen; ++column) {
        const char* line = data.data() + column * LineBytes;
        if (line[LineBytes - 2] != '\r' || line[LineBytes - 1] != '\n')
            return false;
        for (int row = 0; row < DimScreen; ++row) {
            // Eight bytes in one load; the last field's reach one past the
            // text, into the slack of the buffer.
            const char* f = line + row * 6;
            std::uint64_t w;
            std::memcpy(&w, f, 8);
            w &= 0xFFFFFFFFFF;
            // Five digits, blanks read as 0 (the first lowest), combined in
            // pairs, fours and the whole with three leading zeros. Other
            // characters give some number below 100000 that the check
            // below refuses.
            std::uint64_t v = ((w ^ (0x30 * ones)) & (0x0F * ones)) << 24;
            v = (v * 2561) >> 8 & 0x00FF00FF00FF00FF;
            v = (v * 6553601) >> 16 & 0x0000FFFF0000FFFF;
            v = (v * 42949672960001) >> 32;
            // The field as the engine writes it, built in a register.
            const bool small = v < 10000;
            std::uint32_t tail;
            std::memcpy(&tail, small ? t.padded[v] : t.zeros[v % 10000], 4);
            const std::uint64_t e = (small ? ' ' : '0' + v / 10000) | std::uint64_t{tail} << 8;
            if (e != w || v > limit || (row + 1 < DimScreen && f[5] != ','))
                return false;
            counts[column * DimScreen + row] = static_cast<std::int16_t>(v);
        }
    }
    return true;
}

} // namespace

std::size_t tableTextSize(const std::uint32_t* counts) {
    std::size_t size = TableBytesMax;
    for (int k = 0; k < TableSize; ++k)
        for (std::uint32_t v = counts[k]; v >= 100000; v /= 10)
            ++size;
    return size;
}

void formatTable(const std::uint32_t* counts, char* p) {
    for (int column = 0; column < DimScreen; ++column)
        p = formatLine(counts + static_cast<std::size_t>(column) * DimScreen, p);
}

std::string formatTable(const std::uint32_t* counts) {
    std::string out(tableTextSize(counts), ' ');
    formatTable(counts, out.data());
    return out;
}

bool writeTable(const std::string& path, const std::uint32_t* counts) {
    // Some lines at a time through a buffer that stays in the cache: no
    // 3 MB of fresh memory, and each line goes out while it is warm.
    return writeFileAtomically(path, [counts](std::FILE* f) {
        std::setvbuf(f, nullptr, _IONBF, 0);
        std::vector<char> buffer(16 * LineBytesMax);
        char* p = buffer.data();
        for (int column = 0; column < DimScreen; ++column) {
            if (buffer.data() + buffer.size() - p < static_cast<std::ptrdiff_t>(LineBytesMax)) {
                if (std::fwrite(buffer.data(), 1, p - buffer.data(), f) !=
                    std::size_t(p - buffer.data()))
                    return false;
                p = buffer.data();
            }
            p = formatLine(counts + static_cast<std::size_t>(column) * DimScreen, p);
        }
        return std::fwrite(buffer.data(), 1, p - buffer.data(), f) ==
               std::size_t(p - buffer.data());
    });
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
    // A buffer kept for the next table: a fresh 3 MB each time costs page
    // faults and clearing. Room for one more load of eight bytes after it.
    thread_local std::vector<char> buffer;
    buffer.resize(TableBytesMax + 8);
    const std::string_view data(buffer.data(),
                                std::fread(buffer.data(), 1, std::size_t(reported), f));
    const bool grown = std::fgetc(f) != EOF;
    std::fclose(f);
    if (grown)
        return fail("the table is larger than any valid table");

    if (maxCount < 0)
        return fail("no count can lie below 0");
    // Counts are stored as 16-bit values, so nothing above 32767 can be kept.
    const std::uint32_t limit = static_cast<std::uint32_t>(maxCount > 32767 ? 32767 : maxCount);
    counts.resize(TableSize);
    if (readFixed(data, counts.data(), limit))
        return true;
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

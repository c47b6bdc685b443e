// Helpers for the engine tests: a temporary folder, whole files, the
// engine's reading of one number and the plain kernel's table.
#pragma once

#include "kernel.h" // and with it exchange.h and job.h

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <stdlib.h>

namespace quortest {

// A fresh folder under the system's temporary folder, removed at the end.
struct TempFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "quorc-test-XXXXXX";
    TempFolder() {
        std::string p = path.string();
        if (!mkdtemp(p.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path = p;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const char* name) const { return (path / name).string(); }
};

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::optional<std::string> readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::optional(std::string(std::istreambuf_iterator<char>(in), {})) : std::nullopt;
}

inline double num(const std::string& s) {
    return quor::readnum(s.data(), static_cast<std::uint8_t>(s.size() - 1));
}

// Tab.tmp's text as printf writes it: 724 lines, one per column, of 724
// "%5u" fields, commas, CR LF.
inline std::string printfTable(const std::vector<std::uint32_t>& counts) {
    std::string text;
    char field[16];
    for (int k = 0; k < quor::TableSize; ++k) {
        std::snprintf(field, sizeof field, "%5u%s", counts[k], k % 724 == 723 ? "\r\n" : ",");
        text += field;
    }
    return text;
}

inline std::vector<std::uint32_t> plainCounts(const quor::TableJob& job) {
    std::vector<std::uint32_t> t(quor::TableSize);
    quor::plainTable(job, t.data());
    return t;
}

} // namespace quortest

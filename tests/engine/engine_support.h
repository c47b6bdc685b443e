// Helpers for the engine tests: a temporary folder, whole files, the real
// QuorC started there, the engine's reading of one number and the plain
// kernel's table.
#pragma once

#include "kernel.h" // and with it exchange.h and job.h

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <poll.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Starts QuorC in dir; with awaitReport 0 or more, returns once a report of
// at least that number has been renamed into place, or after two minutes
// without one, waiting on file events, not on the clock.
inline pid_t startQuorC(const TempFolder& dir, int awaitReport = -1) {
    const int watch = inotify_init();
    EXPECT_GE(inotify_add_watch(watch, dir.path.c_str(), IN_MOVED_TO), 0);
    const pid_t pid = fork();
    if (pid == 0 && (chdir(dir.path.c_str()) != 0 || execl(QUORC_PATH, QUORC_PATH, nullptr)))
        _exit(127);
    pollfd events{watch, POLLIN, 0};
    char buffer[4096];
    auto reached = [&] {
        const auto r = quor::readReport(dir.file("Rep.tmp"));
        return r && int(*r) >= awaitReport;
    };
    bool waiting = awaitReport >= 0;
    while (waiting && !reached() && poll(&events, 1, 120000) == 1)
        waiting = read(watch, buffer, sizeof buffer) > 0;
    close(watch);
    return pid;
}

inline void expectExit(pid_t pid) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 127) << status;
}

inline std::vector<std::uint32_t> plainCounts(const quor::TableJob& job) {
    std::vector<std::uint32_t> t(quor::TableSize);
    quor::plainTable(job, t.data());
    return t;
}

} // namespace quortest

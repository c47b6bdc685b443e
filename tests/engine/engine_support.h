// Helpers for the engine tests: a temporary application folder, file access,
// and the real QuorC started in that folder.
#pragma once

#include "exchange.h"
#include "job.h"
#include "kernel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quortest {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "quorc-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::string file(const char* name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::optional<std::string> readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Starts QuorC with folder as its working directory, as the window does:
// no arguments, not waited for.
inline pid_t startQuorC(const fs::path& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        execl(QUORC_PATH, QUORC_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Waits for the engine to exit; false if it did not end normally.
inline bool waitForExit(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) != 127;
}

inline bool runQuorC(const fs::path& folder) {
    return waitForExit(startQuorC(folder));
}

// Polls the report until pred holds for its number, as the window does; the
// bound is generous and only keeps a broken engine from hanging the test.
template <class Pred> std::optional<unsigned> waitForReport(const std::string& path, Pred pred) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto n = quor::readReport(path); n && pred(*n))
            return n;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

inline quor::TableJob jobOf(const std::string& text) {
    const quor::JobRead r = quor::parseJob(text);
    EXPECT_EQ(r.outcome, quor::JobOutcome::Run) << r.reason;
    return r.job;
}

inline std::vector<std::uint32_t> plainCounts(const quor::TableJob& job) {
    std::vector<std::uint32_t> t(quor::TableSize);
    quor::plainTable(job, t.data());
    return t;
}

} // namespace quortest

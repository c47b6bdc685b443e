// The whole QuorC process in the benchmarks: a fresh application folder, and
// the built QuorC started there as the window does (no arguments, the
// folder as working directory).
#pragma once

#include <filesystem>
#include <string>

#include <stdlib.h>

#include <sys/wait.h>
#include <unistd.h>

// A new folder under the system's temporary folder; empty if none can be made.
inline std::filesystem::path temporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorc-bench-XXXXXX").string();
    return mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
}

// Runs QuorC in folder and waits until it has exited.
inline void runQuorC(const std::filesystem::path& folder) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) == 0)
            execl(QUORC_PATH, QUORC_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
}

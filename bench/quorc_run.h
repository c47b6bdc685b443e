// Starts the built QuorC as the window does (no arguments, the application
// folder as working directory) and waits until it has exited.
#pragma once

#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

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

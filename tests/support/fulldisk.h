// A disk that is full on demand, for root too.
#pragma once

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace quorvane::testing {

// Runs act while the process may write files of at most bytes, a full disk
// even for root (SIGXFSZ ignored, so that a longer write fails with EFBIG
// instead of ending the process). False when the limit could not be set.
inline bool onFullDisk(rlim_t bytes, const std::function<void()>& act) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lowered{bytes, saved.rlim_max};
    const bool set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    if (set)
        act();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return set;
}

} // namespace quorvane::testing

// Columns shared out to worker threads and reported in order. Both fast
// kernels, the one in doubles and the deep one, work through a table this
// way: each worker takes the next free column, the calling thread reports
// the finished prefix, and a stop asked by a report ends the run after it.
#pragma once

#include "kernel.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace quor {

class ColumnBoard {
  public:
    // The next free column, or -1 once all are taken or a stop was asked.
    int take() {
        if (stop_.load(std::memory_order_relaxed))
            return -1;
        const int column = next_.fetch_add(1, std::memory_order_relaxed);
        return column < DimScreen ? column : -1;
    }

    void done(int column) {
        done_[column].store(true, std::memory_order_release);
        if (finished_.fetch_add(1, std::memory_order_acq_rel) + 1 == DimScreen) {
            // Taking the lock orders this wake-up after the waiter's last look.
            { std::lock_guard<std::mutex> lock(mutex_); }
            allDone_.notify_one();
        }
    }

    // Waits until the column after `reported` is finished; returns the last
    // column of the finished prefix. The workers do not wake this thread for
    // every column: at low limits columns finish every few microseconds, and
    // each wake-up would take a core from them. It looks every millisecond,
    // which is more often than anyone reads the report, and is woken at once
    // when the last column is done.
    unsigned waitForPrefix(int reported);

    void stop() { stop_.store(true, std::memory_order_relaxed); }
    bool stopped() const { return stop_.load(std::memory_order_relaxed); }

  private:
    std::atomic<int> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable allDone_;
    std::atomic<bool> done_[DimScreen] = {};
    std::atomic<int> finished_{0};
};

// Runs work on `threads` threads (0: one per hardware thread; if none can
// be started, on this one first) and reports the finished prefix of board's
// columns in order until all are done or a report asks to stop; then stops
// the workers and waits for them.
TableEnd runColumns(ColumnBoard& board, unsigned threads, const std::function<void()>& work,
                    const ColumnReport& report);

} // namespace quor

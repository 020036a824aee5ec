#pragma once
// Tasks numbered 0 .. count-1 run on a few threads, each thread with its own
// library, and are taken in order. Tasks run at most a window ahead of the
// one taken last, so that memory does not grow with the length of a range.
// With one worker the tasks run in take(), on the caller's thread: a single
// period starts no thread at all.
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/thread_library.h"

namespace novarel::cli {

// What one period's run gives: its output, its messages ("Title: text") and
// its exit status.
struct PeriodResult {
    std::string output;
    std::vector<std::string> messages;
    int rc = 0;
};

class PeriodPool {
public:
    using Task = std::function<PeriodResult(ThreadLibrary&, std::size_t)>;
    PeriodPool(std::size_t count, int jobs, Task task);
    // Stops the tasks not yet started and waits for the running ones.
    ~PeriodPool();
    PeriodPool(const PeriodPool&) = delete;
    PeriodPool& operator=(const PeriodPool&) = delete;

    // Waits for task i (taken in order, each once) and gives its result.
    PeriodResult take(std::size_t i);

private:
    void work();

    Task task_;
    std::size_t count_;
    std::size_t window_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<PeriodResult>> results_;
    std::size_t next_ = 0, taken_ = 0;
    bool stop_ = false;
    std::optional<ThreadLibrary> ownLibrary_;  // the caller's, with one worker
    std::vector<std::thread> threads_;         // last: the threads use the members above
};

}  // namespace novarel::cli

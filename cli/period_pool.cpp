#include "cli/period_pool.h"

#include <algorithm>

namespace novarel::cli {

PeriodPool::PeriodPool(std::size_t count, int jobs, Task task)
    : task_(std::move(task)), count_(count), results_(count) {
    const std::size_t workers = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)),
                                                        1, std::max<std::size_t>(count, 1));
    window_ = 2 * workers + 2;
    if (workers == 1) {
        ownLibrary_.emplace();
        return;
    }
    for (std::size_t t = 0; t < workers; ++t) threads_.emplace_back([this] { work(); });
}

PeriodPool::~PeriodPool() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void PeriodPool::work() {
    ThreadLibrary library;
    for (;;) {
        std::size_t i = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock,
                          [&] { return stop_ || next_ >= count_ || next_ < taken_ + window_; });
            if (stop_ || next_ >= count_) return;
            i = next_++;
        }
        PeriodResult r = task_(library, i);
        {
            std::lock_guard lock(mutex_);
            results_[i] = std::move(r);
        }
        changed_.notify_all();
    }
}

PeriodResult PeriodPool::take(std::size_t i) {
    if (ownLibrary_) return task_(*ownLibrary_, i);
    PeriodResult r;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return results_[i].has_value(); });
        r = std::move(*results_[i]);
        results_[i].reset();
        ++taken_;
    }
    changed_.notify_all();
    return r;
}

}  // namespace novarel::cli

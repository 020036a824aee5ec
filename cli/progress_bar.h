#pragma once
// A one-line progress bar on stderr for a range of periods: percent, rate and
// time left. Silent when not shown (stderr is not a terminal).
#include <chrono>
#include <cstddef>
#include <string>

namespace novarel::cli {

class ProgressBar {
public:
    ProgressBar(bool shown, std::size_t total);
    // done of total periods are written.
    void step(std::size_t done);
    // Removes the bar, so that a message or the end of the run starts on a clean line.
    void clear();

private:
    bool shown_;
    bool drawn_ = false;
    std::size_t total_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point lastDrawn_;
};

// "[#####     ]  50%  12.0 periods/s  0:05 left" for done of total after seconds.
std::string ProgressLine(std::size_t done, std::size_t total, double seconds);

}  // namespace novarel::cli

#include "cli/progress_bar.h"

#include <fmt/format.h>

#include <cstdio>

namespace novarel::cli {

ProgressBar::ProgressBar(bool shown, std::size_t total)
    : shown_(shown), total_(total), started_(std::chrono::steady_clock::now()) {}

void ProgressBar::step(std::size_t done) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    // A terminal redrawn a few times a second is enough to read.
    if (done < total_ && drawn_ && now - lastDrawn_ < std::chrono::milliseconds(100)) return;
    lastDrawn_ = now;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    std::fprintf(stderr, "\r%s", ProgressLine(done, total_, seconds).c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressBar::clear() {
    if (!drawn_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawn_ = false;
}

std::string ProgressLine(std::size_t done, std::size_t total, double seconds) {
    constexpr std::size_t Width = 30;
    const double part = total == 0 ? 1 : static_cast<double>(done) / static_cast<double>(total);
    const auto filled = static_cast<std::size_t>(part * Width);
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const double left = rate > 0 ? static_cast<double>(total - done) / rate : 0;
    const auto leftSeconds = static_cast<long>(left + 0.5);
    return fmt::format("[{}{}] {:3.0f}%  {:.1f} periods/s  {}:{:02} left", std::string(filled, '#'),
                       std::string(Width - filled, ' '), part * 100, rate, leftSeconds / 60,
                       leftSeconds % 60);
}

}  // namespace novarel::cli

#include "core/folder_lock.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "core/seams.h"

namespace novarel {
namespace {

constexpr std::chrono::milliseconds PollInterval{50};

std::string SecondsText(std::chrono::milliseconds ms) {
    return fmt::format("{:g} s", static_cast<double>(ms.count()) / 1000.0);
}

// The reason an open of the lock file failed, in the user's words.
std::string OpenFailureText(int error) {
    if (error == ELOOP) return "it is a symbolic link";
    return std::strerror(error);
}

}  // namespace

std::chrono::milliseconds RunLockWaitOfProcess() {
    const char* value = std::getenv("NOVAREL_LOCK_WAIT");
    if (value == nullptr) return DefaultRunLockWait;
    const std::string_view text = value;
    double seconds = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) ||
        seconds < 0 || seconds > 86400)
        return DefaultRunLockWait;
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

std::string WaitingForLockText(const std::string& folder) {
    return "waiting for another run saving into " + folder;
}

LockWait RunLockWait(ProgressSink& progress) {
    return LockWait{RunLockWaitOfProcess(),
                    [&progress](std::string_view text) { progress.showWaiting(text); }};
}

FolderLock::FolderLock(const std::string& folder, const LockWait& wait) {
    const std::string path = folder + "/" + RunLockFileName;
    // O_NOFOLLOW: a link placed at the name is refused, not followed;
    // O_NONBLOCK: a FIFO there does not hang the run.
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        problem_ =
            fmt::format("the run lock {} cannot be opened ({})", path, OpenFailureText(errno));
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        problem_ = fmt::format("the run lock {} cannot be opened (it is not a file)", path);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait.limit;
    bool told = false;
    // A window that shows the wait takes it down again, however it ends.
    const auto waitOver = [&] {
        if (told && wait.onWaiting) wait.onWaiting({});
    };
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            waitOver();
            return;
        }
        const int error = errno;
        if (error != EWOULDBLOCK && error != EINTR) {
            ::close(fd);
            waitOver();
            problem_ =
                fmt::format("the run lock {} cannot be taken ({})", path, std::strerror(error));
            return;
        }
        if (error == EINTR) continue;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        if (!told && wait.onWaiting) wait.onWaiting(WaitingForLockText(folder));
        told = true;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(PollInterval, deadline - now));
    }
    ::close(fd);
    waitOver();
    problem_ = fmt::format("another run saving into {} still held its lock after {}", folder,
                           SecondsText(wait.limit));
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace novarel

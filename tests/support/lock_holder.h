#pragma once
// Another process holding a folder's run lock, as a concurrent run does,
// until the holder is dropped (or for a given time).
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "core/folder_lock.h"

namespace novarel::test {

class LockHolder {
public:
    // Returns once the child holds the lock; it lets go after holdMs
    // milliseconds, or when killed at the end.
    explicit LockHolder(const std::string& folder, int holdMs = 60000) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string path = folder + "/" + RunLockFileName;
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0666);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0) _exit(1);
            (void)!::write(ready[1], "x", 1);
            ::usleep(static_cast<useconds_t>(holdMs) * 1000);
            _exit(0);
        }
        ::close(ready[1]);
        char c = 0;
        holding_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
    }
    ~LockHolder() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool holding() const { return holding_; }

private:
    pid_t pid_ = -1;
    bool holding_ = false;
};

}  // namespace novarel::test

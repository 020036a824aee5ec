#pragma once
// The run lock of a program folder: an advisory lock (flock) on a lock file,
// held while a run puts its data files in place, so that concurrent runs
// into one folder never mix their sets of files. A run waits a bounded time
// for another run's lock and says that it waits; a lock it cannot take is a
// failure, never a reason to go on unlocked.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace novarel {

inline constexpr const char* RunLockFileName = "novarel_SE.lock";

// How long a run waits for the lock another run holds.
inline constexpr std::chrono::milliseconds DefaultRunLockWait{30000};

// The wait of this process: $NOVAREL_LOCK_WAIT seconds (a decimal number)
// when that is set to one, else DefaultRunLockWait.
std::chrono::milliseconds RunLockWaitOfProcess();

// "waiting for another run saving into FOLDER"
std::string WaitingForLockText(const std::string& folder);

struct LockWait {
    std::chrono::milliseconds limit = DefaultRunLockWait;
    // Told once, before waiting, that another run holds the lock (the text
    // of WaitingForLockText), and with an empty text when that wait is over.
    // A front end shows it; the logic prints nothing.
    std::function<void(std::string_view text)> onWaiting;
};

class ProgressSink;

// A generator run's wait: RunLockWaitOfProcess, said through its progress
// sink, which the command line prints on stderr and a window may show.
LockWait RunLockWait(ProgressSink& progress);

class FolderLock {
public:
    // Takes the lock of the folder, waiting at most wait.limit for another
    // run that holds it.
    FolderLock(const std::string& folder, const LockWait& wait);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return fd_ >= 0; }
    // When not locked, why, as a phrase: "another run saving into P still
    // held its lock after 30 s", "the run lock P/novarel_SE.lock cannot be
    // opened (Permission denied)".
    const std::string& problem() const { return problem_; }

private:
    int fd_ = -1;
    std::string problem_;
};

}  // namespace novarel

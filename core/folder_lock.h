#pragma once
// The run lock of a program folder: an advisory lock (flock) on a lock file,
// held while a run puts its data files in place, so that concurrent runs
// into one folder never mix their sets of files.
#include <string>

namespace novarel {

inline constexpr const char* RunLockFileName = "novarel_SE.lock";

class FolderLock {
public:
    // Waits for the lock of the folder. A folder where the lock file cannot
    // be made is left unlocked (locked() false): writing goes on without it.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace novarel

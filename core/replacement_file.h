#pragma once
// A file replaced as a whole: the bytes go to a new file beside it, which is
// renamed onto the final name only once it is complete and on disk. Readers
// and a crash at any moment see the old file or the new one, never a part.
#include <string>
#include <string_view>
#include <vector>

#include "core/folder_lock.h"

namespace novarel {

class ReplacementFile {
public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ReplacementFile(ReplacementFile&& other) noexcept;
    ReplacementFile& operator=(ReplacementFile&& other) noexcept;
    // An uncommitted file is removed: the final name keeps its old content.
    ~ReplacementFile();

    // Creates the new file, exclusively and under a name of its own, in the
    // folder of finalPath, with the permissions (and, for the superuser, the
    // owner) of the file it replaces. False (with error()) when the folder
    // cannot take it or the final name is a folder.
    bool create(const std::string& finalPath);

    // Appends bytes; the first failure is kept and later writes do nothing.
    bool write(std::string_view bytes);

    // Writes what is buffered, syncs the file to disk and closes it.
    bool finishWriting();

    // Renames the finished file onto the final name. A link or file there is
    // replaced, never followed. The folder itself is synced by the caller.
    bool commit();

    // Removes the new file; the final name is left as it was.
    void discard();

    const std::string& finalPath() const { return finalPath_; }
    const std::string& tempPath() const { return tempPath_; }
    bool failed() const { return error_ != 0; }
    int error() const { return error_; }

private:
    bool flushBuffer();
    void fail(int error);

    int fd_ = -1;
    std::string finalPath_;
    std::string tempPath_;
    std::string buffer_;
    int error_ = 0;
};

// Writes all the bytes to the descriptor, again after an interruption or a
// short write; false with the errno (EIO for a write of nothing) in error.
bool WriteAll(int fd, std::string_view bytes, int& error);

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// Syncs a folder, so that renames in it survive a crash; the errno or 0.
int SyncFolder(const std::string& folder);

// True for a name this program gives its new files: "<name>.novarel-<pid>-<tag>.tmp".
bool IsReplacementName(std::string_view fileName);

// Removes new files left in the folder by runs that have ended (killed
// before they could clean up). Files of running processes and files of
// other users stay.
void RemoveStaleReplacements(const std::string& folder);

// The same for the new files of one final path only: for a file in a folder
// that is not the program's own (an export's --output), where other files
// are none of this run's business.
void RemoveStaleReplacementsOf(const std::string& finalPath);

// What became of a set of files given to CommitTogether.
struct SetCommit {
    enum class Result {
        Replaced,  // every new file is in place
        Kept,      // none is: the files under the final names are as they were
        // A failure after the first rename, and the old files could not all
        // be put back: the folder's journal stays, and the next commit into
        // it puts them back.
        Mixed,
    };
    Result result = Result::Replaced;
    int failedIndex = -1;  // the file that failed; -1 when the folder did
    int error = 0;         // the errno of the file that failed
    // When the folder failed: the lock, the journal or the set of a run
    // stopped earlier, as a phrase.
    std::string folderProblem;
    int restoreError = 0;  // Mixed: why the old files could not be put back
    bool replaced() const { return result == Result::Replaced; }
};

// Finishes every file, then, holding the run lock of lockFolder (which
// holds every file), puts them in place all or none: first it rolls back a
// set left there by a run that was stopped, then it writes a journal, gives
// each old file a second name, renames the new one onto it, and on a failure
// puts the old files back. The journal is removed once the last file is in
// place.
SetCommit CommitTogether(const std::vector<ReplacementFile*>& files, const std::string& lockFolder,
                         const LockWait& wait = {});

// One data file of a run, written and committed as CommitTogether does.
SetCommit WriteRunDataFile(const std::string& path, std::string_view bytes,
                           const LockWait& wait = {});

}  // namespace novarel

#pragma once
// A file replaced as a whole: the bytes go to a new file beside it, which is
// renamed onto the final name only once it is complete and on disk. Readers
// and a crash at any moment see the old file or the new one, never a part.
#include <string>
#include <string_view>
#include <vector>

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
    // folder of finalPath. False (with error()) when the folder cannot take
    // it or the final name is a folder.
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

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// Syncs a folder, so that renames in it survive a crash; the errno or 0.
int SyncFolder(const std::string& folder);

// True for a name this program gives its new files: "<name>.novarel-<pid>-<tag>.tmp".
bool IsReplacementName(std::string_view fileName);

// Removes new files left in the folder by runs that have ended (killed
// before they could clean up). Files of running processes stay.
void RemoveStaleReplacements(const std::string& folder);

// The same for the new files of one final path only: for a file in a folder
// that is not the program's own (an export's --output), where other files
// are none of this run's business.
void RemoveStaleReplacementsOf(const std::string& finalPath);

// Finishes every file, then, holding the folder's run lock, renames all of
// them onto their final names and syncs the folder. Either every file is
// replaced or, on a failure before the first rename, none is. The index of
// the file that failed, or -1.
int CommitTogether(const std::vector<ReplacementFile*>& files, const std::string& lockFolder);

// One data file of a run, written and committed as CommitTogether does.
bool WriteRunDataFile(const std::string& path, std::string_view bytes, int* error = nullptr);

}  // namespace novarel

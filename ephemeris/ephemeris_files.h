#pragma once
// The four data files of an ephemeris run ("Save data to file"): single-byte
// text, CR LF line ends, in the order LO, LA, RA, DE. The run writes new
// files beside the old ones; finish() puts all four in place together, so a
// failed run leaves the files of the run before as they were, and the set
// of a killed one is rolled back by the next run that saves into the folder.
#include <array>
#include <string>
#include <string_view>

#include "core/replacement_file.h"
#include "ephemeris/ephemeris_tables.h"

namespace novarel {

class EphemerisDataFiles {
public:
    EphemerisDataFiles() = default;
    EphemerisDataFiles(const EphemerisDataFiles&) = delete;
    EphemerisDataFiles& operator=(const EphemerisDataFiles&) = delete;
    ~EphemerisDataFiles();

    // Creates the four new files. On failure the ones already created are
    // removed and failedPath() names the one that failed.
    bool open(const std::array<std::string, 4>& paths);
    bool isOpen() const { return open_; }

    // Writes one line with its CR LF; a failed write is remembered.
    void writeLine(EphemerisTable table, std::string_view line);
    bool failed() const { return !failedPath_.empty() || !folderProblem_.empty(); }

    // Ends every file with its empty line and, under the folder's run lock,
    // puts the four in place of the old ones; false when any write failed,
    // the lock could not be taken within the wait or a rename failed, and
    // then the new files are removed and the old ones put back.
    bool finish(const LockWait& wait = {});

    // Removes the new files; the data files of earlier runs stay untouched.
    void discard();

    // The file that failed (empty when the folder did) and its errno.
    const std::string& failedPath() const { return failedPath_; }
    int failedError() const { return failedError_; }
    // What kept the set out of the folder when no one file failed: the run
    // lock, the journal, the set of a run stopped earlier.
    const std::string& folderProblem() const { return folderProblem_; }
    // Not 0 when, after a failed rename, the old files could not all be put
    // back: the next run that saves into the folder does it.
    int restoreError() const { return restoreError_; }

private:
    void noteFailure(std::size_t index, int error);

    std::array<ReplacementFile, 4> files_;
    std::array<std::string, 4> paths_;
    bool open_ = false;
    std::string failedPath_;
    int failedError_ = 0;
    std::string folderProblem_;
    int restoreError_ = 0;
};

}  // namespace novarel

#include "ephemeris/ephemeris_files.h"

#include <vector>

namespace novarel {

EphemerisDataFiles::~EphemerisDataFiles() {
    // A set that was neither finished nor discarded is incomplete.
    if (open_) discard();
}

void EphemerisDataFiles::noteFailure(std::size_t index, int error) {
    if (!failedPath_.empty()) return;
    failedPath_ = paths_[index];
    failedError_ = error;
}

bool EphemerisDataFiles::open(const std::array<std::string, 4>& paths) {
    paths_ = paths;
    failedPath_.clear();
    failedError_ = 0;
    folderProblem_.clear();
    restoreError_ = 0;
    open_ = true;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (!files_[i].create(paths_[i])) {
            noteFailure(i, files_[i].error());
            discard();
            return false;
        }
    }
    return true;
}

void EphemerisDataFiles::writeLine(EphemerisTable table, std::string_view line) {
    const std::size_t i = FileNumberIndex(table);
    ReplacementFile& f = files_[i];
    if (!open_ || f.failed()) return;
    if (!f.write(line) || !f.write("\r\n")) noteFailure(i, f.error());
}

bool EphemerisDataFiles::finish(const LockWait& wait) {
    for (EphemerisTable t : EphemerisTables) writeLine(t, "");
    if (!failed()) {
        std::vector<ReplacementFile*> set;
        for (ReplacementFile& f : files_) set.push_back(&f);
        const SetCommit commit = CommitTogether(set, FolderOf(paths_[0]), wait);
        if (commit.failedIndex >= 0)
            noteFailure(static_cast<std::size_t>(commit.failedIndex), commit.error);
        else
            folderProblem_ = commit.folderProblem;
        restoreError_ = commit.restoreError;
    }
    open_ = false;
    if (failed()) discard();
    return !failed();
}

void EphemerisDataFiles::discard() {
    for (ReplacementFile& f : files_) f.discard();
    open_ = false;
}

}  // namespace novarel

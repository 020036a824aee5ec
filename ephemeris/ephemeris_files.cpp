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

bool EphemerisDataFiles::finish() {
    for (EphemerisTable t : EphemerisTables) writeLine(t, "");
    if (failedPath_.empty()) {
        std::vector<ReplacementFile*> set;
        for (ReplacementFile& f : files_) set.push_back(&f);
        const int failed = CommitTogether(set, FolderOf(paths_[0]));
        if (failed >= 0) {
            const auto i = static_cast<std::size_t>(failed);
            noteFailure(i, files_[i].error());
        }
    }
    open_ = false;
    if (!failedPath_.empty()) discard();
    return failedPath_.empty();
}

void EphemerisDataFiles::discard() {
    for (ReplacementFile& f : files_) f.discard();
    open_ = false;
}

}  // namespace novarel

#include "ephemeris/ephemeris_files.h"

#include <cerrno>
#include <filesystem>

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
    created_ = {};
    failedPath_.clear();
    failedError_ = 0;
    open_ = true;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        errno = 0;
        files_[i] = std::fopen(paths_[i].c_str(), "wb");
        if (files_[i] == nullptr) {
            noteFailure(i, errno);
            discard();
            return false;
        }
        created_[i] = true;
    }
    return true;
}

void EphemerisDataFiles::writeLine(EphemerisTable table, std::string_view line) {
    const std::size_t i = FileNumberIndex(table);
    std::FILE* f = files_[i];
    if (f == nullptr) return;
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), f) != line.size() ||
        std::fwrite("\r\n", 1, 2, f) != 2)
        noteFailure(i, errno);
}

bool EphemerisDataFiles::finish() {
    for (EphemerisTable t : EphemerisTables) writeLine(t, "");
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i] == nullptr) continue;
        errno = 0;
        if (std::fclose(files_[i]) != 0) noteFailure(i, errno);
        files_[i] = nullptr;
    }
    open_ = false;
    if (!failedPath_.empty()) discard();
    return failedPath_.empty();
}

void EphemerisDataFiles::discard() {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (files_[i] != nullptr) std::fclose(files_[i]);
        files_[i] = nullptr;
        // Only the plain files this set opened: a folder or a link in the way
        // stays untouched.
        std::error_code ec;
        if (created_[i] &&
            std::filesystem::is_regular_file(std::filesystem::symlink_status(paths_[i], ec)))
            std::filesystem::remove(paths_[i], ec);
        created_[i] = false;
    }
    open_ = false;
}

}  // namespace novarel

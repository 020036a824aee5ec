#pragma once
// The four data files of an ephemeris run ("Save data to file"): single-byte
// text, CR LF line ends, opened in the order LO, LA, RA, DE.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "ephemeris/ephemeris_tables.h"

namespace novarel {

class EphemerisDataFiles {
public:
    EphemerisDataFiles() = default;
    EphemerisDataFiles(const EphemerisDataFiles&) = delete;
    EphemerisDataFiles& operator=(const EphemerisDataFiles&) = delete;
    ~EphemerisDataFiles();

    // Creates (or empties) the four files. On failure the files already
    // created are removed and failedPath() names the one that failed.
    bool open(const std::array<std::string, 4>& paths);
    bool isOpen() const { return open_; }

    // Writes one line with its CR LF; a failed write is remembered.
    void writeLine(EphemerisTable table, std::string_view line);
    bool failed() const { return !failedPath_.empty(); }

    // Ends every file with its empty line and closes them; false when any
    // write or close failed, and then the set is removed.
    bool finish();

    // Closes and removes every file of the set, so that an interrupted run
    // leaves no data file that looks complete.
    void discard();

    const std::string& failedPath() const { return failedPath_; }
    int failedError() const { return failedError_; }

private:
    void noteFailure(std::size_t index, int error);

    std::array<std::FILE*, 4> files_{};
    std::array<std::string, 4> paths_;
    std::array<bool, 4> created_{};
    bool open_ = false;
    std::string failedPath_;
    int failedError_ = 0;
};

}  // namespace novarel

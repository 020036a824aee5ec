#include "core/in_place_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/replacement_file.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

// A link whose chain passes through /proc names a descriptor of some
// process (/dev/stdout, /dev/fd/N): replacing it would replace the link.
bool LinksIntoProc(const std::string& path) {
    fs::path at = path;
    std::error_code ec;
    for (int hop = 0; hop < 16 && fs::is_symlink(at, ec); ++hop) {
        const fs::path target = fs::read_symlink(at, ec);
        if (ec) return false;
        at = target.is_absolute() ? target : at.parent_path() / target;
        if (at.lexically_normal().string().starts_with("/proc/")) return true;
    }
    return false;
}

}  // namespace

bool WrittenInPlace(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return !S_ISREG(st.st_mode) ? !S_ISDIR(st.st_mode) : LinksIntoProc(path);
}

InPlaceFile::~InPlaceFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InPlaceFile::open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

bool InPlaceFile::write(std::string_view bytes) {
    if (error_ == 0 && fd_ >= 0) WriteAll(fd_, bytes, error_);
    return error_ == 0;
}

int InPlaceFile::finish() {
    if (fd_ >= 0 && ::close(fd_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    fd_ = -1;
    return error_;
}

}  // namespace novarel

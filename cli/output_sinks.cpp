#include "cli/output_sinks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "cli/standard_output.h"

namespace novarel::cli {
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

bool StandardOutputSink::write(std::string_view bytes) {
    if (error_ != 0 || bytes.empty()) return error_ == 0;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        error_ = errno != 0 ? errno : EIO;
    return error_ == 0;
}

int StandardOutputSink::finish() {
    const int closing = WriteStandardOutput({});
    return error_ != 0 ? error_ : closing;
}

FileSink::FileSink(const std::string& path) : path_(path) {
    if (!file_.create(path)) error_ = file_.error() != 0 ? file_.error() : EIO;
}

bool FileSink::write(std::string_view bytes) {
    if (error_ == 0 && !file_.write(bytes)) error_ = file_.error() != 0 ? file_.error() : EIO;
    return error_ == 0;
}

int FileSink::finish() {
    if (error_ == 0 && !(file_.finishWriting() && file_.commit()))
        error_ = file_.error() != 0 ? file_.error() : EIO;
    if (error_ != 0) {
        file_.discard();
        return error_;
    }
    SyncFolder(FolderOf(file_.finalPath()));
    // What a killed earlier run to this file left behind.
    RemoveStaleReplacementsOf(file_.finalPath());
    return 0;
}

void FileSink::abandon() { file_.discard(); }

StreamFileSink::StreamFileSink(const std::string& path) : path_(path) {
    // O_APPEND: a file behind /dev/stdout opened with ">>" keeps its start.
    fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) error_ = errno != 0 ? errno : EIO;
}

StreamFileSink::~StreamFileSink() {
    if (fd_ >= 0) ::close(fd_);
}

bool StreamFileSink::write(std::string_view bytes) {
    if (error_ == 0) WriteAll(fd_, bytes, error_);
    return error_ == 0;
}

int StreamFileSink::finish() {
    if (fd_ >= 0 && ::close(fd_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    fd_ = -1;
    return error_;
}

bool WrittenInPlace(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return !S_ISREG(st.st_mode) ? !S_ISDIR(st.st_mode) : LinksIntoProc(path);
}

std::unique_ptr<OutputSink> OutputFileSink(const std::string& path) {
    if (WrittenInPlace(path)) return std::make_unique<StreamFileSink>(path);
    return std::make_unique<FileSink>(path);
}

}  // namespace novarel::cli

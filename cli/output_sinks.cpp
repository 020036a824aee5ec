#include "cli/output_sinks.h"

#include <cerrno>
#include <cstdio>

#include "cli/standard_output.h"

namespace novarel::cli {

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

StreamFileSink::StreamFileSink(const std::string& path) : path_(path) { file_.open(path); }

bool StreamFileSink::write(std::string_view bytes) { return file_.write(bytes); }

int StreamFileSink::finish() { return file_.finish(); }

std::unique_ptr<OutputSink> OutputFileSink(const std::string& path) {
    if (WrittenInPlace(path)) return std::make_unique<StreamFileSink>(path);
    return std::make_unique<FileSink>(path);
}

}  // namespace novarel::cli

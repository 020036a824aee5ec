#pragma once
// Where a run's output goes, written piece by piece with every write checked:
// standard output, or a file that replaces the old one only once complete.
#include <memory>
#include <string>
#include <string_view>

#include "core/replacement_file.h"

namespace novarel::cli {

class OutputSink {
public:
    virtual ~OutputSink() = default;
    // False once a write failed; later writes do nothing.
    virtual bool write(std::string_view bytes) = 0;
    // Completes the output (flush and close, or commit the file); the errno
    // of the first failure or 0.
    virtual int finish() = 0;
    // What messages call it: "output" for standard output, else the file.
    virtual std::string target() const { return "output"; }
};

class StandardOutputSink final : public OutputSink {
public:
    bool write(std::string_view bytes) override;
    int finish() override;

private:
    int error_ = 0;
};

// The file is written beside its final name and renamed onto it by finish;
// an unfinished file leaves the old one as it was.
class FileSink final : public OutputSink {
public:
    explicit FileSink(const std::string& path);
    bool write(std::string_view bytes) override;
    int finish() override;
    std::string target() const override { return path_; }

private:
    std::string path_;
    ReplacementFile file_;
    int error_ = 0;
};

}  // namespace novarel::cli

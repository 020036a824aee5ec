#pragma once
// Where a run's output goes, written piece by piece with every write checked:
// standard output, a file that replaces the old one only once complete, or a
// FIFO or device that is written into as it is.
#include <memory>
#include <string>
#include <string_view>

#include "core/in_place_file.h"
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
    // Ends an output that must not be completed: a replacement file is
    // removed and the old file keeps its bytes; what went to a stream or a
    // device stays written.
    virtual void abandon() { finish(); }
    // True when abandon leaves the earlier content as it was.
    virtual bool replacesWhole() const { return false; }
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
    void abandon() override;
    bool replacesWhole() const override { return true; }
    std::string target() const override { return path_; }

private:
    std::string path_;
    ReplacementFile file_;
    int error_ = 0;
};

// An existing FIFO, device or terminal (also through a link such as
// /dev/stdout): opened and written into, never replaced by a regular file.
class StreamFileSink final : public OutputSink {
public:
    explicit StreamFileSink(const std::string& path);
    bool write(std::string_view bytes) override;
    int finish() override;
    std::string target() const override { return path_; }

private:
    std::string path_;
    InPlaceFile file_;
};

// The sink for --output: StreamFileSink for what WrittenInPlace names, else FileSink.
std::unique_ptr<OutputSink> OutputFileSink(const std::string& path);

}  // namespace novarel::cli

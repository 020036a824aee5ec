#pragma once
// An output named by the user that is not a file of its own: a FIFO, a
// device, a terminal, or a link to a descriptor such as /dev/stdout. A new
// file renamed onto such a name would take the place of the pipe, device or
// link, so it is opened and written into where it is.
#include <string>
#include <string_view>

namespace novarel {

// True when the path names an existing file that is not a regular one (nor
// a folder), or a link whose chain passes through /proc.
bool WrittenInPlace(const std::string& path);

class InPlaceFile {
public:
    InPlaceFile() = default;
    InPlaceFile(const InPlaceFile&) = delete;
    InPlaceFile& operator=(const InPlaceFile&) = delete;
    ~InPlaceFile();

    // Opens for appending (a file behind ">>" keeps its start); false with error().
    bool open(const std::string& path);
    // Writes every byte; the first failure is kept and later writes do nothing.
    bool write(std::string_view bytes);
    // Closes; the errno of the first failure, or 0.
    int finish();
    int error() const { return error_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace novarel

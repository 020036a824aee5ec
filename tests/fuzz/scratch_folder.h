#pragma once
// A fresh folder under /tmp for one fuzz input, removed with everything in it at the end.
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace novarel::fuzz {

class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/novarel_fuzz_dir_XXXXXX";
        if (::mkdtemp(pattern) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace novarel::fuzz

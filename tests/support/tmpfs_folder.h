#pragma once
// A folder on a small tmpfs of its own, for runs that must meet a full disk:
// mounted where the test may mount (root), unmounted and removed at the end.
#include <sys/mount.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace novarel::test {

class TmpfsFolder {
public:
    // size as mount(8) takes it: "48k", "200k".
    explicit TmpfsFolder(const std::string& size) : path_(holder_.file("disk")) {
        std::filesystem::create_directory(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~TmpfsFolder() {
        if (mounted_) ::umount(path_.c_str());
    }
    TmpfsFolder(const TmpfsFolder&) = delete;
    TmpfsFolder& operator=(const TmpfsFolder&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& str() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    TempFolder holder_;
    std::string path_;
    bool mounted_ = false;
};

}  // namespace novarel::test

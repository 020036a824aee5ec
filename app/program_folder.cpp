#include "app/program_folder.h"

#include <filesystem>

namespace novarel {

std::string ExecutableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

ProgramFolder ChooseProgramFolder(std::string_view dirOption) {
    ProgramFolder folder{dirOption.empty() ? ExecutableFolder() : std::string(dirOption), {}};
    std::error_code ec;
    if (!std::filesystem::is_directory(folder.path, ec))
        folder.error = "the program folder " + folder.path + " does not exist.";
    return folder;
}

}  // namespace novarel

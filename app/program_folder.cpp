#include "app/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace novarel {
namespace {

namespace fs = std::filesystem;

constexpr const char* RuntimeMarkerFile = "OPTIONS.OPT";

bool HoldsRuntimeFiles(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / RuntimeMarkerFile, ec);
}

bool Writable(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::string Getenv(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Copies each file of `from` that `to` lacks; files the user has changed
// (the options) stay as they are.
std::string Seed(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec || !fs::is_directory(to, ec))
        return "the program folder " + to.string() + " cannot be created: " + ec.message() + ".";
    for (fs::directory_iterator it(from, ec), last; !ec && it != last; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const fs::path target = to / it->path().filename();
        std::error_code copyError;
        if (fs::exists(target, copyError)) continue;
        if (!fs::copy_file(it->path(), target, copyError))
            return "the file " + target.string() + " cannot be written: " + copyError.message() +
                   ".";
    }
    return {};
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

FolderEnvironment FolderEnvironmentOfProcess() {
    return FolderEnvironment{ExecutableFolder(), Getenv("XDG_DATA_HOME"), Getenv("HOME")};
}

std::string RuntimeFolderOf(const std::string& executableFolder) {
    if (HoldsRuntimeFiles(executableFolder)) return executableFolder;
    const fs::path installed =
        (fs::path(executableFolder) / InstalledRuntimeFolder).lexically_normal();
    if (HoldsRuntimeFiles(installed)) return installed.string();
    return executableFolder;
}

std::string UserProgramFolder(const FolderEnvironment& env) {
    if (fs::path(env.xdgDataHome).is_absolute())
        return (fs::path(env.xdgDataHome) / "novarel").string();
    return (fs::path(env.home) / ".local/share/novarel").string();
}

ProgramFolder ChooseProgramFolder(std::string_view dirOption, const FolderEnvironment& env) {
    std::error_code ec;
    if (!dirOption.empty()) {
        ProgramFolder folder{std::string(dirOption), {}};
        if (!fs::is_directory(folder.path, ec))
            folder.error = "the program folder " + folder.path + " does not exist.";
        return folder;
    }
    const std::string runtime = RuntimeFolderOf(env.executableFolder);
    if (!fs::is_directory(runtime, ec))
        return {runtime, "the program folder " + runtime + " does not exist."};
    if (Writable(runtime) || !HoldsRuntimeFiles(runtime)) return {runtime, {}};
    ProgramFolder folder{UserProgramFolder(env), {}};
    if (!fs::path(folder.path).is_absolute())
        folder.error = "the program folder " + runtime +
                       " is not writable and neither $XDG_DATA_HOME nor $HOME is set.";
    else
        folder.error = Seed(runtime, folder.path);
    return folder;
}

ProgramFolder ChooseProgramFolder(std::string_view dirOption) {
    return ChooseProgramFolder(dirOption, FolderEnvironmentOfProcess());
}

}  // namespace novarel

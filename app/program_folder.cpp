#include "app/program_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/replacement_file.h"

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

// Creates each missing folder of the path with mode 0700, as the XDG
// base-directory rules ask of folders under $XDG_DATA_HOME.
std::error_code CreatePrivateFolders(const fs::path& path) {
    fs::path partial;
    for (const fs::path& part : path) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return {errno, std::generic_category()};
    }
    std::error_code ec;
    if (!fs::is_directory(path, ec) && !ec) ec = std::make_error_code(std::errc::not_a_directory);
    return ec;
}

// A file of the folder is to be given when missing or a link to nothing.
bool Lacks(const fs::path& target) {
    std::error_code ec;
    return !fs::exists(fs::symlink_status(target, ec)) || !fs::exists(target, ec);
}

// Copies the file as a whole: a link at the target is replaced, not followed.
int CopyFile(const fs::path& from, const fs::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    ReplacementFile out;
    bool ok = out.create(to.string());
    int readError = 0;
    char block[1 << 16];
    while (ok) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) readError = errno;
        if (n <= 0) break;
        ok = out.write(std::string_view(block, static_cast<std::size_t>(n)));
    }
    ::close(in);
    if (readError != 0) return readError;
    if (ok && out.commit()) return 0;
    return out.error();
}

// Copies each file of `from` that `to` lacks; files the user has changed
// (the options) stay as they are.
std::string Seed(const fs::path& from, const fs::path& to) {
    std::error_code ec = CreatePrivateFolders(to);
    if (ec)
        return "the program folder " + to.string() + " cannot be created: " + ec.message() + ".";
    for (fs::directory_iterator it(from, ec), last; !ec && it != last; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const fs::path target = to / it->path().filename();
        if (!Lacks(target)) continue;
        if (const int error = CopyFile(it->path(), target))
            return "the file " + target.string() +
                   " cannot be written: " + std::generic_category().message(error) + ".";
    }
    return {};
}

// The user's own folder, when it exists, must be this user's: another
// user's folder holds that user's options and would receive files this user
// owns.
std::string OwnerProblem(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || st.st_uid == ::geteuid()) return {};
    return "the program folder " + folder +
           " belongs to another user; name a folder of your own with --dir.";
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

std::vector<std::string> RuntimeFilePlaces(const std::string& programFolder,
                                           std::string_view fileName) {
    const fs::path executable = ExecutableFolder();
    std::vector<std::string> places;
    for (const fs::path& folder :
         {fs::path(programFolder), executable, executable / InstalledRuntimeFolder}) {
        std::error_code ec;
        fs::path file = fs::weakly_canonical(folder / fileName, ec);
        if (ec) file = (folder / fileName).lexically_normal();
        if (std::find(places.begin(), places.end(), file.string()) == places.end())
            places.push_back(file.string());
    }
    return places;
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
    else if (folder.error = OwnerProblem(folder.path); folder.error.empty())
        folder.error = Seed(runtime, folder.path);
    return folder;
}

ProgramFolder ChooseProgramFolder(std::string_view dirOption) {
    return ChooseProgramFolder(dirOption, FolderEnvironmentOfProcess());
}

}  // namespace novarel

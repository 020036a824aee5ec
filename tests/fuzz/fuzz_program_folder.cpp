// The program folder chosen from --dir, $XDG_DATA_HOME and $HOME made of fuzz bytes. Every
// absolute name is confined to a scratch folder: the choice creates folders and copies files.
// The runtime folder beside the "executable" is one this process cannot write into (immutable
// when run as root, read-only otherwise), so the choice falls to the user's own folder.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "core/text_file.h"
#include "tests/fuzz/fuzz_cases.h"
#include "tests/fuzz/scratch_folder.h"

namespace novarel::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr const char* RuntimeFolder = "/tmp/novarel_fuzz_runtime";
constexpr const char* RuntimeFiles[] = {"OPTIONS.OPT", "OPTIONS.MAS", "README.TXT"};
constexpr uid_t Nobody = 65534;

// The runtime folder, made once per process and kept (scripts/fuzz.sh removes it).
bool RuntimeFolderReady() {
    std::error_code ec;
    if (fs::is_regular_file(fs::path(RuntimeFolder) / "README.TXT", ec)) return true;
    fs::create_directories(RuntimeFolder, ec);
    for (const char* name : RuntimeFiles)
        std::ofstream(fs::path(RuntimeFolder) / name, std::ios::binary) << name << "\r\n";
    if (::geteuid() != 0) return ::chmod(RuntimeFolder, 0555) == 0;
    const int fd = ::open(RuntimeFolder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    const bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                    (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    ::close(fd);
    return ok;
}

// A name from the bytes: an absolute one inside the scratch folder, a relative one as it is.
// Names that could leave the scratch folder ("..", NUL) are not taken.
bool Confined(const std::string& scratch, const std::string& bytes, std::string& name) {
    if (bytes.find('\0') != std::string::npos) return false;
    for (const fs::path& part : fs::path(bytes))
        if (part == "..") return false;
    name = !bytes.empty() && bytes[0] == '/' ? scratch + bytes : bytes;
    return true;
}

std::set<std::string> FoldersUnder(const std::string& root) {
    std::set<std::string> folders;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec)) folders.insert(it->path().string());
    return folders;
}

bool SameFolder(const std::string& a, const fs::path& b) {
    return fs::path(a).lexically_normal() == b.lexically_normal();
}

}  // namespace

// The first byte sets the scene, the rest is XDG_DATA_HOME, HOME and --dir separated by
// line feeds.
void ProgramFolderChoice(const std::string& bytes) {
    if (bytes.empty() || !RuntimeFolderReady()) return;
    const unsigned scene = static_cast<unsigned char>(bytes[0]);
    std::vector<std::string> fields(3);
    std::size_t k = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && k < 2)
            ++k;
        else
            fields[k] += bytes[i];
    }
    ScratchFolder scratch;
    if (!scratch.ok()) return;
    std::string xdg, home, dir;
    if (!Confined(scratch.path(), fields[0], xdg) || !Confined(scratch.path(), fields[1], home) ||
        !Confined(scratch.path(), fields[2], dir))
        return;
    const bool withDir = (scene & 1) != 0;
    if (withDir && (dir.empty() || dir[0] != '/')) return;  // a relative --dir names the cwd
    // The user's folder as the rules name it.
    const fs::path user = fs::path(xdg).is_absolute() ? fs::path(xdg) / "novarel"
                                                      : fs::path(home) / ".local/share/novarel";
    std::error_code ec;
    // What was there before: the user's folder, another user's, a file in its place, a link
    // to nothing or changed options in it.
    const bool userAbsolute = user.is_absolute();
    if (userAbsolute && (scene & 2) != 0) {
        fs::create_directories(user.parent_path(), ec);
        if ((scene & 4) != 0)
            std::ofstream(user, std::ios::binary) << "not a folder";
        else if (::mkdir(user.c_str(), (scene & 8) != 0 ? 0755 : 0700) == 0) {
            if ((scene & 16) != 0) fs::create_symlink(user / "nothing", user / "OPTIONS.OPT", ec);
            if ((scene & 32) != 0) std::ofstream(user / "OPTIONS.OPT") << "7 changed\r\n";
            if ((scene & 64) != 0 && ::geteuid() == 0) (void)::chown(user.c_str(), Nobody, Nobody);
        }
    }
    struct stat before {};
    const bool existed = ::lstat(user.c_str(), &before) == 0;
    const auto options = ReadWholeFile((user / "OPTIONS.OPT").string());
    const std::set<std::string> folders = FoldersUnder(scratch.path());

    const ProgramFolder chosen =
        ChooseProgramFolder(withDir ? dir : "", FolderEnvironment{RuntimeFolder, xdg, home});

    // Either a reason or an existing folder.
    if (chosen.error.empty() && !fs::is_directory(chosen.path, ec)) __builtin_trap();
    // Every folder the choice created is private.
    for (const std::string& f : FoldersUnder(scratch.path())) {
        struct stat st {};
        if (folders.count(f) == 0 && (::stat(f.c_str(), &st) != 0 || (st.st_mode & 0777) != 0700))
            __builtin_trap();
    }
    if (withDir) {
        if (chosen.path != dir) __builtin_trap();
        return;
    }
    if (!userAbsolute) {
        // No folder to name: said so, and nothing made.
        if (chosen.error.empty() || FoldersUnder(scratch.path()) != folders) __builtin_trap();
        return;
    }
    if (!SameFolder(chosen.path, user)) __builtin_trap();
    if (existed && S_ISDIR(before.st_mode) && before.st_uid != ::geteuid()) {
        // Another user's folder is refused and left as it was.
        if (chosen.error.empty() || ReadWholeFile((user / "OPTIONS.OPT").string()) != options)
            __builtin_trap();
        return;
    }
    if (!chosen.error.empty()) return;
    // The folder holds every runtime file, and options the user changed stay.
    for (const char* name : RuntimeFiles)
        if (!fs::is_regular_file(user / name, ec)) __builtin_trap();
    if (options && ReadWholeFile((user / "OPTIONS.OPT").string()) != options) __builtin_trap();
}

}  // namespace novarel::fuzz

#pragma once
// The program folder of either front end: the folder named with --dir, else
// the folder of the runtime files next to the executable, else (when that
// one is not writable, as in an installed program) a folder of the user's
// own, seeded from it.
#include <string>
#include <string_view>
#include <vector>

namespace novarel {

struct ProgramFolder {
    std::string path;
    // Empty when the folder can be used; else the text to show the user.
    std::string error;
};

// Where an installed program puts its runtime files, from its executable's
// folder: P/bin/novarel reads P/share/novarel.
inline constexpr std::string_view InstalledRuntimeFolder = "../share/novarel";

// What the choice depends on besides --dir, so tests can set it.
struct FolderEnvironment {
    std::string executableFolder;
    std::string xdgDataHome;  // $XDG_DATA_HOME
    std::string home;         // $HOME
};

// The folder holding the running executable ("." when it cannot be found).
std::string ExecutableFolder();

FolderEnvironment FolderEnvironmentOfProcess();

// The folder holding the runtime files (OPTIONS.OPT) for an executable in
// this folder: the folder itself (a build folder), else the installed one
// beside it; the folder itself when neither holds them.
std::string RuntimeFolderOf(const std::string& executableFolder);

// Where a runtime file may be, in the order to try: the program folder,
// beside the executable, then the installed runtime folder (each place once).
std::vector<std::string> RuntimeFilePlaces(const std::string& programFolder,
                                           std::string_view fileName);

// $XDG_DATA_HOME/novarel, or ~/.local/share/novarel when that is not set
// to an absolute path.
std::string UserProgramFolder(const FolderEnvironment& env);

// The --dir option when given (an error when that is not an existing
// folder); else the runtime folder when this user may write into it; else
// the user's own folder (an error when it belongs to another user), created
// with mode 0700 when missing and given each runtime file it lacks or that
// is a link to nothing (the options files, the help texts, the glyph font).
ProgramFolder ChooseProgramFolder(std::string_view dirOption, const FolderEnvironment& env);
ProgramFolder ChooseProgramFolder(std::string_view dirOption);

}  // namespace novarel

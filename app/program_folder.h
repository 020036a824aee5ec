#pragma once
// The program folder of either front end: the folder of the executable, or
// the one named with --dir.
#include <string>
#include <string_view>

namespace novarel {

struct ProgramFolder {
    std::string path;
    // Empty when the folder can be used; else the text to show the user.
    std::string error;
};

// The folder holding the running executable ("." when it cannot be found).
std::string ExecutableFolder();

// The --dir option when given, else the executable's folder; an error when
// that is not an existing folder.
ProgramFolder ChooseProgramFolder(std::string_view dirOption);

}  // namespace novarel

#pragma once
// Runs the novarel executable from / with a program folder of its own (the
// build's options file with chosen values put in) and catches what it writes.
#include <stdlib.h>
#include <sys/wait.h>
#include <wchar.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace novarel::clitest {

// The novarel executable under test.
inline std::string NovarelExe() { return std::string(NOVAREL_EXE); }

// The shell line's exit status (-1 when it did not exit).
inline int Shell(const std::string& line) {
    const int raw = std::system(line.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines of a text split at `end`; a last line end adds no empty line.
inline std::vector<std::string> Lines(const std::string& text, const std::string& end = "\n") {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find(end, start);
        if (stop == std::string::npos) stop = text.size();
        lines.push_back(text.substr(start, stop - start));
        start = stop + end.size();
    }
    return lines;
}

// A program folder with the build's OPTIONS.OPT, the given values put in
// place of the first word of their lines.
// The new files the program's writer leaves in a folder (names ending in
// ".tmp"), sorted: none once a run has ended, however it ended.
inline std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().string().ends_with(".tmp")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ProgramFolder : public test::TempFolder {
public:
    explicit ProgramFolder(const std::map<int, std::string>& options = {}) {
        std::istringstream in(ReadBytes(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT"));
        std::string text, line;
        for (int k = 1; std::getline(in, line); ++k) {
            const auto it = options.find(k);
            if (it != options.end()) line = it->second + line.substr(line.find(' '));
            text += line + "\n";
        }
        std::ofstream(file("OPTIONS.OPT"), std::ios::binary) << text;
    }
};

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// EXECUTABLE COMMAND --dir FOLDER ARGS in the given environment.
inline CliResult RunProgram(const std::string& executable, const ProgramFolder& folder,
                            const std::string& command, const std::string& args,
                            const std::string& env) {
    const std::string out = folder.file(".stdout"), err = folder.file(".stderr");
    const std::string line = "cd / && env " + env + " '" + executable + "' " + command +
                             " --dir '" + folder.str() + "' " + args + " > '" + out + "' 2> '" +
                             err + "'";
    const int raw = std::system(line.c_str());
    CliResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

// novarel COMMAND --dir FOLDER ARGS in the given environment (English names
// by default).
inline CliResult RunNovarel(const ProgramFolder& folder, const std::string& command,
                            const std::string& args, const std::string& env = "LC_ALL=C") {
    return RunProgram(NovarelExe(), folder, command, args, env);
}

// The terminal cell where the character of each byte of a UTF-8 line begins,
// as wcwidth (the measure terminals use) counts under a UTF-8 LC_CTYPE; one
// more entry holds the width of the line. Empty for text that is not UTF-8.
inline std::vector<int> TerminalColumns(const std::string& line) {
    std::vector<int> cols;
    std::mbstate_t state{};
    int col = 0;
    for (std::size_t i = 0; i < line.size();) {
        wchar_t wc = 0;
        const std::size_t n = std::mbrtowc(&wc, line.data() + i, line.size() - i, &state);
        if (n == 0 || n > line.size()) return {};
        cols.insert(cols.end(), n, col);
        col += wcwidth(wc);
        i += n;
    }
    cols.push_back(col);
    return cols;
}

}  // namespace novarel::clitest

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

namespace novarel::clitest {

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ProgramFolder {
public:
    // The build's OPTIONS.OPT with the given values in place of the first
    // word of their lines.
    explicit ProgramFolder(const std::map<int, std::string>& options = {}) {
        std::string pattern = (std::filesystem::temp_directory_path() / "novarel_cli_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        std::istringstream in(ReadBytes(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT"));
        std::string text, line;
        for (int k = 1; std::getline(in, line); ++k) {
            const auto it = options.find(k);
            if (it != options.end()) line = it->second + line.substr(line.find(' '));
            text += line + "\n";
        }
        std::ofstream(file("OPTIONS.OPT"), std::ios::binary) << text;
    }
    ~ProgramFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& str() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::vector<std::string> entries() const {  // sorted
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// novarel COMMAND --dir FOLDER ARGS in the given environment (English names
// by default).
inline CliResult RunNovarel(const ProgramFolder& folder, const std::string& command, const std::string& args,
                            const std::string& env = "LC_ALL=C") {
    const std::string out = folder.file(".stdout"), err = folder.file(".stderr");
    const std::string line = "cd / && env " + env + " '" + std::string(NOVAREL_EXE) + "' " + command + " --dir '" +
                             folder.str() + "' " + args + " > '" + out + "' 2> '" + err + "'";
    const int raw = std::system(line.c_str());
    CliResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
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

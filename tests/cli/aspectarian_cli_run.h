#pragma once
// Runs the novarel executable in a folder of its own, with an options file
// made from the build's one, and catches stdout and stderr.
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace novarel::asptest {

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class ProgramFolder {
public:
    // The build's OPTIONS.OPT with the given option values put in.
    explicit ProgramFolder(const std::map<int, std::string>& options = {}) {
        std::string pattern = (std::filesystem::temp_directory_path() / "novarel_aspcli_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        std::istringstream in(ReadBytes(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT"));
        std::string text, line;
        for (int k = 1; std::getline(in, line); ++k) {
            const auto it = options.find(k);
            if (it != options.end()) line = it->second + line.substr(line.find_first_of(' '));
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

private:
    std::string path_;
};

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// novarel with LC_ALL=C (English names) and the given arguments.
inline CliResult RunNovarel(const ProgramFolder& folder, const std::string& args) {
    const std::string command = "cd / && env LC_ALL=C '" + std::string(NOVAREL_EXE) + "' " + args +
                                " > '" + folder.file("stdout") + "' 2> '" + folder.file("stderr") + "'";
    const int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadBytes(folder.file("stdout"));
    r.err = ReadBytes(folder.file("stderr"));
    std::filesystem::remove(folder.file("stdout"));
    std::filesystem::remove(folder.file("stderr"));
    return r;
}

}  // namespace novarel::asptest

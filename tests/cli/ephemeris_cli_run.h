#pragma once
// Runs the novarel executable in a shell with the given environment and
// arguments; stdout and stderr are caught in files.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/ephemeris/ephemeris_test_support.h"

namespace novarel::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult RunNovarel(const std::string& env, const std::string& args) {
    TempFolder capture;
    const std::string command = "cd / && env " + env + " '" + std::string(NOVAREL_EXE) + "' " + args +
                                " > '" + capture.file("out") + "' 2> '" + capture.file("err") + "'";
    const int raw = std::system(command.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadBytes(capture.file("out"));
    r.err = ReadBytes(capture.file("err"));
    return r;
}

// A program folder with the options file of the build, option 11 (right
// ascension in hours) set as asked.
inline void WriteOptionsFile(const TempFolder& dir, int rightAscensionInHours) {
    std::string text = ReadBytes(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT");
    std::size_t line = 0;
    for (int i = 1; i < 11; ++i) line = text.find('\n', line) + 1;
    text[line] = static_cast<char>('0' + rightAscensionInHours);
    std::ofstream(dir.file("OPTIONS.OPT"), std::ios::binary) << text;
}

}  // namespace novarel::test

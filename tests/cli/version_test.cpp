// --version: the program's version, the library's own version text and the
// folder the ephemeris files are read from, for the program and each command.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <array>

#include "tests/cli/cli_run.h"

namespace novarel::clitest {
namespace {

std::string LibraryVersion() {
    std::array<char, 256> text{};
    return swe_version(text.data());
}

TEST(Version, ProgramLibraryAndEphemerisFolder) {
    ProgramFolder folder;
    const std::string expected = "novarel (Novarel_SE) 2.00\nSwiss Ephemeris library " +
                                 LibraryVersion() + "\nProgram folder: " + folder.str() +
                                 "\nEphemeris folder: /usr/share/libswe/ephe\n";
    for (const std::string command : {"", "ephemeris", "aspectarian"}) {
        const CliResult r = RunNovarel(folder, command, "--version");
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.out, expected) << command;
        EXPECT_EQ(r.err, "");
    }
    // Ephemeris files in the program folder are read first.
    std::ofstream(folder.file("sepl_18.se1")) << "x";
    const CliResult own = RunNovarel(folder, "ephemeris", "--version");
    EXPECT_NE(own.out.find("\nEphemeris folder: " + folder.str() + "\n"), std::string::npos)
        << own.out;
}

}  // namespace
}  // namespace novarel::clitest

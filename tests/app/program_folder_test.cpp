// The program folder both front ends start from.
#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace novarel {
namespace {

TEST(ProgramFolder, DirOptionOrTheExecutablesFolder) {
    // Without --dir: the folder of this test program, the build folder.
    const ProgramFolder own = ChooseProgramFolder("");
    EXPECT_TRUE(own.error.empty());
    EXPECT_TRUE(std::filesystem::equivalent(own.path, NOVAREL_BUILD_DIR)) << own.path;

    test::TempFolder dir;
    const ProgramFolder chosen = ChooseProgramFolder(dir.str());
    EXPECT_EQ(chosen.path, dir.str());
    EXPECT_TRUE(chosen.error.empty());

    const std::string missing = dir.file("no such folder");
    EXPECT_EQ(ChooseProgramFolder(missing).error,
              "the program folder " + missing + " does not exist.");
    // A file is not a folder.
    const std::string file = dir.file("file");
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_FALSE(ChooseProgramFolder(file).error.empty());
}

}  // namespace
}  // namespace novarel

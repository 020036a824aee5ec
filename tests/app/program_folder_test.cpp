// The program folder both front ends start from.
#include "app/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An installed tree: P/bin and P/share/novarel with runtime files.
struct InstalledTree {
    test::TempFolder root;
    std::string bin = root.file("bin");
    std::string share = root.file("share/novarel");
    InstalledTree() {
        fs::create_directories(bin);
        fs::create_directories(share);
        Write(share + "/OPTIONS.OPT", "options");
        Write(share + "/OPTIONS.MAS", "master");
        Write(share + "/NOVAREL.HLP", "help");
    }
};

TEST(ProgramFolder, RuntimeFilesBesideTheExecutableOrInstalled) {
    InstalledTree tree;
    EXPECT_EQ(RuntimeFolderOf(tree.bin), tree.share);
    // A build folder holds them itself.
    Write(tree.bin + "/OPTIONS.OPT", "options");
    EXPECT_EQ(RuntimeFolderOf(tree.bin), tree.bin);
    // Neither: the executable's folder, as before.
    test::TempFolder bare;
    EXPECT_EQ(RuntimeFolderOf(bare.str()), bare.str());
}

TEST(ProgramFolder, UserFolderFollowsXdgDataHome) {
    EXPECT_EQ(UserProgramFolder({"", "/x/data", "/home/u"}), "/x/data/novarel");
    EXPECT_EQ(UserProgramFolder({"", "", "/home/u"}), "/home/u/.local/share/novarel");
    // A relative XDG_DATA_HOME is to be ignored.
    EXPECT_EQ(UserProgramFolder({"", "data", "/home/u"}), "/home/u/.local/share/novarel");
}

TEST(ProgramFolder, WritableInstalledFolderIsUsedAndDirOverrides) {
    InstalledTree tree;
    test::TempFolder home;
    const FolderEnvironment env{tree.bin, "", home.str()};
    const ProgramFolder chosen = ChooseProgramFolder("", env);
    EXPECT_TRUE(chosen.error.empty());
    EXPECT_EQ(chosen.path, tree.share);
    EXPECT_FALSE(fs::exists(home.file(".local")));
    EXPECT_EQ(ChooseProgramFolder(home.str(), env).path, home.str());
}

// The superuser may write anywhere; the installed test runs this case as
// another user (tests/packaging).
TEST(ProgramFolder, UnwritableInstalledFolderSeedsTheUsersOwn) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser can write into any folder";
    InstalledTree tree;
    test::TempFolder home;
    const std::string user = home.file("data/novarel");
    fs::create_directories(user);
    Write(user + "/OPTIONS.OPT", "the user's options");
    fs::permissions(tree.share, fs::perms::owner_write, fs::perm_options::remove);
    const ProgramFolder chosen = ChooseProgramFolder("", {tree.bin, home.file("data"), ""});
    fs::permissions(tree.share, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(chosen.error.empty()) << chosen.error;
    EXPECT_EQ(chosen.path, user);
    EXPECT_EQ(Read(user + "/OPTIONS.OPT"), "the user's options");  // kept
    EXPECT_EQ(Read(user + "/OPTIONS.MAS"), "master");
    EXPECT_EQ(Read(user + "/NOVAREL.HLP"), "help");
}

}  // namespace
}  // namespace novarel

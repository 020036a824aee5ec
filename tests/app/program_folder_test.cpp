// The program folder both front ends start from.
#include "app/program_folder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/text_file.h"
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
    ASSERT_TRUE(WriteWholeFile(file, ""));
    EXPECT_FALSE(ChooseProgramFolder(file).error.empty());
}

namespace fs = std::filesystem;

// Set-up writes; a failed one shows as a wrong read later.
void Write(const std::string& path, const std::string& text) { (void)WriteWholeFile(path, text); }
std::string Read(const std::string& path) { return ReadWholeFile(path).value_or("<none>"); }

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

// The installed runtime folder made unwritable for this user: for the
// superuser, who may write into any folder, by a read-only bind mount.
class ReadOnly {
public:
    explicit ReadOnly(std::string folder) : folder_(std::move(folder)) {
        if (::geteuid() != 0) {
            fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::remove);
            done_ = true;
            return;
        }
        mounted_ = ::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) == 0;
        done_ = mounted_ && ::mount(nullptr, folder_.c_str(), nullptr,
                                    MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnly() {
        if (mounted_)
            ::umount(folder_.c_str());
        else if (done_)
            fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::add);
    }
    bool done() const { return done_; }

private:
    std::string folder_;
    bool mounted_ = false;
    bool done_ = false;
};

unsigned ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(ProgramFolder, UnwritableInstalledFolderSeedsTheUsersOwn) {
    InstalledTree tree;
    ReadOnly readOnly(tree.share);
    if (!readOnly.done()) GTEST_SKIP() << "cannot make the installed folder read-only here";
    test::TempFolder home;
    // The user's folder with changed options and a help text that is a link
    // to a file since removed.
    const std::string user = home.file("data/novarel");
    fs::create_directories(user);
    Write(user + "/OPTIONS.OPT", "the user's options");
    fs::create_symlink(home.file("gone"), user + "/NOVAREL.HLP");
    const ProgramFolder chosen = ChooseProgramFolder("", {tree.bin, home.file("data"), ""});
    EXPECT_TRUE(chosen.error.empty()) << chosen.error;
    EXPECT_EQ(chosen.path, user);
    EXPECT_EQ(Read(user + "/OPTIONS.OPT"), "the user's options");  // kept
    EXPECT_EQ(Read(user + "/OPTIONS.MAS"), "master");
    EXPECT_FALSE(fs::is_symlink(user + "/NOVAREL.HLP"));
    EXPECT_EQ(Read(user + "/NOVAREL.HLP"), "help");

    // Folders made under $XDG_DATA_HOME are the user's alone.
    const ProgramFolder fresh = ChooseProgramFolder("", {tree.bin, home.file("new/data"), ""});
    EXPECT_TRUE(fresh.error.empty()) << fresh.error;
    EXPECT_EQ(ModeOf(home.file("new")), 0700u);
    EXPECT_EQ(ModeOf(home.file("new/data")), 0700u);
    EXPECT_EQ(ModeOf(home.file("new/data/novarel")), 0700u);
    EXPECT_EQ(Read(home.file("new/data/novarel/OPTIONS.OPT")), "options");
}

TEST(ProgramFolder, AnotherUsersFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser gives a folder to another user";
    InstalledTree tree;
    ReadOnly readOnly(tree.share);
    if (!readOnly.done()) GTEST_SKIP() << "cannot make the installed folder read-only here";
    test::TempFolder home;
    const std::string theirs = home.file("data/novarel");
    fs::create_directories(theirs);
    Write(theirs + "/OPTIONS.OPT", "their options");
    ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
    const ProgramFolder chosen = ChooseProgramFolder("", {tree.bin, home.file("data"), ""});
    EXPECT_EQ(chosen.error, "the program folder " + theirs +
                                " belongs to another user; name a folder of your own with --dir.");
    EXPECT_EQ(Read(theirs + "/OPTIONS.OPT"), "their options");
    EXPECT_FALSE(fs::exists(theirs + "/OPTIONS.MAS"));  // nothing written into it
}

}  // namespace
}  // namespace novarel

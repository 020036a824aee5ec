// Files replaced whole: the old bytes stay until the new file is complete,
// the old file's mode and owner stay, nothing new is left behind on a
// failure, a set goes in all or none, a run lock that is a link is refused,
// and files left by ended runs of this user are cleared. A link at a data
// file's name and another run's lock are met by the command line's tests
// (tests/cli/file_faults_test.cpp).
#include "core/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/text_file.h"
#include "tests/support/temp_folder.h"

namespace novarel {
namespace {
namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ReplacementFile, OldBytesStayUntilCommitAndNoNewFileIsLeft) {
    test::TempFolder dir;
    const std::string path = dir.file("data.txt");
    ASSERT_TRUE(WriteWholeFile(path, "old\r\n"));
    {
        ReplacementFile f;
        ASSERT_TRUE(f.create(path));
        ASSERT_TRUE(f.write(std::string(200000, 'x')));  // more than one buffer
        EXPECT_EQ(Bytes(path), "old\r\n");
        EXPECT_EQ(dir.entries().size(), 2u);
        EXPECT_TRUE(IsReplacementName(fs::path(f.tempPath()).filename().string()));
    }  // dropped without commit
    EXPECT_EQ(Bytes(path), "old\r\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"data.txt"});

    ReplacementFile f;
    ASSERT_TRUE(f.create(path));
    ASSERT_TRUE(f.write("new"));
    ASSERT_TRUE(f.commit());
    EXPECT_EQ(Bytes(path), "new");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"data.txt"});
}

TEST(ReplacementFile, FailuresLeaveTheFolderAsItWas) {
    test::TempFolder dir;
    fs::create_directory(dir.file("folder"));
    int error = 0;
    EXPECT_FALSE(WriteWholeFile(dir.file("folder"), "x", &error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_FALSE(WriteWholeFile(dir.file("missing/data.txt"), "x", &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"folder"});
}

TEST(ReplacementFile, TheReplacedFilesModeAndOwnerStay) {
    test::TempFolder dir;
    const std::string path = dir.file("data.txt");
    ASSERT_TRUE(WriteWholeFile(path, "old"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    ASSERT_TRUE(WriteWholeFile(path, "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Bytes(path), "new");
    if (!root) GTEST_SKIP() << "only the superuser gives a file another owner";
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

// Three files "a", "b", "c" of a set with their old bytes, and the new
// files ready to replace them.
struct ThreeFileSet {
    test::TempFolder dir;
    ReplacementFile files[3];
    std::vector<ReplacementFile*> set{&files[0], &files[1], &files[2]};
    ThreeFileSet() {
        for (int i = 0; i < 3; ++i) {
            const std::string name(1, static_cast<char>('a' + i));
            EXPECT_TRUE(WriteWholeFile(dir.file(name), "old " + name));
            EXPECT_TRUE(files[i].create(dir.file(name)));
            files[i].write("new " + name);
        }
    }
};

TEST(ReplacementFile, CommitTogetherPutsASetInPlaceAndClearsThisUsersFilesOfEndedRuns) {
    ThreeFileSet s;
    const test::TempFolder& dir = s.dir;
    // New files left by a process that has ended, and one of a running one.
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    const std::string stale = dir.file(".x.TEG.novarel-" + std::to_string(child) + "-0000.tmp");
    const std::string others = dir.file(".z.TEG.novarel-" + std::to_string(child) + "-0001.tmp");
    const std::string live = dir.file(".y.TEG.novarel-" + std::to_string(getppid()) + "-0000.tmp");
    ASSERT_TRUE(WriteWholeFile(stale, "stale"));
    ASSERT_TRUE(WriteWholeFile(others, "another user's"));
    ASSERT_TRUE(WriteWholeFile(live, "live"));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
    }
    EXPECT_TRUE(CommitTogether(s.set, dir.str()).replaced());
    EXPECT_EQ(Bytes(dir.file("a")) + Bytes(dir.file("b")) + Bytes(dir.file("c")),
              "new anew bnew c");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_EQ(fs::exists(others), root);
    // Nothing of the commit stays but the lock file.
    fs::remove(live);
    fs::remove(others);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a", "b", "c", "novarel_SE.lock"}));
}

TEST(ReplacementFile, AFailureAfterTheFirstRenamePutsTheOldFilesBack) {
    ThreeFileSet s;
    // A folder with a file in it appears at the second name once the new
    // files are written: the first one is already renamed when it is found.
    fs::remove(s.dir.file("b"));
    fs::create_directory(s.dir.file("b"));
    ASSERT_TRUE(WriteWholeFile(s.dir.file("b/inside"), "inside"));
    const SetCommit c = CommitTogether(s.set, s.dir.str());
    EXPECT_EQ(c.result, SetCommit::Result::Kept);
    EXPECT_EQ(c.failedIndex, 1);
    EXPECT_EQ(c.error, EISDIR);
    EXPECT_EQ(Bytes(s.dir.file("a")), "old a");
    EXPECT_EQ(Bytes(s.dir.file("b/inside")), "inside");
    EXPECT_EQ(Bytes(s.dir.file("c")), "old c");
    for (ReplacementFile& f : s.files) f.discard();
    EXPECT_EQ(s.dir.entries(), (std::vector<std::string>{"a", "b", "c", "novarel_SE.lock"}));
}

TEST(ReplacementFile, ALockFileThatCannotBeOpenedIsAFailure) {
    ThreeFileSet s;
    test::TempFolder elsewhere;
    fs::create_symlink(elsewhere.file("target"), s.dir.file("novarel_SE.lock"));
    const SetCommit c = CommitTogether(s.set, s.dir.str());
    EXPECT_EQ(c.result, SetCommit::Result::Kept);
    EXPECT_EQ(c.folderProblem, "the run lock " + s.dir.file("novarel_SE.lock") +
                                   " cannot be opened (it is a symbolic link)");
    EXPECT_EQ(Bytes(s.dir.file("a")), "old a");
    EXPECT_FALSE(fs::exists(elsewhere.file("target")));
}

}  // namespace
}  // namespace novarel

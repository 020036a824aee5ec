// Files replaced whole: the old bytes stay until the new file is complete,
// links are replaced rather than followed, nothing new is left behind on a
// failure, and files left by ended runs are cleared.
#include "core/replacement_file.h"

#include <gtest/gtest.h>
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

TEST(ReplacementFile, ALinkIsReplacedAndItsTargetKept) {
    test::TempFolder dir, other;
    const std::string target = other.file("target");
    ASSERT_TRUE(WriteWholeFile(target, "target"));
    fs::create_symlink(target, dir.file("data.txt"));
    ASSERT_TRUE(WriteWholeFile(dir.file("data.txt"), "mine"));
    EXPECT_FALSE(fs::is_symlink(dir.file("data.txt")));
    EXPECT_EQ(Bytes(dir.file("data.txt")), "mine");
    EXPECT_EQ(Bytes(target), "target");
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
    // A set whose second file cannot be created replaces nothing.
    ASSERT_TRUE(WriteWholeFile(dir.file("a"), "old a"));
    ReplacementFile a, b;
    ASSERT_TRUE(a.create(dir.file("a")));
    ASSERT_TRUE(a.write("new a"));
    EXPECT_FALSE(b.create(dir.file("folder")));
    a.discard();
    EXPECT_EQ(Bytes(dir.file("a")), "old a");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a", "folder"}));
}

TEST(ReplacementFile, CommitTogetherPutsASetInPlaceAndClearsFilesOfEndedRuns) {
    test::TempFolder dir;
    // A new file left by a process that has ended, and one of a running one.
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    const std::string stale = dir.file(".x.TEG.novarel-" + std::to_string(child) + "-0000.tmp");
    const std::string live = dir.file(".y.TEG.novarel-" + std::to_string(getppid()) + "-0000.tmp");
    ASSERT_TRUE(WriteWholeFile(stale, "stale"));
    ASSERT_TRUE(WriteWholeFile(live, "live"));
    ReplacementFile one, two;
    ASSERT_TRUE(one.create(dir.file("one")));
    ASSERT_TRUE(two.create(dir.file("two")));
    one.write("1");
    two.write("2");
    EXPECT_EQ(CommitTogether({&one, &two}, dir.str()), -1);
    EXPECT_EQ(Bytes(dir.file("one")), "1");
    EXPECT_EQ(Bytes(dir.file("two")), "2");
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(dir.file("novarel_SE.lock")));
}

TEST(TextFile, FilesLargerThanOneMebibyteAreRefused) {
    test::TempFolder dir;
    const std::string path = dir.file("big.ini");
    ASSERT_TRUE(WriteWholeFile(path, std::string(MaxTextFileBytes, 'a')));
    EXPECT_FALSE(IsTooLargeToRead(path));
    EXPECT_EQ(ReadWholeFile(path)->size(), MaxTextFileBytes);
    ASSERT_TRUE(WriteWholeFile(path, std::string(MaxTextFileBytes + 1, 'a')));
    EXPECT_TRUE(IsTooLargeToRead(path));
    EXPECT_FALSE(ReadWholeFile(path).has_value());
    EXPECT_FALSE(ReadTextLines(path).has_value());
}

}  // namespace
}  // namespace novarel

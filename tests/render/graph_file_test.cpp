// novarel graph: the file a user asked for, of the size asked, through the
// printing module; values it cannot use are input errors naming them; a
// file that cannot be written is said, and an earlier file stays as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>

#include "tests/cli/cli_run.h"
#include "tests/support/tmpfs_folder.h"

namespace novarel {
namespace {
namespace fs = std::filesystem;
using clitest::ProgramFolder;
using clitest::ReadBytes;
using clitest::RunNovarel;
using clitest::Temporaries;

const std::string Quarter = "--start 2024-01-01 --end 2024-03-31";

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST(GraphFile, EachFormatIsWrittenAtTheSizeAsked) {
    ProgramFolder dir;
    const std::string png = dir.file("graph.png");
    auto r = RunNovarel(dir, "graph", Quarter + " --dial 90 --size 900x600 --png '" + png + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string bytes = ReadBytes(png);
    // The signature, then the IHDR chunk: width and height.
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(bytes.substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndian(bytes, 16), 900u);
    EXPECT_EQ(BigEndian(bytes, 20), 600u);

    const std::string svg = dir.file("graph.svg");
    r = RunNovarel(dir, "graph", Quarter + " --bodies sun,moon,saturn --svg '" + svg + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string drawing = ReadBytes(svg);
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing.find("width=\"1600\""), std::string::npos);

    const std::string pdf = dir.file("graph.pdf");
    r = RunNovarel(dir, "graph", Quarter + " --dial 45 --pdf '" + pdf + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(ReadBytes(pdf).starts_with("%PDF-"));
    EXPECT_EQ(Temporaries(dir.str()), std::vector<std::string>{});
}

TEST(GraphFile, ValuesItCannotUseAreInputErrorsNamingThem) {
    ProgramFolder dir;
    const std::string png = dir.file("graph.png");
    struct Case {
        std::string args;
        std::string said;
    };
    const Case cases[] = {
        {"--dial 12", "12 not in {360,90,45}"},
        {"--size 800x", "'800x' is not a size WIDTHxHEIGHT"},
        {"--size 20x20", "'20x20' is not a size WIDTHxHEIGHT"},
        {"--bodies sun,vulcan", "'vulcan' is not a body"},
        {"--start 2024-02-30", "'2024-02-30' is not a calendar date"},
        {"--start 2024-03-01 --end 2024-02-01", "--end 2024-02-01 is before --start 2024-03-01"},
        {"--start 2000-01-01 --end 2011-01-01", "longer than ten years"},
        {"--start 2024-03-01 --end 2024-03-10", "shorter than 28 days"},
    };
    for (const Case& c : cases) {
        const auto r = RunNovarel(dir, "graph", c.args + " --png '" + png + "'");
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.args << ": " << r.err;
    }
    const auto none = RunNovarel(dir, "graph", Quarter);
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("one of --png, --svg or --pdf"), std::string::npos) << none.err;
    EXPECT_FALSE(fs::exists(png));
}

TEST(GraphFile, AFileThatCannotBeWrittenIsSaidAndTheEarlierOneStays) {
    ProgramFolder dir;
    // A device: written where it is, and full.
    auto r = RunNovarel(dir, "graph", Quarter + " --png /dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write /dev/full: No space left on device"), std::string::npos)
        << r.err;
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    const test::TmpfsFolder disk("160k");
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string png = disk.file("graph.png");
    r = RunNovarel(dir, "graph", Quarter + " --size 400x300 --png '" + png + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string earlier = ReadBytes(png);
    // Too big for what is left of the disk.
    r = RunNovarel(dir, "graph", Quarter + " --bodies moon --size 3000x3000 --png '" + png + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write " + png + ": No space left on device"), std::string::npos)
        << r.err;
    EXPECT_EQ(ReadBytes(png), earlier);
    EXPECT_EQ(Temporaries(disk.str()), std::vector<std::string>{});
    // A folder that takes no writes.
    ASSERT_EQ(::mount(nullptr, disk.str().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    r = RunNovarel(dir, "graph", Quarter + " --svg '" + disk.file("graph.svg") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Read-only file system"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(png), earlier);
    EXPECT_FALSE(fs::exists(disk.file("graph.svg")));
}

}  // namespace
}  // namespace novarel

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "app/options_file.h"
#include "app/text_file.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

struct OptionsFixture : ::testing::Test {
    fs::path dir;
    test::RecordingMessages messages;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("novarel_opt_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    void Write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile((dir / name).string(), bytes));
    }
};

TEST(ParseOptionsText, SevenCharactersAndTheFirstEmptyLine) {
    OptionValues v;
    ParseOptionsText("   1.5 description\r\n1234567.9\r\nabc\r\n", v);
    EXPECT_FLOAT_EQ(v[1], 1.5f);
    EXPECT_FLOAT_EQ(v[2], 1234567.f);
    EXPECT_FLOAT_EQ(v[3], 0.f);

    OptionValues w = OptionValues::Factory();
    ParseOptionsText("5\r\n6\r\n\r\n9\r\n", w);
    EXPECT_FLOAT_EQ(w[1], 5.f);
    EXPECT_FLOAT_EQ(w[2], 6.f);
    EXPECT_FLOAT_EQ(w[3], 0.f);   // kept
    EXPECT_FLOAT_EQ(w[7], 60.f);  // kept
    // Thirteen lines: the thirteenth is ignored; no line end at all still reads.
    std::string many;
    for (int i = 1; i <= 13; ++i) many += std::to_string(i) + "\n";
    ParseOptionsText(many, w);
    EXPECT_FLOAT_EQ(w[12], 12.f);
    ParseOptionsText("42", w);
    EXPECT_FLOAT_EQ(w[1], 42.f);
}

TEST_F(OptionsFixture, ShippedFilesHoldTheFactoryValues) {
    OptionValues v;
    ASSERT_TRUE(ReadOptionsFile(NOVAREL_BUILD_DIR, v));
    const OptionValues f = OptionValues::Factory();
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(v[k], f[k]) << k;
    EXPECT_EQ(ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT"),
              ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.MAS"));
}

TEST_F(OptionsFixture, MissingOrFolderAtStartupIsReportedAndFactoryValuesStay) {
    OptionValues v;
    LoadOptionsAtStartup(dir.string(), v, messages);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find((dir / "OPTIONS.OPT").string()), std::string::npos);
    EXPECT_FLOAT_EQ(v[7], 60.f);
    fs::create_directory(dir / "OPTIONS.OPT");
    LoadOptionsAtStartup(dir.string(), v, messages);
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_FLOAT_EQ(v[10], 100.f);
}

TEST_F(OptionsFixture, EditorSaveRestoreAndTheirMessages) {
    OptionValues v;
    OptionsEditor ed(dir.string(), v, messages);
    EXPECT_FALSE(ed.Open());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "File Not Found");
    EXPECT_EQ(messages.messages[0].title, "Warning!");

    const std::string original = "1      one\r\n2      two\r\n\r\nnotes\r\n";
    Write("OPTIONS.OPT", original);
    ASSERT_TRUE(ed.Open());
    const std::string text = ed.Load();
    EXPECT_EQ(text, original);
    ASSERT_TRUE(ed.Save(text));  // unchanged text writes an identical file
    EXPECT_EQ(ReadWholeFile((dir / "OPTIONS.OPT").string()), original);
    EXPECT_FLOAT_EQ(v[2], 2.f);
    // A text whose last line has no line end keeps all its characters.
    ASSERT_TRUE(ed.Save("7      seven"));
    EXPECT_EQ(ReadWholeFile((dir / "OPTIONS.OPT").string()), "7      seven\r\n");
    EXPECT_FLOAT_EQ(v[1], 7.f);

    std::string restored;
    EXPECT_FALSE(ed.RestoreDefault(restored));  // no OPTIONS.MAS
    EXPECT_EQ(messages.messages.back().text, "Error in operation. Cannot do what is requested.");
    Write("OPTIONS.MAS", "9      nine\r\n");
    ASSERT_TRUE(ed.RestoreDefault(restored));
    EXPECT_EQ(restored, "9      nine\r\n");
    EXPECT_FLOAT_EQ(v[1], 7.f);  // restored values take effect on Save

    if (::geteuid() != 0) {
        fs::permissions(dir / "OPTIONS.OPT", fs::perms::owner_read);
        const auto before = messages.messages.size();
        EXPECT_FALSE(ed.Save("1\r\n"));
        EXPECT_EQ(messages.messages.size(), before + 1);
    }
    fs::remove(dir / "OPTIONS.OPT");
    fs::create_directory(dir / "OPTIONS.OPT");
    EXPECT_FALSE(ed.Save("1\r\n"));
    EXPECT_NE(messages.messages.back().text.find("OPTIONS.OPT"), std::string::npos);
}

}  // namespace
}  // namespace novarel

namespace novarel {
namespace {

TEST(ParseOptionsText, AnyBytesAreRead) {
    OptionValues v = OptionValues::Factory();
    ParseOptionsText(std::string("1\0\0\0\0\0\0\0\r\n\0" "2\r\n", 13), v);
    EXPECT_FLOAT_EQ(v[1], 1.f);
    EXPECT_FLOAT_EQ(v[2], 0.f);  // a NUL in the first seven characters reads as no number
    ParseOptionsText(std::string(100000, '7'), v);  // one overlong line, no line end
    EXPECT_FLOAT_EQ(v[1], 7777777.f);
    ParseOptionsText("99999999999999999999999999\r\n-1e999\r\n", v);
    EXPECT_FLOAT_EQ(v[1], 9999999.f);
    EXPECT_EQ(v[2], -std::numeric_limits<float>::max());  // beyond a float: the largest one
}

}  // namespace
}  // namespace novarel

#include "app/options_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "core/text_file.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

TEST(ParseOptionsText, SevenCharactersUpToTheFirstEmptyLineFromAnyBytes) {
    OptionValues v = OptionValues::Factory();
    ParseOptionsText("   1.5 description\r\n1234567.9\r\nabc\r\n4\r\n5\r\n6\r\n\r\n9\r\n", v);
    EXPECT_FLOAT_EQ(v[1], 1.5f);
    EXPECT_FLOAT_EQ(v[2], 1234567.f);
    EXPECT_FLOAT_EQ(v[3], 0.f);
    EXPECT_FLOAT_EQ(v[6], 6.f);
    EXPECT_FLOAT_EQ(v[7], 60.f);  // the empty line and what follows keep the factory values
    EXPECT_FLOAT_EQ(v[8], 60.f);
    // Twenty-one lines: the twenty-first is ignored; no line end at all still reads.
    std::string many;
    for (int i = 1; i <= 21; ++i) many += std::to_string(i) + "\n";
    ParseOptionsText(many, v);
    EXPECT_FLOAT_EQ(v[12], 12.f);
    EXPECT_FLOAT_EQ(v[18], 18.f);
    EXPECT_EQ(v.MinorAspects(), 0x3Fu);
    // A file of the twelve values written before the minor aspects chooses none.
    OptionValues older = OptionValues::Factory();
    ParseOptionsText(many.substr(0, many.find("13\n")), older);
    EXPECT_FLOAT_EQ(older[12], 12.f);
    EXPECT_EQ(older.MinorAspects(), 0u);
    ParseOptionsText(std::string(100000, '7'), v);
    EXPECT_FLOAT_EQ(v[1], 7777777.f);

    ParseOptionsText(std::string("1\0\0\0\0\0\0\0\r\n\0"
                                 "2\r\n",
                                 13),
                     v);
    EXPECT_FLOAT_EQ(v[1], 1.f);
    EXPECT_FLOAT_EQ(v[2], 0.f);  // a NUL in the first seven characters reads as no number
    ParseOptionsText("-1e999\r\n", v);
    EXPECT_EQ(v[1], -std::numeric_limits<float>::max());  // beyond a float: the largest one
}

TEST(OptionsFile, ShippedFilesHoldTheFactoryValues) {
    OptionValues v;
    ASSERT_TRUE(ReadOptionsFile(NOVAREL_BUILD_DIR, v));
    for (int k = 1; k <= OptionValues::Count; ++k) EXPECT_EQ(v[k], OptionValues::Factory()[k]) << k;
    EXPECT_EQ(ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.OPT"),
              ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/OPTIONS.MAS"));
}

TEST(OptionsEditor, SaveRestoreAndTheirMessages) {
    const test::TempFolder dir;
    const std::string file = (dir / "OPTIONS.OPT").string();
    test::RecordingMessages messages;
    OptionValues v;
    OptionsEditor ed(dir.string(), v, messages);
    const std::string original = "1      one\r\n2      two\r\n\r\nnotes\r\n";
    ASSERT_TRUE(WriteWholeFile(file, original));
    ASSERT_TRUE(ed.Open());
    ASSERT_EQ(ed.Load(), original);
    ASSERT_TRUE(ed.Save(original));  // unchanged text writes an identical file
    EXPECT_EQ(ReadWholeFile(file), original);
    EXPECT_FLOAT_EQ(v[2], 2.f);
    // A text whose last line has no line end keeps all its characters.
    ASSERT_TRUE(ed.Save("7      seven"));
    EXPECT_EQ(ReadWholeFile(file), "7      seven\r\n");
    EXPECT_FLOAT_EQ(v[1], 7.f);

    std::string restored;
    EXPECT_FALSE(ed.RestoreDefault(restored));  // no OPTIONS.MAS
    EXPECT_EQ(messages.messages.back().text, "Error in operation. Cannot do what is requested.");
    ASSERT_TRUE(WriteWholeFile((dir / "OPTIONS.MAS").string(), "9      nine\r\n"));
    ASSERT_TRUE(ed.RestoreDefault(restored));
    EXPECT_EQ(restored, "9      nine\r\n");
    EXPECT_FLOAT_EQ(v[1], 7.f);  // restored values take effect on Save

    // A file that cannot be written is reported by name.
    fs::remove(file);
    fs::create_directory(file);
    const auto before = messages.messages.size();
    EXPECT_FALSE(ed.Save("1\r\n"));
    ASSERT_EQ(messages.messages.size(), before + 1);
    EXPECT_NE(messages.messages.back().text.find(file), std::string::npos);
}

TEST(OptionsFile, LinesThatAreNotNumbersAndFilesTooLargeAreReportedByName) {
    const test::TempFolder dir;
    const std::string file = (dir / "OPTIONS.OPT").string();
    test::RecordingMessages messages;
    OptionValues v;
    ASSERT_TRUE(
        WriteWholeFile(file, "1      one\r\nabc    two\r\n-2x    three\r\n100   10: ten\r\n"));
    LoadOptionsAtStartup(dir.string(), v, messages);
    // One message, every bad line in it with the value used.
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "Warning!");
    EXPECT_EQ(messages.messages[0].text, "2 lines of the options file " + file +
                                             " are not numbers; each option is set as shown:\n"
                                             "Line 2 (\"abc\"): option 2 is set to 0.\n"
                                             "Line 3 (\"-2x\"): option 3 is set to -2.");
    EXPECT_FLOAT_EQ(v[1], 1.f);
    EXPECT_FLOAT_EQ(v[3], -2.f);
    EXPECT_FLOAT_EQ(v[4], 100.f);

    // Larger than 1 MiB: not read, the factory values stay.
    ASSERT_TRUE(WriteWholeFile(file, "5      five\r\n" + std::string(std::size_t{1} << 20, '\n')));
    messages.messages.clear();
    LoadOptionsAtStartup(dir.string(), v, messages);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The options file " + file +
                                             " is larger than 1 MiB and is not read. The program "
                                             "goes on with the factory settings.");
    EXPECT_EQ(v[1], OptionValues::Factory()[1]);
}

}  // namespace
}  // namespace novarel

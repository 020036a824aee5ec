#include <gtest/gtest.h>

#include <set>

#include "app/main_menu.h"
#include "output/data_menu.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

std::set<std::string> HelpFiles() {
    std::set<std::string> files{"OUTPUTD1.HLP"};
    for (const auto& item : MainMenu)
        if (!HelpFileOf(item.command).empty()) files.insert(std::string(HelpFileOf(item.command)));
    return files;
}

TEST(HelpTexts, EveryTopicShipsAsPlainTextAndShortcutsAreListed) {
    for (const auto& name : HelpFiles()) {
        const auto text = ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/" + name);
        ASSERT_TRUE(text) << name;
        EXPECT_GT(text->size(), 500u) << name;
        for (char c : *text)
            ASSERT_TRUE(c == '\n' || c == '\r' || (c >= 32 && c < 127)) << name << ": " << int(c);
    }
    const auto text = ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/SHORTCUT.HLP").value_or("");
    auto listed = [&](std::string_view key) {
        return text.find("  " + std::string(key) + " ") != std::string::npos;
    };
    for (const auto& item : DataMenu)
        EXPECT_TRUE(item.shortcut.empty() || listed(item.shortcut)) << item.name;
    for (const auto& item : MainMenu)
        EXPECT_TRUE(item.shortcut.empty() || listed(item.shortcut)) << item.name;
}

struct HelpMenuFixture : test::ProgramFixture {};

TEST_F(HelpMenuFixture, EachMenuShowsItsFileAndAMissingOneIsNamed) {
    for (const auto& name : HelpFiles())
        fs::copy_file(fs::path(NOVAREL_BUILD_DIR) / name, dir / name);
    Program& p = Start();
    for (const auto& item : MainMenu) {
        const std::string file(HelpFileOf(item.command));
        if (file.empty()) continue;
        p.RunMainMenu(item.command);
        // The file's lines, the blank line of the viewer, the one of the page
        // and the trailing empty entry.
        EXPECT_TRUE(view.text == Read(file) + "\r\n\r\n\r\n") << file;
        EXPECT_EQ(p.buffer.PageLineCount(), static_cast<int>(TextLines(Read(file)).size()) + 2)
            << file;
    }
    p.RunDataCommand(DataCommand::Help);
    EXPECT_EQ(view.text.substr(0, 15), "THE DATA WINDOW");

    // A missing topic is named; the page and the data stay as they were.
    // (All the topics shown fill the buffer past its warning: that message
    // is not counted here.)
    messages.messages.clear();
    const std::string page = view.text;
    const int pageLines = p.buffer.PageLineCount(), dataLines = p.buffer.DataLineCount();
    fs::remove(dir / "READING.HLP");
    p.RunMainMenu(MainCommand::ReadingList);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "The help file " + (dir / "READING.HLP").string() + " cannot be read.");
    EXPECT_EQ(view.text, page);
    EXPECT_EQ(p.buffer.PageLineCount(), pageLines);
    EXPECT_EQ(p.buffer.DataLineCount(), dataLines);

    // So is one larger than 1 MiB, which is not loaded.
    Write("READING.HLP", std::string((std::size_t{1} << 20) + 1, 'x'));
    p.RunMainMenu(MainCommand::ReadingList);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "The help file " + (dir / "READING.HLP").string() +
                                             " is larger than 1 MiB and is not shown.");
    EXPECT_EQ(view.text, page);
}

}  // namespace
}  // namespace novarel

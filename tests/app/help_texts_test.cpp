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

TEST(HelpTexts, EveryTopicShipsAsShortPlainText) {
    const auto files = HelpFiles();
    EXPECT_EQ(files.size(), 13u);
    for (const auto& name : files) {
        const auto text = ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/" + name);
        ASSERT_TRUE(text) << name;
        const auto lines = test::ProgramFixture::TextLinesOf(*text);
        EXPECT_GT(text->size(), 500u) << name;
        int count = 0;
        for (char c : *text) {
            EXPECT_TRUE(c == '\n' || c == '\r' || (c >= 32 && c < 127)) << name << " holds byte " << int(c);
            if (c == '\n') ++count;
        }
        EXPECT_LE(count, 120) << name;
    }
}

TEST(HelpTexts, ShortcutTopicListsEveryMenuKey) {
    const auto text = ReadWholeFile(std::string(NOVAREL_BUILD_DIR) + "/SHORTCUT.HLP").value_or("");
    auto listed = [&](std::string_view key) { return text.find("  " + std::string(key) + " ") != std::string::npos; };
    for (const auto& item : DataMenu) {
        if (!item.shortcut.empty()) {
            EXPECT_TRUE(listed(item.shortcut)) << item.name;
        }
    }
    for (const auto& item : MainMenu) {
        if (!item.shortcut.empty()) {
            EXPECT_TRUE(listed(item.shortcut)) << item.name;
        }
    }
}

struct HelpMenuFixture : test::ProgramFixture {};

TEST_F(HelpMenuFixture, EachMenuShowsItsFileAsAPage) {
    for (const auto& name : HelpFiles())
        fs::copy_file(fs::path(NOVAREL_BUILD_DIR) / name, dir / name);
    Program& p = Start();
    for (const auto& item : MainMenu) {
        const std::string_view file = HelpFileOf(item.command);
        if (file.empty()) continue;
        p.RunMainMenu(item.command);
        const auto lines = TextLinesOf(Read(std::string(file)));
        // The file's lines, the blank line of the viewer, the one of the page
        // and the trailing empty entry.
        EXPECT_TRUE(view.text == Read(std::string(file)) + "\r\n\r\n\r\n") << file;
        EXPECT_EQ(p.buffer.PageLineCount(), static_cast<int>(lines.size()) + 2) << file;
    }
    EXPECT_TRUE(messages.messages.empty());
    p.RunDataCommand(DataCommand::Help);
    EXPECT_EQ(view.text.substr(0, 15), "THE DATA WINDOW");
}

}  // namespace
}  // namespace novarel

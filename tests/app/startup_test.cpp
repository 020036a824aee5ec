#include <gtest/gtest.h>

#include "app/font_step.h"
#include "app/title_clock.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

using test::ProgramFixture;
namespace fs = std::filesystem;

TEST(FontStep, FromTheScreenWidthAndTwipsPerPixel) {
    EXPECT_EQ(FontStepFor(640, 15), 1.5);
    EXPECT_EQ(FontStepFor(640, 12), 1.5);
    EXPECT_EQ(FontStepFor(800, 12), 1.2);
    EXPECT_EQ(FontStepFor(800, 15), 1.5);
    EXPECT_EQ(FontStepFor(1024, 15), 1.5);
    EXPECT_EQ(FontStepFor(1024, 12), 1.2);
    EXPECT_EQ(FontStepFor(1280, 12), 1.2);
    EXPECT_EQ(FontStepFor(1920, 10), 1.2);
    EXPECT_EQ(ScreenWidthPixels(12000, 15), 800);
    EXPECT_EQ(ScreenWidthPixels(9607.5, 15), 640);  // 640.5 rounds to even
    EXPECT_EQ(ScreenWidthPixels(9600, 0), 0);
}

TEST(TitleClock, DateFiveBlanksAndTime) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 12;
    EXPECT_EQ(TitleClockText(t, LocaleNames::English()), "NOVAREL_SE - 05 Dec 2026     07:08:12");
    t.tm_hour = 19;
    t.tm_mday = 31;
    t.tm_mon = 0;
    EXPECT_EQ(TitleClockText(t, LocaleNames::English()), "NOVAREL_SE - 31 Jan 2026     19:08:12");
}

struct StartupFixture : ProgramFixture {};

TEST_F(StartupFixture, StepsRunInTheirOrder) {
    Start();
    const std::string path = "library:path " + dir.string() + ":/usr/share/libswe/ephe";
    EXPECT_EQ(log, (test::EventLog{path, "busy", "main:place", "main:show", "input:place", "input:show", "normal"}));
    EXPECT_EQ(main.title, "NOVAREL_SE - 05 Dec 2026     07:08:12");
    EXPECT_EQ(program->dataSettings.FontStep, 1.5);
    EXPECT_EQ(program->state.OutputKind, 1);
    EXPECT_EQ(program->state.DateOrder, 2);
    EXPECT_FALSE(program->mainMenuItem("mnuInputData").visible);

    // A settings file loads the input window while it is read; option 6 shows
    // the notice before that.
    std::string options = Read("OPTIONS.OPT");
    options.replace(options.find("0      6:"), 1, "1");
    Write("OPTIONS.OPT", options);
    Write("novarel_SE.ini", "CalcFullMonth=Yes\r\n");
    log.clear();
    Start();
    EXPECT_EQ(log, (test::EventLog{path, "notice", "busy", "input:place", "main:place", "main:show", "input:show",
                                   "normal"}));
    EXPECT_EQ(shell.notices, 1);

    // The title follows the clock; the date order comes from an ini file when given.
    clock.when.tm_sec = 13;
    program->ClockTick();
    EXPECT_EQ(main.title, "NOVAREL_SE - 05 Dec 2026     07:08:13");
    Make().StartUp(StartupOptions{std::string(NOVAREL_TEST_DATA) + "/intl_idate1.ini", std::nullopt});
    EXPECT_EQ(program->state.DateOrder, 1);

    screen = test::FakeScreen{1280, 12};
    EXPECT_EQ(Start().dataSettings.FontStep, 1.2);
}

TEST_F(StartupFixture, MissingOptionsFileIsReportedAndStartUpGoesOn) {
    fs::remove(dir / "OPTIONS.OPT");
    Program& p = Start();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find((dir / "OPTIONS.OPT").string()), std::string::npos);
    EXPECT_EQ(p.options[8], 60);
    EXPECT_EQ(main.shown, 1);
    p.RunMainMenu(MainCommand::Options);
    EXPECT_EQ(messages.messages.back().text, "File Not Found");
    EXPECT_EQ(shell.editors, 0);
    // A folder named like the options file.
    fs::create_directory(dir / "OPTIONS.OPT");
    messages.messages.clear();
    Start();
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(StartupFixture, MainMenuCommands) {
    Program& p = Start();
    p.RunMainMenu(MainCommand::Options);
    EXPECT_EQ(shell.editors, 1);
    p.RunMainMenu(MainCommand::About);
    EXPECT_EQ(shell.abouts, 1);
    p.RunMainMenu(MainCommand::PrinterSetup);
    EXPECT_EQ(shell.setups, 1);

    // Help topics: the text as a page; twice shows it once, the data hold it twice.
    Write("TIPS.HLP", "Tip one\r\nTip two\r\n");
    p.RunMainMenu(MainCommand::Tips);
    p.RunMainMenu(MainCommand::Tips);
    EXPECT_EQ(view.text, "Tip one\r\nTip two\r\n\r\n\r\n\r\n");
    EXPECT_EQ(p.buffer.PageLineCount(), 4);
    EXPECT_EQ(p.buffer.DataLineCount(), 8);
    EXPECT_TRUE(messages.messages.empty());

    // A missing topic is named; the page stays.
    p.RunMainMenu(MainCommand::ReadingList);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The help file " + (dir / "READING.HLP").string() + " cannot be read.");
    EXPECT_EQ(view.text, "Tip one\r\nTip two\r\n\r\n\r\n\r\n");
    EXPECT_EQ(p.buffer.PageLineCount(), 4);
}

}  // namespace
}  // namespace novarel

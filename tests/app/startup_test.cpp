#include <gtest/gtest.h>

#include <algorithm>

#include "app/font_step.h"
#include "tests/app/program_fixture.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

TEST(FontStep, FromTheScreenWidthAndTwipsPerPixel) {
    struct Case {
        int pixels;
        double twipsPerPixel, step;
    };
    for (const Case c :
         {Case{640, 12, 1.5}, Case{800, 12, 1.2}, Case{800, 15, 1.5}, Case{1920, 10, 1.2}})
        EXPECT_EQ(FontStepFor(c.pixels, c.twipsPerPixel), c.step)
            << c.pixels << " at " << c.twipsPerPixel;
    EXPECT_EQ(ScreenWidthPixels(9607.5, 15), 640);  // 640.5 rounds to even
    EXPECT_EQ(ScreenWidthPixels(9600, 0), 0);
}

struct StartupFixture : test::ProgramFixture {};

TEST_F(StartupFixture, StepsRunInTheirOrder) {
    Start();
    const std::string path = "library:path " + dir.string() + ":/usr/share/libswe/ephe";
    EXPECT_EQ(log, (test::EventLog{path, "busy", "main:place", "main:show", "input:place",
                                   "input:show", "normal"}));
    EXPECT_EQ(main.title, "NOVAREL_SE - 05 Dec 2026     07:08:12");
    EXPECT_EQ(program->dataSettings.FontStep, 1.5);
    EXPECT_EQ(program->state.OutputKind, OutputKind::Ephemeris);
    EXPECT_FALSE(program->mainMenuItem("mnuInputData").visible);

    // A settings file loads the input window while it is read; option 6 shows
    // the notice before that.
    std::string options = Read("OPTIONS.OPT");
    options.replace(options.find("0      6:"), 1, "1");
    Write("OPTIONS.OPT", options);
    Write("novarel_SE.ini", "CalcFullMonth=Yes\r\n");
    log.clear();
    Start();
    EXPECT_EQ(log, (test::EventLog{path, "notice", "busy", "input:place", "main:place", "main:show",
                                   "input:show", "normal"}));

    // The title follows the clock on a 24-hour dial.
    clock.when.tm_hour = 19;
    program->ClockTick();
    EXPECT_EQ(main.title, "NOVAREL_SE - 05 Dec 2026     19:08:12");
    Make().StartUp(
        StartupOptions{std::string(NOVAREL_TEST_DATA) + "/intl_idate1.ini", std::nullopt});
    EXPECT_EQ(program->state.DateOrder, 1);
    screen = test::FakeScreen{1280, 12};
    EXPECT_EQ(Start().dataSettings.FontStep, 1.2);
}

// Without the glyph font the program ends at start-up, before the input
// window asks for a date, saying where it looked for the font.
TEST_F(StartupFixture, AMissingGlyphFontEndsTheStartBeforeAnyWindow) {
    dataWindow.fontInstalled = false;
    dataWindow.addSucceeds = false;
    log.clear();
    Start();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "EPHEMERI.TTF Font Not Added");
    EXPECT_NE(messages.messages[0].text.find((dir / "EPHEMERI.TTF").string()), std::string::npos)
        << messages.messages[0].text;
    EXPECT_EQ(dataWindow.ended, 1);
    EXPECT_FALSE(input.visible);
    EXPECT_EQ(std::count(log.begin(), log.end(), "main:show"), 0);
}

// The main menu's Options, About and Printer Setup are met through the real
// windows in tests/ui; here, an options file that cannot be read is reported
// with its name, and start-up goes on with the factory values.
TEST_F(StartupFixture, AnOptionsFileMissingOrAFolder) {
    const std::string file = (dir / "OPTIONS.OPT").string();
    for (bool folder : {false, true}) {
        fs::remove(file);
        if (folder) fs::create_directory(file);
        messages.messages.clear();
        log.clear();
        Program& q = Start();
        ASSERT_EQ(messages.messages.size(), 1u) << folder;
        EXPECT_EQ(messages.messages[0].text,
                  "The options file " + file +
                      " cannot be read. The program goes on with the factory settings.");
        EXPECT_EQ(q.options[8], 60);
        EXPECT_EQ(log.back(), "normal");
        EXPECT_TRUE(input.visible);
        q.RunMainMenu(MainCommand::Options);
        EXPECT_EQ(messages.messages.back().text, "File Not Found");
        EXPECT_EQ(shell.editors, 0);
    }
}

}  // namespace
}  // namespace novarel

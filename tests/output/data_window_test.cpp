#include <gtest/gtest.h>

#include "tests/output/data_window_fixture.h"

namespace novarel {
namespace {

// Records which table or list each view command asked for.
struct RecordingGenerators final : Generators {
    RunOutcome runEphemeris() override { return RunOutcome::Completed; }
    RunOutcome runAspectarian() override { return RunOutcome::Completed; }
    void showTable(DataOutput c) override {
        calls.push_back("table:" + std::to_string(static_cast<int>(c)));
    }
    RunOutcome listStations() override {
        calls.push_back("stations");
        return RunOutcome::Completed;
    }
    std::vector<std::string> calls;
};

struct WindowFixture : test::DataWindowFixture {
    RecordingGenerators generators;
    void SetUp() override { window.setGenerators(generators); }
};

TEST_F(WindowFixture, LoadPlacesTheWindowAndItRecordsItsMoves) {
    settings.DataTop = 500;
    settings.DataLeft = -2000;
    settings.FontBold = -1;
    settings.FontSize = 11.5;
    // The toolkit reports a resize while the window is placed: not recorded.
    seam.onPlaced = [&](const WindowRect& r) { window.Resize(r); };
    ShowLines({"A"});
    ASSERT_EQ(seam.places.size(), 1u);
    EXPECT_EQ(seam.places[0].top, 500);
    EXPECT_EQ(seam.places[0].left, -2000);
    EXPECT_EQ(settings.DataTop, 500);
    EXPECT_EQ(seam.last.textFontFace, "EPHEMERI");  // the toolkit was told
    EXPECT_EQ(seam.last.textFontSize, 11.5);
    EXPECT_TRUE(seam.last.textBold);

    // Later moves are recorded, rounded half to even and held within 16 bits.
    seam.onPlaced = nullptr;
    window.Resize(WindowRect{100.5, -3000.5, 40000, 101.5});
    EXPECT_EQ(settings.DataTop, 100);
    EXPECT_EQ(settings.DataLeft, -3000);
    EXPECT_EQ(settings.DataHeight, 32767);
    EXPECT_EQ(settings.DataWidth, 102);
    window.Deactivate(WindowRect{1, 2, 3, 4});
    EXPECT_EQ(settings.DataWidth, 4);
}

// The font's places (program folder, beside the executable, installed) are
// tried in turn; only when none adds the font does the program end.
TEST_F(WindowFixture, GlyphFontIsSoughtInEachPlaceInTurn) {
    const std::vector<std::string> places = {"/p/EPHEMERI.TTF", "/exe/EPHEMERI.TTF",
                                             "/share/EPHEMERI.TTF"};
    DataWindow other{DataWindowLinks{buffer, request, state, options, settings, messages, progress,
                                     view, seam, dialog, preview, printer, dir.string(), places}};
    seam.fontInstalled = false;
    seam.fontFile = places[1];
    EXPECT_TRUE(other.Load());
    // The bold face is taken from the folder the regular one came from.
    EXPECT_EQ(seam.addedFiles,
              (std::vector<std::string>{places[0], places[1], "/exe/EPHEMERIB.TTF"}));
    EXPECT_TRUE(messages.messages.empty());

    other.Unload();
    seam.fontInstalled = false;
    seam.fontFile = "/elsewhere/EPHEMERI.TTF";
    seam.addedFiles.clear();
    EXPECT_FALSE(other.Load());
    EXPECT_EQ(seam.addedFiles, places);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "Error - unable to add EPHEMERI font. Please add EPHEMERI font through CONTROL "
              "PANEL, then restart NOVAREL.\n\nThe font file was looked for at: "
              "/p/EPHEMERI.TTF, /exe/EPHEMERI.TTF, /share/EPHEMERI.TTF.");
    EXPECT_EQ(messages.messages[0].title, "EPHEMERI.TTF Font Not Added");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(seam.ended, 1);
}

TEST_F(WindowFixture, FontStepsStopAt12And8PointsBoldAndItalic) {
    settings.FontSize = 11.5;
    settings.FontStep = 1.5;
    ShowLines({"A"});
    const int before = buffer.DataLineCount();
    window.IncreaseFont();  // by half the step
    EXPECT_DOUBLE_EQ(seam.last.textFontSize, 12.25);
    EXPECT_DOUBLE_EQ(settings.FontSize, 12.25);
    EXPECT_FALSE(window.state().item("mnuFontsIncrease").enabled);
    EXPECT_EQ(buffer.DataLineCount(), before + 1);  // the page was shown again
    settings.FontSize = 8.5;
    settings.FontStep = 1.2;
    window.DecreaseFont();
    EXPECT_DOUBLE_EQ(seam.last.textFontSize, 7.9);
    EXPECT_TRUE(window.state().item("mnuFontsIncrease").enabled);
    EXPECT_FALSE(window.state().item("mnuFontsDecrease").enabled);
    window.DecreaseFont();  // at or under 8 the text keeps its size
    EXPECT_DOUBLE_EQ(seam.last.textFontSize, 7.9);
    EXPECT_NEAR(settings.FontSize, 7.3, 1e-12);

    window.ToggleBold();
    EXPECT_TRUE(seam.last.textBold);
    EXPECT_TRUE(window.state().item("mnuFontsBold").checked);
    EXPECT_EQ(settings.FontBold, -1);
    window.ToggleBold();
    EXPECT_EQ(settings.FontBold, 0);
    window.ToggleItalic();
    EXPECT_TRUE(seam.last.textItalic);
    EXPECT_EQ(settings.FontItalic, -1);
}

// Clearing the data, Esc and the mouse are met through the real window in
// tests/ui/gui_menus_test.cpp.
TEST_F(WindowFixture, EachViewCommandAsksForItsTable) {
    for (DataCommand c :
         {DataCommand::ViewDeclination, DataCommand::ViewRightAscension, DataCommand::ViewLatitude,
          DataCommand::ViewLongitude, DataCommand::RetrogradeTimes})
        window.Run(c);
    EXPECT_EQ(generators.calls,
              (std::vector<std::string>{"table:1", "table:3", "table:2", "table:0", "stations"}));
    EXPECT_EQ(progress.events[0], "busy");
    EXPECT_EQ(progress.events[1], "normal");
}

}  // namespace
}  // namespace novarel

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "app/text_file.h"
#include "core/julian_day.h"
#include "output/data_window.h"
#include "tests/support/app_fakes.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

struct MoreMenuOnFinish final : GeneratorWindows {
    DataWindow* window = nullptr;
    void runFinished() override { window->ShowMoreMenu(); }
};

struct DataWindowFixture : ::testing::Test {
    test::RecordingMessages messages;
    test::RecordingView view;
    test::RecordingProgress progress;
    test::RecordingDataWindow seam;
    test::ScriptedSaveDialog dialog;
    test::RecordingPreview preview;
    test::RecordingPrinter printer;
    CalcRequest request;
    RunState state;
    OptionValues options = OptionValues::Factory();
    DataWindowSettings settings;
    fs::path dir = MakeDir();
    DataWindow window{DataWindowLinks{buffer, request, state, options, settings, messages, progress, view, seam,
                                      dialog, preview, printer, dir.string()}};
    LoadingDataView loadingView{window, view};
    DataBuffer buffer{messages, loadingView};
    MoreMenuOnFinish finish;
    test::PeriodGenerators generators{request, state, buffer, messages, &finish};

    static fs::path MakeDir() {
        fs::path d = fs::temp_directory_path() /
                     ("novarel_dw_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }
    void SetUp() override {
        finish.window = &window;
        window.setGenerators(generators);
    }
    void TearDown() override { fs::remove_all(dir); }
    void ShowLines(std::initializer_list<const char*> lines) {
        buffer.ClearPage();
        for (const char* l : lines) {
            buffer.CurrentLine = l;
            buffer.AppendLine();
        }
        buffer.ShowPage();
    }
};

TEST_F(DataWindowFixture, LoadPlacesTheWindowAndFollowsTheOutputKind) {
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
    EXPECT_EQ(seam.places[0].height, 6540);
    EXPECT_EQ(seam.places[0].width, 9600);
    EXPECT_EQ(settings.DataTop, 500);
    EXPECT_EQ(settings.DataWidth, 9600);

    const DataWindowState& s = window.state();
    EXPECT_TRUE(s.loaded);
    EXPECT_EQ(s.textFontFace, "EPHEMERI");
    EXPECT_EQ(s.textFontSize, 11.5);
    EXPECT_TRUE(s.textBold);
    EXPECT_TRUE(s.item("mnuFontsBold").checked);
    EXPECT_FALSE(s.item("mnuFontsItalic").checked);
    for (const char* v : {"mnuViewLongitude", "mnuViewDeclination", "mnuViewRA", "mnuViewLatitude"})
        EXPECT_TRUE(s.item(v).enabled) << v;
    EXPECT_FALSE(s.item("mnuRx_Times").enabled);
    EXPECT_FALSE(s.item("mnuMore").visible);
    EXPECT_EQ(seam.last.textFontFace, "EPHEMERI");  // the toolkit was told
    EXPECT_EQ(view.text, "A\r\n\r\n\r\n");
    EXPECT_EQ(view.caption, "NOVAREL_SE - Data");

    // Moving the window afterwards is recorded, rounded half to even and held
    // within the fields' ranges.
    seam.onPlaced = nullptr;
    window.Resize(WindowRect{100.5, -3000.5, 40000, 101.5});
    EXPECT_EQ(settings.DataTop, 100);
    EXPECT_EQ(settings.DataLeft, -3000);
    EXPECT_EQ(settings.DataHeight, 32767);
    EXPECT_EQ(settings.DataWidth, 102);
    window.Deactivate(WindowRect{1, 2, 3, 4});
    EXPECT_EQ(settings.DataWidth, 4);

    // Showing another page does not load again; closing and an aspectarian do.
    ShowLines({"B"});
    EXPECT_EQ(seam.places.size(), 1u);
    window.Unload();
    state.OutputKind = 0;
    ShowLines({"C"});
    EXPECT_EQ(seam.places.size(), 2u);
    for (const char* v : {"mnuViewLongitude", "mnuViewDeclination", "mnuViewRA", "mnuViewLatitude"})
        EXPECT_FALSE(window.state().item(v).enabled) << v;
    EXPECT_TRUE(window.state().item("mnuRx_Times").enabled);
}

TEST_F(DataWindowFixture, GlyphFontIsAddedFromTheProgramFolderOrTheProgramEnds) {
    seam.fontInstalled = false;
    ShowLines({"A"});
    EXPECT_EQ(seam.addedFiles, (std::vector<std::string>{(dir / "EPHEMERI.TTF").string()}));
    EXPECT_TRUE(window.state().loaded);
    EXPECT_EQ(seam.ended, 0);
    EXPECT_TRUE(messages.messages.empty());

    window.Unload();
    seam.fontInstalled = false;
    seam.addSucceeds = false;
    view.text.clear();
    ShowLines({"B"});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "Error - unable to add EPHEMERI font. Please add EPHEMERI font through CONTROL PANEL, then restart "
              "NOVAREL.");
    EXPECT_EQ(messages.messages[0].title, "EPHEMERI.TTF Font Not Added");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(seam.ended, 1);
    EXPECT_FALSE(window.state().loaded);
    EXPECT_EQ(view.text, "");
}

TEST_F(DataWindowFixture, FontStepsBoldAndItalic) {
    settings.FontSize = 11.5;
    settings.FontStep = 1.5;
    ShowLines({"A"});
    const int before = buffer.DataLineCount();
    window.IncreaseFont();
    EXPECT_DOUBLE_EQ(window.state().textFontSize, 12.25);
    EXPECT_DOUBLE_EQ(settings.FontSize, 12.25);
    EXPECT_FALSE(window.state().item("mnuFontsIncrease").enabled);
    EXPECT_TRUE(window.state().item("mnuFontsDecrease").enabled);
    EXPECT_EQ(buffer.DataLineCount(), before + 1);  // the page was shown again

    window.DecreaseFont();
    EXPECT_DOUBLE_EQ(window.state().textFontSize, 11.5);
    EXPECT_TRUE(window.state().item("mnuFontsIncrease").enabled);

    // With no page shown the items are not updated: Increase stays available
    // and above 12 points only the stored size grows.
    settings.FontSize = 12.25;
    buffer.ClearPage();
    window.IncreaseFont();
    EXPECT_DOUBLE_EQ(window.state().textFontSize, 11.5);
    EXPECT_DOUBLE_EQ(settings.FontSize, 13);
    EXPECT_TRUE(window.state().item("mnuFontsIncrease").enabled);

    // Decrease with the smaller step.
    settings.FontSize = 8.5;
    settings.FontStep = 1.2;
    ShowLines({"B"});
    window.DecreaseFont();
    EXPECT_DOUBLE_EQ(window.state().textFontSize, 7.9);
    EXPECT_NEAR(settings.FontSize, 7.9, 1e-12);
    EXPECT_FALSE(window.state().item("mnuFontsDecrease").enabled);
    window.DecreaseFont();  // at or under 8 the text keeps its size
    EXPECT_DOUBLE_EQ(window.state().textFontSize, 7.9);
    EXPECT_NEAR(settings.FontSize, 7.3, 1e-12);

    window.ToggleBold();
    EXPECT_TRUE(window.state().textBold);
    EXPECT_TRUE(window.state().item("mnuFontsBold").checked);
    EXPECT_EQ(settings.FontBold, -1);
    window.ToggleBold();
    EXPECT_FALSE(window.state().textBold);
    EXPECT_FALSE(window.state().item("mnuFontsBold").checked);
    EXPECT_EQ(settings.FontBold, 0);
    window.ToggleItalic();
    EXPECT_TRUE(window.state().textItalic);
    EXPECT_EQ(settings.FontItalic, -1);
    EXPECT_EQ(seam.last.textItalic, true);
}

TEST_F(DataWindowFixture, ClearAllDataKeepsThePageShown) {
    ShowLines({"A", "B"});
    window.Run(DataCommand::ClearAllData);
    EXPECT_EQ(buffer.DataLineCount(), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "All data cleared from buffer.");
    EXPECT_EQ(messages.messages[0].title, "Information!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(view.text, "A\r\nB\r\n\r\n\r\n");
    window.Run(DataCommand::Save);
    EXPECT_EQ(messages.messages.back().text, "No data to write to file.");
    window.Run(DataCommand::PrintPage);
    EXPECT_EQ(preview.text, "\r\n\r\nA\r\nB\r\n\r\n\r\n");
}

TEST_F(DataWindowFixture, MoreStepsByDaysAndByMonths) {
    state.DateOrder = 1;
    auto startAt = [&](const char* d, const char* m, const char* y) {
        request.txtDay = d;
        request.txtMonth = m;
        request.txtYear = y;
        state.OutputKind = 1;
        generators.runEphemeris();
    };
    request.chkFullMonth = false;
    request.NumberOfDays = 7;
    startAt("10", "3", "2018");
    EXPECT_EQ(JulianDayToCivil(state.DayJD).day, 16);
    EXPECT_TRUE(window.state().item("mnuMore").visible);
    window.Run(DataCommand::MoreForward);
    EXPECT_EQ(request.txtDay, "17");
    EXPECT_EQ(request.txtMonth, "3");
    EXPECT_EQ(request.txtYear, "2018");
    EXPECT_EQ(generators.startDates.back(), "17/3/2018");

    startAt("10", "3", "2018");
    window.Run(DataCommand::MoreBackward);
    EXPECT_EQ(generators.startDates.back(), "3/3/2018");
    EXPECT_EQ(generators.calls.back(), "ephemeris");
    // The data of both periods stay in the buffer.
    // Each run: seven days and the blank line of its page.
    ASSERT_EQ(buffer.DataLineCount(), 32);
    EXPECT_EQ(buffer.DataLines()[0], "ephemeris 2018/03/10");
    EXPECT_EQ(buffer.DataLines()[8], "ephemeris 2018/03/17");
    EXPECT_EQ(buffer.DataLines()[24], "ephemeris 2018/03/03");

    // Whole months: March -> April and February; February -> January.
    request.chkFullMonth = true;
    startAt("15", "3", "2018");
    window.MoreForward();
    EXPECT_EQ(generators.startDates.back(), "1/4/2018");
    startAt("15", "3", "2018");
    window.MoreBackward();
    EXPECT_EQ(generators.startDates.back(), "1/2/2018");
    window.MoreBackward();
    EXPECT_EQ(generators.startDates.back(), "1/1/2018");
    window.MoreBackward();
    EXPECT_EQ(generators.startDates.back(), "1/12/2017");

    // After an aspectarian the same commands run the aspectarian.
    request.chkFullMonth = false;
    request.NumberOfDays = 1;
    state.OutputKind = 0;
    window.MoreBackward();
    EXPECT_EQ(generators.calls.back(), "aspectarian");
    EXPECT_EQ(generators.startDates.back(), "31/12/2017");  // DayJD was 31 December
}

TEST_F(DataWindowFixture, ViewsHelpKeysAndMouse) {
    window.Run(DataCommand::ViewDeclination);
    EXPECT_EQ(generators.calls, (std::vector<std::string>{"table:1"}));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"busy", "normal"}));
    window.Run(DataCommand::ViewRightAscension);
    window.Run(DataCommand::ViewLatitude);
    window.Run(DataCommand::ViewLongitude);
    window.Run(DataCommand::RetrogradeTimes);
    EXPECT_EQ(generators.calls,
              (std::vector<std::string>{"table:1", "table:3", "table:2", "table:0", "stations"}));

    // Help: a missing file is named and the page stays; a present one is shown.
    const std::string pageBefore = view.text;
    window.Run(DataCommand::Help);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The help file " + (dir / "OUTPUTD1.HLP").string() + " cannot be read.");
    EXPECT_EQ(view.text, pageBefore);
    ASSERT_TRUE(WriteWholeFile((dir / "OUTPUTD1.HLP").string(), "Data window\r\n\r\nF5 saves.\r\n"));
    window.Help();
    EXPECT_EQ(view.text, "Data window\r\n\r\nF5 saves.\r\n\r\n\r\n\r\n");

    EXPECT_TRUE(window.KeyPress(27));
    EXPECT_FALSE(window.KeyPress('a'));
    EXPECT_EQ(seam.activations, 1);
    window.MouseUp(MouseButton::Left);
    EXPECT_EQ(seam.activations, 1);
    window.MouseUp(MouseButton::Right);
    EXPECT_EQ(seam.activations, 2);
}

TEST(DataMenu, ShortcutsAndAccessLettersDoNotCollide) {
    std::set<std::string_view> shortcuts;
    std::set<DataCommand> commands;
    // Access letters are unique on the bar and within each submenu.
    std::set<char> group, bar;
    for (const auto& item : DataMenu) {
        ASSERT_FALSE(item.name.empty());
        ASSERT_FALSE(item.caption.empty());
        if (!item.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(item.shortcut).second) << item.shortcut;
        }
        if (item.command != DataCommand::None) {
            EXPECT_TRUE(commands.insert(item.command).second) << item.name;
        }
        if (IsSeparator(item.caption)) continue;
        const char letter = static_cast<char>(std::toupper(AccessLetter(item.caption)));
        EXPECT_NE(letter, 0) << item.name;
        if (item.level == 0) {
            group.clear();
            EXPECT_TRUE(bar.insert(letter).second) << item.name;
        } else {
            EXPECT_TRUE(group.insert(letter).second) << item.name;
        }
    }
    EXPECT_EQ(commands.size(), 17u);  // every command has its item
    EXPECT_EQ(AccessLetter("Retro&grade times"), 'g');
}

}  // namespace
}  // namespace novarel

#include "app/natal_charts_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "core/text_file.h"
#include "natal/chart_file.h"
#include "tests/app/program_fixture.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tmpfs_folder.h"

namespace novarel {
namespace {

using test::RecordingMessages;
using test::TempFolder;

ChartFields Typed(std::string name, std::string month, std::string day, std::string year,
                  std::string hour, std::string minute, std::string zone, std::string latitude = {},
                  std::string longitude = {}) {
    ChartFields f;
    f.name = std::move(name), f.month = std::move(month), f.day = std::move(day);
    f.year = std::move(year), f.hour = std::move(hour), f.minute = std::move(minute);
    f.timeZone = std::move(zone), f.latitude = std::move(latitude);
    f.longitude = std::move(longitude);
    return f;
}

// One program's window over the chart file of a folder.
struct Window {
    Window(const std::string& file) : form({request, messages, file}) { form.Load(); }
    bool Enter(const ChartFields& fields) {
        form.New();
        form.fields = fields;
        return form.Save();
    }
    int RowOf(const std::string& name) const {
        for (std::size_t i = 0; i < form.charts().size(); ++i)
            if (form.charts()[i].name == name) return static_cast<int>(i);
        return -1;
    }
    std::string LastMessage() const {
        return messages.messages.empty()
                   ? std::string()
                   : messages.messages.back().title + ": " + messages.messages.back().text;
    }
    CalcRequest request;
    RecordingMessages messages;
    NatalChartsForm form;
};

struct NatalChartsFormTest : ::testing::Test {
    TempFolder dir;
    std::string file = dir.file(std::string(ChartFileName));
    std::string Bytes() const { return ReadWholeFile(file).value_or("<none>"); }
};

TEST_F(NatalChartsFormTest, AChartTypedAndSavedReadsBackFromTheFile) {
    Window w(file);
    ASSERT_TRUE(w.Enter(Typed(" Ann Smith ", "7", "04", "1980", "14", "05", "America/New_York",
                              "40.7128n", "74.006 W")));
    EXPECT_TRUE(w.messages.messages.empty());

    const ChartList list = ReadChartFile(file);
    ASSERT_TRUE(list.error.empty()) << list.error;
    ASSERT_EQ(list.charts.size(), 1u);
    const NatalChart& c = list.charts[0];
    EXPECT_EQ(c.name, "Ann Smith");
    EXPECT_EQ(c.date.year, 1980);
    EXPECT_EQ(c.date.month, 7);
    EXPECT_EQ(c.date.day, 4);
    EXPECT_EQ(c.hour, 14);
    EXPECT_EQ(c.minute, 5);
    EXPECT_EQ(c.timeZone, "America/New_York");
    ASSERT_TRUE(c.place);
    EXPECT_EQ(c.place->latitude, 40.7128);
    EXPECT_EQ(c.place->longitude, -74.006);

    // Another window finds it, shows it in its boxes, and saving it unchanged
    // leaves the file as it was.
    const std::string before = Bytes();
    Window other(file);
    ASSERT_EQ(other.RowOf("Ann Smith"), 0);
    other.form.Select(0);
    EXPECT_EQ(other.form.fields.day, "4");
    EXPECT_EQ(other.form.fields.latitude, "40.7128");
    EXPECT_EQ(other.form.fields.longitude, "-74.006");
    ASSERT_TRUE(other.form.Save());
    EXPECT_EQ(Bytes(), before);

    // Without a place, and with an empty zone box: Universal Time.
    ASSERT_TRUE(w.Enter(Typed("Bob", "1", "2", "44", "0", "0", " ")));
    const std::optional<NatalChart> bob = FindChart(ReadChartFile(file), "Bob");
    ASSERT_TRUE(bob);
    EXPECT_EQ(bob->timeZone, "UT");
    EXPECT_EQ(bob->date.year, 44);
    EXPECT_FALSE(bob->place);
    EXPECT_EQ(w.form.charts().size(), 2u);
    EXPECT_EQ(w.form.selected(), w.RowOf("Bob"));
}

TEST_F(NatalChartsFormTest, TheChosenChartFollowsARenameAndGoesWithADelete) {
    Window w(file);
    ASSERT_TRUE(w.Enter(Typed("Ann", "3", "15", "1975", "6", "30", "Europe/London")));
    ASSERT_TRUE(w.Enter(Typed("Carl", "11", "30", "1990", "23", "59", "UT")));
    EXPECT_EQ(w.form.ChosenText(), "Chosen chart: none");
    // Choose wants a saved chart.
    w.form.New();
    EXPECT_FALSE(w.form.Choose());
    EXPECT_EQ(w.request.natalChart, "");
    w.form.Select(w.RowOf("Ann"));
    ASSERT_TRUE(w.form.Choose());
    EXPECT_EQ(w.request.natalChart, "Ann");
    EXPECT_EQ(w.form.ChosenText(), "Chosen chart: Ann");

    // Renamed: the file has the new name only, and the choice follows.
    w.form.fields.name = "Ann Lee";
    ASSERT_TRUE(w.form.Save());
    EXPECT_FALSE(FindChart(ReadChartFile(file), "Ann"));
    EXPECT_TRUE(FindChart(ReadChartFile(file), "Ann Lee"));
    EXPECT_EQ(w.request.natalChart, "Ann Lee");
    // Another chart renamed leaves the choice alone.
    w.form.Select(w.RowOf("Carl"));
    w.form.fields.name = "Carla";
    ASSERT_TRUE(w.form.Save());
    EXPECT_EQ(w.request.natalChart, "Ann Lee");

    // Deleted after the question: the choice goes; the other chart stays.
    EXPECT_EQ(w.form.DeleteQuestion(), "Delete the natal chart \"Carla\"?");
    ASSERT_TRUE(w.form.Delete());
    EXPECT_EQ(w.request.natalChart, "Ann Lee");
    w.form.Select(w.RowOf("Ann Lee"));
    ASSERT_TRUE(w.form.Delete());
    EXPECT_EQ(w.request.natalChart, "");
    EXPECT_TRUE(ReadChartFile(file).charts.empty());
    EXPECT_EQ(w.form.DeleteQuestion(), "");
    EXPECT_FALSE(w.form.Delete());
    EXPECT_EQ(w.LastMessage(), "Warning!: Select the chart to delete in the list.");
}

TEST_F(NatalChartsFormTest, ANameAnotherChartHasIsRefusedAndTheBoxesKeepTheirText) {
    Window w(file);
    ASSERT_TRUE(w.Enter(Typed("Ann", "3", "15", "1975", "6", "30", "UT")));
    ASSERT_TRUE(w.Enter(Typed("Bob", "4", "16", "1976", "7", "31", "UT")));
    const std::string before = Bytes();
    const ChartFields typed = Typed("Ann", "5", "17", "1977", "8", "32", "UT");
    EXPECT_FALSE(w.Enter(typed));
    EXPECT_EQ(w.messages.messages.size(), 1u);
    EXPECT_NE(w.LastMessage().find("Ann"), std::string::npos) << w.LastMessage();
    EXPECT_EQ(w.form.wrongField(), ChartField::Name);
    EXPECT_EQ(w.form.fields.minute, typed.minute);
    EXPECT_EQ(w.form.selected(), -1);
    EXPECT_EQ(Bytes(), before);
    // Renaming Bob to Ann is refused the same way.
    w.form.Select(w.RowOf("Bob"));
    w.form.fields.name = "Ann";
    EXPECT_FALSE(w.form.Save());
    EXPECT_EQ(Bytes(), before);
}

TEST_F(NatalChartsFormTest, WrongBoxesAreSaidAndPointedAtAndNothingIsWritten) {
    const ChartFields good =
        Typed("Ann", "3", "15", "1975", "6", "30", "Europe/Paris", "48.85", "2.35");
    NatalChart goodChart;
    goodChart.name = "Ann";
    goodChart.date = CivilDate{1975, 3, 15};
    goodChart.hour = 6, goodChart.minute = 30;
    goodChart.timeZone = "Europe/Paris";
    goodChart.place = PlaceOnEarth{48.85, 2.35};
    ASSERT_EQ(ChartProblem(goodChart), "");

    // Boxes that make no chart: the window's own sentences.
    struct Unread {
        ChartField field;
        std::string text;
        std::string message;
        ChartField pointed;
    };
    const Unread unread[] = {
        {ChartField::Month, "", "The Month box is empty. Please correct.", ChartField::Month},
        {ChartField::Day, " 1a",
         "The Day box holds \"1a\", which is not a whole number. Please correct.", ChartField::Day},
        {ChartField::Hour, "", "The Hour box is empty. Please correct.", ChartField::Hour},
        {ChartField::Latitude, "",
         "A place needs both its latitude and its longitude; leave both empty for a chart "
         "without one. Please correct.",
         ChartField::Latitude},
        {ChartField::Latitude, "48.85E",
         "The latitude \"48.85E\" is not a number of degrees (40.7128, -33.87 or 33.87S). "
         "Please correct.",
         ChartField::Latitude},
        {ChartField::Longitude, "-2.35W",
         "The longitude \"-2.35W\" is not a number of degrees (-74.006, 151.21 or 74.006W). "
         "Please correct.",
         ChartField::Longitude},
    };
    Window w(file);
    for (const Unread& c : unread) {
        SCOPED_TRACE(std::string(CaptionOf(c.field)) + " \"" + c.text + "\"");
        ChartFields typed = good;
        typed[c.field] = c.text;
        w.messages.messages.clear();
        EXPECT_FALSE(w.Enter(typed));
        EXPECT_EQ(w.LastMessage(), "Warning!: " + c.message);
        EXPECT_EQ(w.messages.messages.size(), 1u);
        EXPECT_EQ(w.form.wrongField(), c.pointed);
        EXPECT_EQ(w.form.fields[c.field], c.text);
    }

    // Charts the check refuses: its sentence, and the box to correct.
    struct Refused {
        ChartField field;
        std::string text;
        void (*change)(NatalChart&);
        ChartField pointed;
    };
    const Refused refused[] = {
        {ChartField::Name, "  ", [](NatalChart& c) { c.name = ""; }, ChartField::Name},
        {ChartField::Month, "13", [](NatalChart& c) { c.date.month = 13; }, ChartField::Month},
        {ChartField::Day, "31",
         [](NatalChart& c) {
             c.date = {1975, 4, 31};
         },
         ChartField::Day},
        {ChartField::Hour, "24", [](NatalChart& c) { c.hour = 24; }, ChartField::Hour},
        {ChartField::Minute, "60", [](NatalChart& c) { c.minute = 60; }, ChartField::Minute},
        {ChartField::Year, "3000", [](NatalChart& c) { c.date.year = 3000; }, ChartField::Year},
        {ChartField::TimeZone, "Europe/Atlantis",
         [](NatalChart& c) { c.timeZone = "Europe/Atlantis"; }, ChartField::TimeZone},
        {ChartField::Latitude, "90.5N", [](NatalChart& c) { c.place->latitude = 90.5; },
         ChartField::Latitude},
        {ChartField::Longitude, "180.01W", [](NatalChart& c) { c.place->longitude = -180.01; },
         ChartField::Longitude},
    };
    for (const Refused& c : refused) {
        SCOPED_TRACE(std::string(CaptionOf(c.field)) + " \"" + c.text + "\"");
        ChartFields typed = good;
        typed[c.field] = c.text;
        if (c.text == "31") typed.month = "4";
        NatalChart expected = goodChart;
        c.change(expected);
        const std::string problem = ChartProblem(expected);
        ASSERT_NE(problem, "");
        w.messages.messages.clear();
        EXPECT_FALSE(w.Enter(typed));
        EXPECT_EQ(w.LastMessage(), "Warning!: " + problem);
        EXPECT_EQ(w.form.wrongField(), c.pointed);
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(w.Enter(good));
}

TEST_F(NatalChartsFormTest, DegreesTakeASignOrAHemisphereLetter) {
    EXPECT_EQ(ParseDegrees("40.7128", 'N', 'S'), 40.7128);
    EXPECT_EQ(ParseDegrees(" +40.5 ", 'N', 'S'), 40.5);
    EXPECT_EQ(ParseDegrees("-33.87", 'N', 'S'), -33.87);
    EXPECT_EQ(ParseDegrees("33.87s", 'N', 'S'), -33.87);
    EXPECT_EQ(ParseDegrees("151.21 E", 'E', 'W'), 151.21);
    EXPECT_EQ(ParseDegrees("0W", 'E', 'W'), -0.0);
    for (const char* wrong :
         {"", "N", "-", "40,5", "40.5.1", "-40N", "40 30", "40.5X", "1e2", "inf", "nan", "40.5NN"})
        EXPECT_FALSE(ParseDegrees(wrong, 'N', 'S')) << wrong;
    EXPECT_FALSE(ParseDegrees("40.5N", 'E', 'W'));

    // A saved place comes back into the boxes as a text they take, to the bit.
    NatalChart chart;
    chart.place = PlaceOnEarth{0.00001, -179.99999999999997};
    const ChartFields shown = FieldsOf(chart);
    EXPECT_EQ(shown.latitude, "0.00001");
    EXPECT_EQ(ParseDegrees(shown.longitude, 'E', 'W'), -179.99999999999997);
}

TEST_F(NatalChartsFormTest, ADamagedFileIsSaidWithItsLineAndNeverReplaced) {
    const std::string damaged = "{\n  \"charts\": [\n    {\"name\": \"Ann\",\n  oops\n";
    ASSERT_TRUE(WriteWholeFile(file, damaged));
    Window w(file);
    ASSERT_EQ(w.messages.messages.size(), 1u);
    EXPECT_NE(w.LastMessage().find("line "), std::string::npos) << w.LastMessage();
    EXPECT_TRUE(w.form.charts().empty());
    const ChartFields typed = Typed("Bob", "4", "16", "1976", "7", "31", "UT");
    EXPECT_FALSE(w.Enter(typed));
    EXPECT_EQ(w.messages.messages.size(), 2u);
    EXPECT_EQ(w.form.fields.name, "Bob");
    EXPECT_FALSE(w.form.wrongField());
    EXPECT_EQ(Bytes(), damaged);
}

// Two programs with the window open: each saves a chart the other has not
// seen, and the file keeps both.
TEST_F(NatalChartsFormTest, TwoProgramsSavingKeepBothCharts) {
    Window first(file), second(file);
    ASSERT_TRUE(first.Enter(Typed("Ann", "3", "15", "1975", "6", "30", "UT")));
    ASSERT_TRUE(second.Enter(Typed("Bob", "4", "16", "1976", "7", "31", "UT")));
    EXPECT_EQ(second.form.charts().size(), 2u);
    const ChartList list = ReadChartFile(file);
    ASSERT_EQ(list.charts.size(), 2u);
    EXPECT_TRUE(FindChart(list, "Ann") && FindChart(list, "Bob"));
    // The first edits its Ann while the second deletes Bob: Bob stays deleted.
    ASSERT_TRUE(second.form.Delete());
    first.form.Select(first.RowOf("Ann"));
    first.form.fields.hour = "7";
    ASSERT_TRUE(first.form.Save());
    const ChartList after = ReadChartFile(file);
    ASSERT_EQ(after.charts.size(), 1u);
    EXPECT_EQ(after.charts[0].hour, 7);
}

TEST_F(NatalChartsFormTest, AFullDiskKeepsTheFileAsItWas) {
    test::TmpfsFolder disk("64k");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string onDisk = disk.file(std::string(ChartFileName));
    Window w(onDisk);
    ASSERT_TRUE(w.Enter(Typed("Ann", "3", "15", "1975", "6", "30", "UT")));
    const std::string before = ReadWholeFile(onDisk).value_or("<none>");
    {
        // Whatever room is left is taken.
        std::ofstream fill(disk.file("fill"), std::ios::binary);
        const std::string block(4096, 'x');
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size()))) {
        }
    }
    EXPECT_FALSE(w.Enter(Typed("Bob", "4", "16", "1976", "7", "31", "UT")));
    EXPECT_EQ(w.messages.messages.size(), 1u);
    EXPECT_NE(w.LastMessage().find("No space left on device"), std::string::npos)
        << w.LastMessage();
    EXPECT_EQ(w.form.fields.name, "Bob");
    EXPECT_EQ(ReadWholeFile(onDisk).value_or("<none>"), before);
}

class CountingTransits final : public Generators {
public:
    RunOutcome runEphemeris() override { return RunOutcome::Failed; }
    RunOutcome runAspectarian() override { return RunOutcome::Failed; }
    void showTable(DataOutput) override {}
    RunOutcome listStations() override { return RunOutcome::Failed; }
    RunOutcome runTransits() override {
        ++runs;
        return RunOutcome::Completed;
    }
    int runs = 0;
};

// Charts > Transits without a chosen chart says what is missing and opens the
// window where a chart is chosen; with one, the transits run.
struct TransitsMenu : test::ProgramFixture {};

TEST_F(TransitsMenu, WithoutAChosenChartTheChartsWindowOpens) {
    Program& p = Start();
    CountingTransits generators;
    p.setGenerators(generators);
    p.RunMainMenu(MainCommand::Transits);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, ChooseChartForTransits);
    EXPECT_EQ(messages.messages[0].title, NatalChartsTitle);
    EXPECT_EQ(shell.natalCharts, 1);
    EXPECT_EQ(generators.runs, 0);
    EXPECT_TRUE(input.visible);

    p.request.natalChart = "Ann";
    p.RunMainMenu(MainCommand::Transits);
    EXPECT_EQ(generators.runs, 1);
    EXPECT_EQ(p.state.OutputKind, OutputKind::Transits);
    EXPECT_EQ(shell.natalCharts, 1);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST(NatalChartsFormKeys, NumberBoxesTakeDigitsOnly) {
    EXPECT_TRUE(NatalChartsForm::KeyPasses('7'));
    EXPECT_TRUE(NatalChartsForm::KeyPasses(8));  // Backspace
    EXPECT_FALSE(NatalChartsForm::KeyPasses('-'));
    EXPECT_FALSE(NatalChartsForm::KeyPasses(':'));
}

}  // namespace
}  // namespace novarel

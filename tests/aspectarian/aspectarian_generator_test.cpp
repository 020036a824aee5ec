// The aspectarian run as the user sees it: title, day blocks, page, data file.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "aspectarian/aspectarian_generator.h"
#include "core/glyphs.h"
#include "tests/aspectarian/test_program.h"

namespace novarel {
namespace {

namespace fs = std::filesystem;

std::string TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "novarel_asp_XXXXXX").string();
    return mkdtemp(pattern.data());
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int DayBlocks(const AspectarianState& a) {
    int n = 0;
    for (std::size_t k = 6; k < a.ReportLines.size(); ++k) n += a.ReportLines[k].empty() ? 1 : 0;
    return n;
}

TEST(AspectarianGenerator, TitleBlockDayBlocksAndPage) {
    test::TestProgram p;
    p.Request("2018", "5", "4", 2);
    p.request.type = TimeOfDay::Midnight;
    RunContext ctx = p.context();
    ASSERT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);

    const auto& r = p.aspectarian.ReportLines;
    ASSERT_GT(r.size(), 8u);
    EXPECT_EQ(r[0], "");
    const std::string title =
        "  Tropical Aspectarian - Friday, 04 May 2018 at midnight, Greenwich   SVP = ";
    EXPECT_EQ(r[1].substr(0, title.size()), title);
    EXPECT_EQ(r[2], "           geocentric    Julian Day = 2458242.5");
    EXPECT_EQ(r[3], "");
    EXPECT_EQ(r[4], "  Day      h  m");
    EXPECT_EQ(r[5], "  -------------");
    EXPECT_EQ(DayBlocks(p.aspectarian), 2);
    EXPECT_EQ(r.back(), "");

    // Every event line has the 17-character prefix; the first line of each day
    // carries the date, the others blanks; times ascend within a day.
    const std::regex prefix(R"(  (\d\d \w\w\w|      )  (\d\d):(\d\d)  .+)");
    bool firstOfDay = true;
    int lastMinute = -1;
    for (std::size_t k = 6; k < r.size(); ++k) {
        if (r[k].empty()) {
            firstOfDay = true;
            lastMinute = -1;
            continue;
        }
        std::smatch m;
        ASSERT_TRUE(std::regex_match(r[k], m, prefix)) << r[k];
        EXPECT_EQ(m[1].str() != "      ", firstOfDay) << r[k];
        const int minute = std::stoi(m[2]) * 60 + std::stoi(m[3]);
        EXPECT_GE(minute, lastMinute) << r[k];
        lastMinute = minute;
        firstOfDay = false;
    }
    EXPECT_EQ(r[6].substr(0, 10), "  04 May  ");

    // The page: the report, then ShowPage's empty line; the window shows it.
    ASSERT_EQ(p.buffer.PageLineCount(), static_cast<int>(r.size()) + 1);
    for (std::size_t k = 0; k < r.size(); ++k) EXPECT_EQ(p.buffer.PageLine(static_cast<int>(k)), r[k]);
    EXPECT_EQ(p.view.shown, 1);
    EXPECT_EQ(p.windows.started, 1);
    EXPECT_EQ(p.windows.finished, 1);
    EXPECT_EQ(p.progress.events, (std::vector<std::string>{"busy", "load", "unload", "normal"}));
    EXPECT_EQ(p.progress.percents, (std::vector<float>{0, 100}));
    // DayJD is left on 0h UT of the last day.
    EXPECT_EQ(p.state.DayJD, 2458243.5);
    EXPECT_TRUE(p.messages.messages.empty());
}

TEST(AspectarianGenerator, FullMonthEndsWithTheMonth) {
    struct Case { const char* year; const char* month; int days; double nextMonthJD; };
    const Case cases[] = {{"2017", "2", 28, 2457813.5}, {"2018", "4", 30, 2458239.5},
                          {"2018", "3", 31, 2458209.5}};
    for (const auto& c : cases) {
        test::TestProgram p(std::make_unique<test::RecordingLibrary>());
        p.Request(c.year, c.month, "15", 0);
        RunContext ctx = p.context();
        ASSERT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);
        EXPECT_EQ(DayBlocks(p.aspectarian), c.days) << c.month;
        EXPECT_EQ(p.request.txtDay, "1");
        EXPECT_EQ(p.request.NumberOfDays, 31);
        EXPECT_EQ(p.state.DayJD, c.nextMonthJD) << c.month;
    }
}

TEST(AspectarianGenerator, TwentyFiveWholeHoursPerDayFromMidnight) {
    auto deltatTimes = [](Centre centre, int days) {
        auto lib = std::make_unique<test::RecordingLibrary>();
        auto* rec = lib.get();
        test::TestProgram p(std::move(lib));
        p.Request("2018", "5", "3", days);
        p.request.coordinates = centre;
        RunContext ctx = p.context();
        GenerateAspectarian(ctx, p.aspectarian);
        std::vector<double> times;
        for (const auto& call : rec->calls)
            if (call.kind == "deltat") times.push_back(call.t);
        return times;
    };
    // Noon is the default choice: the samples still start at 0h UT.
    const double base = 2458241.5;
    auto geo = deltatTimes(Centre::Geo, 2);
    ASSERT_EQ(geo.size(), 51u);  // one hour before the start for the directions, then 2 x 25
    EXPECT_NEAR(geo[0], base - 1.0 / 24, 1e-9);
    for (int d = 0; d < 2; ++d)
        for (int s = 0; s < 25; ++s)
            EXPECT_NEAR(geo[static_cast<std::size_t>(1 + d * 25 + s)], base + d + s / 24.0, 1e-9);
    EXPECT_EQ(deltatTimes(Centre::Helio, 2).size(), 50u);
    EXPECT_EQ(deltatTimes(Centre::Geo, 1).size(), 26u);

    // More days than the table holds: 367 days.
    test::TestProgram p(std::make_unique<test::RecordingLibrary>());
    p.Request("2018", "1", "1", 400);
    RunContext ctx = p.context();
    GenerateAspectarian(ctx, p.aspectarian);
    EXPECT_EQ(DayBlocks(p.aspectarian), 367);
}

TEST(AspectarianGenerator, DataFileIsOneColumnWithCrLfWhateverThePage) {
    const std::string dir = TempFolder();
    test::TestProgram p;
    p.directory = dir;
    p.Request("2018", "5", "3", 2);
    p.request.chkSaveData = true;
    p.options[5] = 1;
    RunContext ctx = p.context();
    ASSERT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);

    std::string expected;
    for (const auto& l : p.aspectarian.ReportLines) expected += l + "\r\n";
    EXPECT_EQ(FileBytes(dir + "/180503AS.TEG"), expected);
    // The page is in two columns: the heading doubled.
    EXPECT_EQ(p.buffer.PageLine(4), "  Day      h  m" + std::string(49, ' ') + "  Day      h  m");
    EXPECT_LT(p.buffer.PageLineCount(), static_cast<int>(p.aspectarian.ReportLines.size()));

    // Sidereal heliocentric in day-month-year order.
    p.request.zodiac = Zodiac::Sidereal;
    p.request.coordinates = Centre::Helio;
    p.state.DateOrder = 1;
    ASSERT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);
    EXPECT_EQ(p.aspectarian.ReportLines[2], "           heliocentric  Julian Day = 2458242.0");
    EXPECT_EQ(p.aspectarian.ReportLines[1].substr(0, 26), "  Sidereal Aspectarian - T");
    EXPECT_TRUE(fs::exists(dir + "/030518AS.SEH"));
    fs::remove_all(dir);
}

TEST(AspectarianGenerator, UnwritableDataFileIsReportedAndTheReportStillShown) {
    const std::string dir = TempFolder();
    fs::create_directory(dir + "/180503AS.TEG");  // a folder where the file should go
    test::TestProgram p;
    p.directory = dir;
    p.Request("2018", "5", "3", 1);
    p.request.chkSaveData = true;
    RunContext ctx = p.context();
    EXPECT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Failed);
    ASSERT_EQ(p.messages.messages.size(), 1u);
    EXPECT_EQ(p.messages.messages[0].title, "Warning!");
    EXPECT_NE(p.messages.messages[0].text.find(dir + "/180503AS.TEG"), std::string::npos);
    EXPECT_EQ(p.view.shown, 1);
    EXPECT_EQ(p.buffer.PageLine(4), "  Day      h  m");
    EXPECT_EQ(p.progress.events.back(), "normal");
    fs::remove_all(dir);
}

TEST(AspectarianGenerator, InvalidDateStopsBeforeAnything) {
    test::TestProgram p;
    p.Request("2018", "13", "3", 1);
    p.aspectarian.ReportLines = {"kept"};
    RunContext ctx = p.context();
    EXPECT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::InvalidInput);
    ASSERT_EQ(p.messages.messages.size(), 1u);
    EXPECT_EQ(p.messages.messages[0].text, "Error in input data section. Please correct.");
    EXPECT_EQ(p.view.setTextCount, 0);
    EXPECT_EQ(p.windows.started, 0);
    EXPECT_TRUE(p.progress.events.empty());
    EXPECT_EQ(p.aspectarian.ReportLines, std::vector<std::string>{"kept"});
}

TEST(AspectarianGenerator, DayNotOnTheCalendarShowsTheDayTheRunStartsOn) {
    test::TestProgram p;
    p.Request("2018", "2", "31", 1);
    RunContext ctx = p.context();
    ASSERT_EQ(GenerateAspectarian(ctx, p.aspectarian), RunOutcome::Completed);
    const std::string title = "  Tropical Aspectarian - Saturday, 03 Mar 2018 at noon, Greenwich   SVP";
    EXPECT_EQ(p.aspectarian.ReportLines[1].substr(0, title.size()), title);
    EXPECT_EQ(p.aspectarian.ReportLines[6].substr(0, 10), "  03 Mar  ");
    EXPECT_EQ(p.state.StartDateText, "2018/2/31");
}

}  // namespace
}  // namespace novarel

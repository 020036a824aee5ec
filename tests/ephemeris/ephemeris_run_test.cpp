// The day loop of the ephemeris: period, moments, sidereal time, Sundays,
// history, views, progress, and the input check.
#include <gtest/gtest.h>

#include "core/julian_day.h"
#include "ephemeris/ephemeris_tables.h"
#include "tests/ephemeris/ephemeris_test_support.h"

namespace novarel {
namespace {
using test::EphemerisRig;
using test::RecordingLibrary;

// Moments given to the library: the first argument of each deltat call.
std::vector<double> Moments(const RecordingLibrary& lib) {
    std::vector<double> t;
    for (const auto& c : lib.calls)
        if (c.kind == "deltat") t.push_back(c.t);
    return t;
}

std::vector<std::string> RowDates(const std::vector<std::string>& table) {
    std::vector<std::string> dates;
    for (const std::string& row : test::Rows(table)) dates.push_back(row.substr(2, 6));
    return dates;
}

TEST(EphemerisRun, FirstJanuary2000AtMidnightAndNoon) {
    RecordingLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2000", "1", "1");
    rig.setDays(1);
    rig.setMidnight(true);
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    EXPECT_EQ(rig.state.FirstRowJD, 2451545.0);
    EXPECT_EQ(rig.state.StartJD, 2451544.5);
    EXPECT_NE(rig.state.LongitudeTable[2].find("Julian Day = 2451544.5 "), std::string::npos);
    EXPECT_EQ(test::Rows(rig.state.LongitudeTable).at(0).substr(0, 23), "  01 Jan    6 39 52.3  ");
    EXPECT_NEAR(rig.state.SiderealSeconds, 23992.27, 0.005);
    // Positions of 0h UT, in Ephemeris Time for the library.
    ASSERT_EQ(Moments(lib), std::vector<double>{2451544.5});
    EXPECT_DOUBLE_EQ(lib.calls[1].t, 2451544.5 + lib.deltaT);
    EXPECT_DOUBLE_EQ(rig.state.Centuries, -0.5 / 36525 / 10);

    RecordingLibrary noonLib;
    EphemerisRig noon(noonLib);
    noon.setStart("2000", "1", "1");
    noon.setDays(1);
    noon.setMidnight(false);
    ASSERT_EQ(noon.run(), RunOutcome::Completed);
    EXPECT_NE(noon.state.LongitudeTable[2].find("Julian Day = 2451545.0 "), std::string::npos);
    for (EphemerisTable t : EphemerisTables)
        EXPECT_EQ(test::Rows(TableLines(noon.state, t)).at(0).substr(0, 21), "  01 Jan   18 41 50.5");
    EXPECT_NEAR(noon.state.SiderealSeconds, 67310.54841, 1e-6);
    ASSERT_EQ(Moments(noonLib), std::vector<double>{2451545.0});
}

TEST(EphemerisRun, PeriodOfTheRequest) {
    // Full month of February 2018 with the day box at 15: 1 to 28 February.
    RecordingLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2018", "2", "15");
    rig.request.chkFullMonth = true;
    rig.request.NumberOfDays = 5;
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    EXPECT_EQ(rig.request.txtDay, "1");
    EXPECT_EQ(rig.request.NumberOfDays, 31);
    auto dates = RowDates(rig.state.LongitudeTable);
    ASSERT_EQ(dates.size(), 28u);
    EXPECT_EQ(dates.front(), "01 Feb");
    EXPECT_EQ(dates.back(), "28 Feb");
    EXPECT_EQ(Moments(lib).size(), 28u);
    EXPECT_EQ(rig.state.DayJD, CalendarToJulianDay(2018, 3, 1));  // the day that ended the loop
    EXPECT_EQ(rig.state.DateText, "2018/03/01");

    // February of a leap year, and a month of 31 days.
    for (const auto& [month, year, count, next] :
         {std::tuple{"2", "2016", 29u, CalendarToJulianDay(2016, 3, 1)},
          std::tuple{"5", "2018", 31u, CalendarToJulianDay(2018, 6, 1)},
          std::tuple{"12", "2100", 31u, CalendarToJulianDay(2101, 1, 1)}}) {
        RecordingLibrary l;
        EphemerisRig r(l);
        r.setStart(year, month, "9");
        r.request.chkFullMonth = true;
        ASSERT_EQ(r.run(), RunOutcome::Completed);
        EXPECT_EQ(RowDates(r.state.DeclinationTable).size(), count) << year << "/" << month;
        EXPECT_EQ(r.state.DayJD, next);
    }

    // One day; and a stored days value above the cap gives 367 rows.
    for (const auto& [days, rows] : {std::pair{1, 1u}, std::pair{366, 366u}, std::pair{500, 367u}}) {
        RecordingLibrary l;
        EphemerisRig r(l);
        r.setStart("2019", "12", "31");
        r.setDays(days);
        ASSERT_EQ(r.run(), RunOutcome::Completed);
        const auto d = RowDates(r.state.RightAscensionTable);
        ASSERT_EQ(d.size(), rows);
        EXPECT_EQ(d.front(), "31 Dec");
        EXPECT_EQ(r.state.DayJD, CalendarToJulianDay(2019, 12, 31) + rows - 1);
        EXPECT_EQ(r.state.history.longitude.days(), static_cast<int>(rows));
    }
}

TEST(EphemerisRun, SundayBreaks) {
    // 4 February 2018 is a Sunday: no break before the first row, one before
    // the next Sunday, in all four tables.
    RecordingLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2018", "2", "4");
    rig.setDays(9);
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    for (EphemerisTable t : EphemerisTables) {
        const auto& lines = TableLines(rig.state, t);
        ASSERT_EQ(lines.size(), 7u + 9u + 1u);
        EXPECT_EQ(lines[7].substr(2, 6), "04 Feb");
        EXPECT_EQ(lines[13].substr(2, 6), "10 Feb");
        EXPECT_EQ(lines[14], "");
        EXPECT_EQ(lines[15].substr(2, 6), "11 Feb");
        EXPECT_EQ(lines[16].substr(2, 6), "12 Feb");
    }
}

TEST(EphemerisRun, HistoryProgressAndWindows) {
    RecordingLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2018", "5", "3");
    rig.setDays(5);
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    const PositionHistory& h = rig.state.history;
    ASSERT_EQ(h.longitude.days(), 5);
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(h.longitude.at(0, d), CalendarToJulianDay(2018, 5, 3) + d);
        EXPECT_EQ(h.declination.at(0, d), CalendarToJulianDay(2018, 5, 3) + d);
        // The fake answers body number * 10 (+1 equatorial), latitude -(n + 0.5).
        EXPECT_EQ(h.longitude.at(Moon, d), 10.0);
        EXPECT_EQ(h.latitude.at(Mars, d), -4.5);
        EXPECT_EQ(h.rightAscension.at(NorthNode, d), 111.0);
        EXPECT_EQ(h.declination.at(Sun, d), -0.5);
    }
    EXPECT_EQ(rig.progress.events, (std::vector<std::string>{"busy", "load", "unload", "normal"}));
    EXPECT_EQ(rig.progress.percents, (std::vector<float>{0, 25, 50, 75, 100}));
    EXPECT_EQ(rig.windows.events, (std::vector<std::string>{"started", "finished"}));

    // One day draws no progress.
    RecordingLibrary l1;
    EphemerisRig one(l1);
    one.setStart("2018", "5", "3");
    one.setDays(1);
    ASSERT_EQ(one.run(), RunOutcome::Completed);
    EXPECT_TRUE(one.progress.percents.empty());
}

TEST(EphemerisRun, ChosenTableAndTheViews) {
    RecordingLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2018", "5", "3");
    rig.setDays(3);
    rig.request.dataOutput = DataOutput::Latitude;
    ASSERT_EQ(rig.run(), RunOutcome::Completed);

    // The page: the table's lines, its trailing empty entry, then the empty
    // line and entry of the page itself.
    auto pageOf = [](const std::vector<std::string>& table) {
        std::string text;
        for (const auto& l : table) text += l + "\r\n";
        return text + "\r\n\r\n\r\n";
    };
    EXPECT_EQ(rig.view.text, pageOf(rig.state.LatitudeTable));
    EXPECT_EQ(rig.buffer.DataLineCount(), static_cast<int>(rig.state.LatitudeTable.size()) + 2);

    // Another coordinate from the stored tables, without the library.
    const std::size_t calls = lib.calls.size();
    RunContext ctx = rig.context();
    ShowTable(ctx, DataOutput::Declination);
    EXPECT_EQ(rig.view.text, pageOf(rig.state.DeclinationTable));
    ShowTable(ctx, DataOutput::RightAscension);
    EXPECT_EQ(rig.view.text, pageOf(rig.state.RightAscensionTable));
    EXPECT_EQ(lib.calls.size(), calls);
    // The buffer keeps every page shown since it was emptied.
    EXPECT_EQ(rig.buffer.DataLineCount(),
              static_cast<int>(3 * (rig.state.LatitudeTable.size() + 2)));
}

TEST(EphemerisRun, TypedDateOffTheCalendarStartsOnTheCarriedDay) {
    RecordingLibrary lib;
    EphemerisRig rig(lib);
    rig.setStart("2018", "2", "31");
    rig.setDays(2);
    ASSERT_EQ(rig.run(), RunOutcome::Completed);
    EXPECT_EQ(rig.state.StartDateText, "2018/2/31");
    EXPECT_EQ(rig.state.LongitudeTable[1].rfind(
                  "  Tropical Ephemeris - Saturday, 03 Mar 2018 at noon, Greenwich   SVP", 0),
              0u);
    EXPECT_EQ(RowDates(rig.state.LongitudeTable), (std::vector<std::string>{"03 Mar", "04 Mar"}));
}

TEST(EphemerisRun, InvalidDateStopsBeforeAnything) {
    struct Case {
        const char *y, *m, *d;
        std::size_t reports;
    };
    for (const Case& c : {Case{"2018", "13", "1", 1}, Case{"2018", "5", "32", 1},
                          Case{"1799", "12", "31", 1}, Case{"2101", "1", "1", 1},
                          Case{"2018", "", "3", 2}, Case{"2018", "x", "3", 1}}) {
        RecordingLibrary lib;
        test::TempFolder dir;
        EphemerisRig rig(lib, dir.str());
        rig.request.chkSaveData = true;
        rig.setStart(c.y, c.m, c.d);
        rig.setDays(3);
        rig.state.LongitudeTable = {"earlier"};
        rig.buffer.CurrentLine = "page";
        rig.buffer.AppendLine();
        SCOPED_TRACE(std::string(c.y) + "/" + c.m + "/" + c.d);
        EXPECT_EQ(rig.run(), RunOutcome::InvalidInput);
        ASSERT_EQ(rig.messages.messages.size(), c.reports);
        EXPECT_EQ(rig.messages.messages[0].text, "Error in input data section. Please correct.");
        EXPECT_EQ(rig.messages.messages[0].title, "Warning!");
        EXPECT_TRUE(lib.calls.empty());
        EXPECT_TRUE(rig.progress.events.empty());
        EXPECT_TRUE(rig.windows.events.empty());
        EXPECT_EQ(rig.buffer.PageLineCount(), 1);
        EXPECT_EQ(rig.view.setTextCount, 0);
        EXPECT_EQ(rig.state.LongitudeTable, std::vector<std::string>{"earlier"});
        EXPECT_TRUE(dir.entries().empty());
    }
}

}  // namespace
}  // namespace novarel

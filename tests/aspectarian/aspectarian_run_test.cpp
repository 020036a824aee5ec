// The aspectarian run and its station listing where the golden cases
// (tests/cli) do not reach: the period, the seams, the data file beside a
// two-column page, and the station minute's walk and borrows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "aspectarian/aspectarian_generator.h"
#include "aspectarian/station_times.h"
#include "core/angle_format.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {
using test::GeneratorRig;

int DayBlocks(const AspectarianState& a) {
    return static_cast<int>(std::count(a.ReportLines.begin() + 6, a.ReportLines.end(), ""));
}

TEST(AspectarianRun, PeriodOfTheRequest) {
    struct Case {
        const char *y, *m, *d;
        int days;  // 0: full month
        int blocks;
        const char* titleDate;
        double
            dayJD;  // after the run: 0h UT of the last day, or of the day that ended a full month
    };
    for (const Case& c : {Case{"2017", "2", "15", 0, 28, "01 Feb 2017", 2457813.5},
                          Case{"2018", "4", "15", 0, 30, "01 Apr 2018", 2458239.5},
                          Case{"2018", "5", "4", 2, 2, "04 May 2018", 2458243.5},
                          // A typed day off the calendar starts on the day it carries to.
                          Case{"2018", "2", "31", 1, 1, "03 Mar 2018", 2458180.5},
                          Case{"2018", "1", "1", 400, 367, "01 Jan 2018", 2458119.5 + 366}}) {
        SCOPED_TRACE(std::string(c.y) + "/" + c.m + "/" + c.d + " days " + std::to_string(c.days));
        GeneratorRig rig;
        rig.Request(c.y, c.m, c.d, c.days);
        RunContext ctx = rig.context();
        ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
        EXPECT_EQ(DayBlocks(rig.aspectarian), c.blocks);
        EXPECT_NE(rig.aspectarian.ReportLines[1].find(std::string(", ") + c.titleDate + " at noon"),
                  std::string::npos)
            << rig.aspectarian.ReportLines[1];
        EXPECT_EQ(rig.state.DayJD, c.dayJD);
        if (c.days == 0) {
            EXPECT_EQ(rig.request.txtDay, "1");
        }
        if (c.days == 2) {
            EXPECT_EQ(rig.progress.events,
                      (std::vector<std::string>{"busy", "load", "unload", "normal"}));
            EXPECT_EQ(rig.progress.percents, (std::vector<float>{0, 100}));
            EXPECT_EQ(rig.windows.started, 1);
            EXPECT_EQ(rig.windows.finished, 1);
            EXPECT_EQ(rig.view.shown, 1);
        }
    }
}

TEST(AspectarianRun, DataFileIsOneColumnWithCrLfWhateverThePage) {
    test::TempFolder dir;
    GeneratorRig rig(nullptr, dir.str());
    rig.Request("2018", "5", "3", 2);
    rig.request.chkSaveData = true;
    rig.options[5] = 1;
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    std::string expected;
    for (const auto& l : rig.aspectarian.ReportLines) expected += l + "\r\n";
    EXPECT_EQ(test::ReadBytes(dir.file("180503AS.TEG")), expected);
    EXPECT_EQ(rig.buffer.PageLine(4), "  Day      h  m" + std::string(49, ' ') + "  Day      h  m");

    // Sidereal heliocentric in day-month-year order.
    rig.request.zodiac = Zodiac::Sidereal;
    rig.request.coordinates = Centre::Helio;
    rig.state.DateOrder = 1;
    ASSERT_EQ(GenerateAspectarian(ctx, rig.aspectarian), RunOutcome::Completed);
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"030518AS.SEH", "180503AS.TEG", "novarel_SE.lock"}));
}

// Mercury (library body 2) follows a given longitude in minutes from an
// origin; every other body stays at 0. No delta T.
class TurningLibrary final : public test::NoEclipseLibrary {
public:
    TurningLibrary(double originJD, std::function<double(double)> path)
        : origin_(originJD), path_(std::move(path)) {}
    void set_ephe_path(const std::string&) override {}
    void set_sid_mode(std::int32_t, double, double) override {}
    double deltat(double) override { return 0; }
    std::int32_t calc(double t, int body, std::int32_t flags, double* xx, char*) override {
        for (int k = 0; k < 6; ++k) xx[k] = 0;
        if (body == 2 && (flags & 2048) == 0) xx[0] = NormalizeDegrees(path_((t - origin_) * 1440));
        return flags;
    }

private:
    double origin_;
    std::function<double(double)> path_;
};

TEST(StationTimes, ReportedMinuteBorrowsFromTheHourAndTheDay) {
    for (const auto& [hour, found, shown] :
         {std::tuple<int, int, std::string>{0, -20, "23:39 before"},
          {0, 0, "23:59 before"},
          {5, 0, "4:59"},
          {5, -59, "4:0"},
          {7, 60, "7:59"},
          {7, 1, "7:0"}}) {
        const StationClock c = ReportedStationTime(hour, found);
        EXPECT_EQ(std::to_string(c.hour) + ":" + std::to_string(c.minute) +
                      (c.previousDay ? " before" : ""),
                  shown);
    }
}

TEST(StationTimes, WalkThroughZeroAriesCountsInItsTrueDirection) {
    const double origin = 2458199.5;
    CalcRequest request;
    Positions positions;
    // Backwards through 0 Aries at minute 10, turning direct at minute 30.
    TurningLibrary back(origin, [](double x) { return 1e-5 * (x - 30) * (x - 30) - 0.004; });
    ReversalMinute r = FindReversalMinute(origin, Mercury, 171, request, back, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, 31);
    // Forwards through 0 Aries at minute -20.2, turning retrograde at minute 0.3.
    TurningLibrary forward(origin,
                           [](double x) { return 0.0042025 - 1e-5 * (x - 0.3) * (x - 0.3); });
    r = FindReversalMinute(origin, Mercury, 156, request, forward, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, 1);
}

StationRecord Record(int hour, int code, double dayJD) {
    return StationRecord{Mercury, code, hour, dayJD, dayJD + hour / 24.0};
}

TEST(StationTimes, ListingBorrowsTheDayAndLeavesOutAStationWithoutTurn) {
    const double day = 2458199.5;  // 0h UT, 22 March 2018
    // Recorded at 00:00 and turning at minute -20.7: 23:39 of 21 March.
    TurningLibrary lib(day, [](double x) { return 100.5 - 1e-6 * (x + 20.7) * (x + 20.7); });
    GeneratorRig rig(&lib);
    rig.buffer.CurrentLine = "  the aspectarian page";
    rig.buffer.AppendLine();
    rig.aspectarian.StationRecords = {Record(0, 156, day), Record(5, 171, day)};
    rig.aspectarian.StationCount = 2;
    RunContext ctx = rig.context();
    EXPECT_EQ(ListRetrogradeTimes(ctx, rig.aspectarian), RunOutcome::Completed);
    const std::string list =
        std::string("\r\n  Changes in direction (in UT):\r\n  Mercury - 21 Mar 2018 at 23:39, 10") +
        glyph::SignChar(4) + "30.0\r\n";
    EXPECT_EQ(rig.view.text, "  the aspectarian page\r\n" + list + "\r\n\r\n\r\n");
    EXPECT_EQ(rig.progress.events, (std::vector<std::string>{"busy", "normal"}));
}

// A position that is not a number while the minute is sought stops the
// listing with the library's message, and the caller learns that it failed.
TEST(StationTimes, ALibraryFailureInTheListingIsAFailedRun) {
    const double day = 2458199.5;
    TurningLibrary lib(day, [](double) { return std::nan(""); });
    GeneratorRig rig(&lib);
    rig.buffer.CurrentLine = "  the aspectarian page";
    rig.buffer.AppendLine();
    rig.aspectarian.StationRecords = {Record(0, 156, day)};
    rig.aspectarian.StationCount = 1;
    RunContext ctx = rig.context();
    EXPECT_EQ(ListRetrogradeTimes(ctx, rig.aspectarian), RunOutcome::Failed);
    ASSERT_EQ(rig.messages.messages.size(), 1u);
    EXPECT_NE(rig.messages.messages[0].text.find("not a finite number"), std::string::npos)
        << rig.messages.messages[0].text;
    EXPECT_EQ(rig.view.text.find("Changes in direction"), std::string::npos);
}

TEST(StationTimes, PlaceWhoseMinutesRoundToSixtyShowsTheNextSign) {
    const double day = 2458199.5;
    // Turning at 29 Cancer 59.9994: printed as 0 Leo 00.0.
    TurningLibrary lib(day, [](double x) { return 119.99999 - 1e-9 * (x + 20.7) * (x + 20.7); });
    GeneratorRig rig(&lib);
    rig.aspectarian.StationRecords = {Record(0, 156, day)};
    rig.aspectarian.StationCount = 1;
    RunContext ctx = rig.context();
    ListRetrogradeTimes(ctx, rig.aspectarian);
    EXPECT_NE(rig.view.text.find(std::string("Mercury - 21 Mar 2018 at 23:39, 00") +
                                 glyph::SignChar(5) + "00.0\r\n"),
              std::string::npos)
        << rig.view.text;
}

}  // namespace
}  // namespace novarel

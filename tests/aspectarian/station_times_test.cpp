// Refining stations to the minute, with a library whose planet turns at a
// chosen moment.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "aspectarian/aspectarian_generator.h"
#include "aspectarian/station_times.h"
#include "core/angle_format.h"
#include "core/glyphs.h"
#include "core/vb_format.h"
#include "tests/aspectarian/test_program.h"

namespace novarel {
namespace {

// Mercury (library body 2) follows a given longitude in minutes from an
// origin; every other body stays at 0. No delta T.
class TurningLibrary final : public EphemerisLibrary {
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

// A parabola in minutes with its turning point at `turn`: forward then back
// for a retrograde station, back then forward for a direct one.
std::function<double(double)> Turning(double turn, double at, bool retrograde) {
    return [=](double x) { return at + (retrograde ? -1e-6 : 1e-6) * (x - turn) * (x - turn); };
}

TEST(StationTimes, ReportedMinuteBorrowsFromTheHourAndTheDay) {
    auto text = [](StationClock c) {
        return std::to_string(c.hour) + ":" + std::to_string(c.minute) + (c.previousDay ? " before" : "");
    };
    EXPECT_EQ(text(ReportedStationTime(0, -20)), "23:39 before");
    EXPECT_EQ(text(ReportedStationTime(0, 0)), "23:59 before");
    EXPECT_EQ(text(ReportedStationTime(5, 0)), "4:59");
    EXPECT_EQ(text(ReportedStationTime(5, -59)), "4:0");
    EXPECT_EQ(text(ReportedStationTime(7, 60)), "7:59");
    EXPECT_EQ(text(ReportedStationTime(7, 1)), "7:0");
    for (int b = 3; b <= 10; ++b) EXPECT_EQ(StationPlanetName(b).size(), 7u);
    EXPECT_EQ(StationPlanetName(10), "Pluto  ");
    EXPECT_EQ(StationPlanetName(4), "Venus  ");
}

TEST(StationTimes, WalkStopsAtTheFirstMinuteShowingTheNewDirection) {
    const double origin = 2458199.5;
    CalcRequest request;
    Positions positions;
    TurningLibrary retro(origin, Turning(12.3, 100, true));
    ReversalMinute r = FindReversalMinute(origin, Mercury, 156, request, retro, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, 13);
    EXPECT_NEAR(r.longitude, 100 - 1e-6 * 0.49, 1e-9);

    TurningLibrary direct(origin, Turning(-40.6, 200, false));
    r = FindReversalMinute(origin, Mercury, 171, request, direct, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, -40);

    // No turn within the hour either side.
    TurningLibrary straight(origin, [](double x) { return 100 + 1e-4 * x; });
    EXPECT_FALSE(FindReversalMinute(origin, Mercury, 156, request, straight, positions).found);
    // Turning already before the walk: the first step shows the new direction.
    TurningLibrary early(origin, Turning(-70, 100, true));
    r = FindReversalMinute(origin, Mercury, 156, request, early, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, -59);
}

TEST(StationTimes, PassingZeroAriesCountsInItsTrueDirection) {
    const double origin = 2458199.5;
    CalcRequest request;
    Positions positions;
    // Backwards through 0 Aries at minute 10, turning direct at minute 30.
    TurningLibrary back(origin, [](double x) { return 1e-5 * (x - 30) * (x - 30) - 0.004; });
    ReversalMinute r = FindReversalMinute(origin, Mercury, 171, request, back, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, 31);
    // Forwards through 0 Aries at minute -20.2, turning retrograde at minute 0.3.
    TurningLibrary forward(origin, [](double x) { return 0.0042025 - 1e-5 * (x - 0.3) * (x - 0.3); });
    r = FindReversalMinute(origin, Mercury, 156, request, forward, positions);
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.minute, 1);
}

StationRecord Record(const std::string& dateText, int hour, int body, int code, double dayJD) {
    StationRecord r;
    r.field[1] = dateText + "  " + (hour < 10 ? "0" : "") + std::to_string(hour) + ":00  " +
                 static_cast<char>(glyph::BodyCode(body, false));
    r.field[4] = NumberText(body);
    r.field[5] = NumberText(code);
    r.field[6] = NumberText(dayJD);
    r.field[7] = NumberText(dayJD + hour / 24.0);
    return r;
}

TEST(StationTimes, ListingAddsOneEntryBelowThePage) {
    const double day = 2458199.5;  // 0h UT, 22 March 2018
    // Station recorded at 00:00, turning found at minute -20: 23:39 of 21 March.
    test::TestProgram p(std::make_unique<TurningLibrary>(day, Turning(-20.7, 100.5, true)));
    p.buffer.CurrentLine = "  the aspectarian page";
    p.buffer.AppendLine();
    p.aspectarian.StationRecords = {Record("2018/03/22", 0, Mercury, 156, day),
                                    Record("2018/03/22", 5, Mercury, 171, day)};
    p.aspectarian.StationCount = 2;
    RunContext ctx = p.context();
    ListRetrogradeTimes(ctx, p.aspectarian);

    // The second record's two hours hold no turn: it is left out.
    const std::string list = std::string("\r\n  Changes in direction (in UT):\r\n  Mercury - 21 Mar 2018 at 23:39, 10") +
                             glyph::SignChar(4) + "30.0\r\n";
    ASSERT_EQ(p.buffer.PageLineCount(), 3);  // page kept, the list, ShowPage's empty line
    EXPECT_EQ(p.buffer.PageLine(0), "  the aspectarian page");
    EXPECT_EQ(p.buffer.PageLine(1), list);
    EXPECT_EQ(p.view.text, "  the aspectarian page\r\n" + list + "\r\n\r\n\r\n");
    EXPECT_EQ(p.progress.events, (std::vector<std::string>{"busy", "normal"}));
    EXPECT_EQ(p.state.DateText, "2018/03/21");

    // Running it again adds the list again.
    ListRetrogradeTimes(ctx, p.aspectarian);
    EXPECT_EQ(p.buffer.PageLine(3), list);
}

TEST(StationTimes, NothingAtAllWithoutStations) {
    test::TestProgram p(std::make_unique<test::RecordingLibrary>());
    RunContext ctx = p.context();
    ListRetrogradeTimes(ctx, p.aspectarian);
    EXPECT_EQ(p.buffer.DataLineCount(), 0);
    EXPECT_EQ(p.view.setTextCount, 0);
    EXPECT_TRUE(p.progress.events.empty());
    EXPECT_TRUE(p.messages.messages.empty());
}

}  // namespace
}  // namespace novarel

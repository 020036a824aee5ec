// The event search on hand-made hourly samples: each case sets a few bodies
// moving across one hour and keeps the others still, far from any crossing.
// The library the moments are settled on moves the bodies in straight lines
// between the samples, so every moment is known. Whole runs are checked by
// the golden cases (tests/cli, the two-column page among them) and against
// the sky (event_sweep_test.cpp), eclipses against swetest
// (eclipses_test.cpp); these are the edge cases a year may not hold.
#include "aspectarian/day_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "aspectarian/report_layout.h"
#include "core/position_service.h"
#include "core/positions.h"
#include "tests/support/fakes.h"

namespace novarel {
namespace {

// Positions that follow the hourly tables of the day in straight lines
// between the samples; declinations (and latitudes) follow their table.
class TableLibrary final : public test::NoEclipseLibrary {
public:
    TableLibrary(const AspectarianState& a, const double& dayJD, const CalcRequest& request)
        : a_(a), dayJD_(dayJD), request_(request) {}
    void set_ephe_path(const std::string&) override {}
    void set_sid_mode(std::int32_t, double, double) override {}
    double deltat(double) override { return 0; }
    std::int32_t calc(double t, int body, std::int32_t flags, double* xx, char*) override {
        for (int k = 0; k < 6; ++k) xx[k] = 0;
        int index = Sun;
        while (index < NorthNode && LibraryBodyNumber(index, request_) != body) ++index;
        const double hours = (t - dayJD_) * 24;
        const int h = std::clamp(static_cast<int>(std::floor(hours)), 0, 23);
        const double f = hours - h;
        const auto& lon = a_.HourlyLongitudes[index];
        const auto& decl = a_.HourlyDeclinations[index];
        const double step = std::remainder(lon[h + 1] - lon[h], 360.0);
        const double declination = decl[h] + f * (decl[h + 1] - decl[h]);
        if ((flags & swe_flags::Equatorial) != 0) {
            xx[1] = declination;
        } else {
            xx[0] = std::fmod(lon[h] + f * step + 360, 360.0);
            xx[1] = declination;
        }
        return flags;
    }

private:
    const AspectarianState& a_;
    const double& dayJD_;
    const CalcRequest& request_;
};

std::string G(int code) { return std::string(1, static_cast<char>(code)); }
std::string Sign(int n) { return G(191 + n); }

struct DayEventsTest : ::testing::Test {
    AspectarianState a;
    DaySearch day;
    CalcRequest request;
    bool analytic = false;
    TableLibrary table{a, day.dayJD, request};
    EventPlaces places{request, table, analytic};

    void SetUp() override {
        day.dayLabel = "03 May";
        day.dayJD = 2458241.5;
        day.places = &places;
        // Still bodies in different signs, at degrees 20.6 .. 26.6 of their
        // signs and with declinations of 16 .. 26 degrees: nothing happens.
        for (int k = Sun; k <= NorthNode; ++k) {
            Hold(k, 30.0 * (k - 1) + 20 + 0.6 * k);
            HoldDeclination(k, 15.0 + k);
            a.DirectionFlags[static_cast<std::size_t>(k)] = 1;
        }
    }
    void Hold(int body, double lon) { a.HourlyLongitudes[body].fill(lon); }
    void HoldDeclination(int body, double decl) { a.HourlyDeclinations[body].fill(decl); }
    // Still at `before` up to sample `hour`, still at `after` from the next sample on.
    void Step(int body, int hour, double before, double after) {
        for (int s = 0; s < 25; ++s) a.HourlyLongitudes[body][s] = s <= hour ? before : after;
    }
    std::vector<std::string> Run() {
        FindDayEvents(day, a);
        return a.EventLines;
    }
};

TEST_F(DayEventsTest, QuietDayHasNoEvents) {
    EXPECT_TRUE(Run().empty());
    // A body sitting on another (identical samples, zero divisors) is no event either.
    Hold(Mercury, a.HourlyLongitudes[Sun][0]);
    HoldDeclination(Mercury, a.HourlyDeclinations[Sun][0]);
    EXPECT_TRUE(Run().empty());
    EXPECT_TRUE(a.StationRecords.empty());
}

TEST_F(DayEventsTest, RetrogradeIngressBackAcrossZeroAriesIntoPisces) {
    // Mercury, already retrograde, from 0.2 to 359.9 in hour 5: Pisces at minute 40.
    a.DirectionFlags[Mercury] = 0;
    Step(Mercury, 5, 0.2, 359.9);
    EXPECT_EQ(Run(), std::vector<std::string>{"  03 May  05:40  " + G(225) + "  " + Sign(12) +
                                              " - planet ingress"});
    EXPECT_EQ(a.DirectionFlags[Mercury], 0);  // a retrograde body moving backwards: no station
}

TEST_F(DayEventsTest, StationRecordsStopAtTheirCapacityWhileLinesGoOn) {
    // Forward until 07h, then backwards.
    for (int s = 0; s < 25; ++s)
        a.HourlyLongitudes[Mercury][s] = 100 + 0.01 * std::min(s, 7) - 0.01 * std::max(s - 7, 0);
    // The turn shows in hour 7 (07h to 08h): the line and the record name that hour.
    EXPECT_EQ(Run(), std::vector<std::string>{"  03 May  07:00  " + G(225) + "  " + G(156) +
                                              " +/- up to 1 hour"});
    ASSERT_EQ(a.StationRecords.size(), 1u);
    const StationRecord& r = a.StationRecords[0];
    EXPECT_EQ(r.body, Mercury);
    EXPECT_EQ(r.hour, 7);
    EXPECT_DOUBLE_EQ(r.hourJD, 2458241.5 + 7 / 24.0);
    EXPECT_EQ(a.DirectionFlags[Mercury], 0);
    for (int n = 0; n < 60; ++n) {
        a.DirectionFlags[Mercury] = 1;
        ASSERT_EQ(Run().size(), 1u) << n;
    }
    EXPECT_EQ(a.StationRecords.size(), static_cast<std::size_t>(MaxStationRecords));
    EXPECT_EQ(a.StationCount, MaxStationRecords);
}

TEST(ReportLayout, ExchangeSortByHourAndMinuteIsNotStable) {
    auto event = [](const std::string& hhmm, const std::string& what) {
        return "  03 May  " + hhmm + "  " + what;
    };
    std::vector<std::string> lines = {event("05:10", "A"), event("03:00", "B"), event("05:10", "C"),
                                      event("01:00", "D")};
    // Each event marked with its line's letter, to see it follow its line.
    std::vector<AspectEvent> events(4);
    for (std::size_t i = 0; i < 4; ++i) events[i].position1 = static_cast<double>(i);
    SortEventsByTime(lines, events);
    // A and C share their minute; the exchanges leave C before A.
    EXPECT_EQ(lines, (std::vector<std::string>{event("01:00", "D"), event("03:00", "B"),
                                               event("05:10", "C"), event("05:10", "A")}));
    std::vector<double> marks;
    for (const AspectEvent& e : events) marks.push_back(e.position1);
    EXPECT_EQ(marks, (std::vector<double>{3, 1, 2, 0}));
}

}  // namespace
}  // namespace novarel

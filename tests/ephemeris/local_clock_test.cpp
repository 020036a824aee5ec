// The ephemeris on India's clock: each row of a month is the library's
// positions at 12:00 local of its date, the moments taken from Python's
// zoneinfo (tests/data/core/zone_reference.txt), to the printed digits.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "core/position_service.h"
#include "ephemeris/ephemeris_generator.h"
#include "ephemeris/ephemeris_rows.h"
#include "ephemeris/ephemeris_tables.h"
#include "tests/ephemeris/generator_rig.h"

namespace novarel {
namespace {

// "YYYY-MM-DD" -> the UT second at which the zone's local date begins.
std::map<std::string, long long> DayStarts(const std::string& zone) {
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/core/zone_reference.txt");
    std::map<std::string, long long> starts;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string kind, name, date;
        long long start = 0;
        if (f >> kind >> name >> date >> start && kind == "day" && name == zone)
            starts[date] = start;
    }
    return starts;
}

// Greenwich mean sidereal time, seconds, at a UT second: the series at the
// day's 0h UT, then the clock's seconds at the sidereal rate.
double MeanSiderealSeconds(long long utSecond) {
    const long long day = utSecond / 86400 * 86400;
    const double t0 = (static_cast<double>(day) / 86400 + 2440587.5 - 2451545.0) / 36525;
    const double s = 24110.54841 + 8640184.812866 * t0 + 0.093104 * t0 * t0 -
                     6.2e-6 * t0 * t0 * t0 + 1.00273790935 * static_cast<double>(utSecond - day);
    return std::fmod(s, 86400);
}

TEST(EphemerisOnALocalClock, AMonthInIndiaIsTheLibraryAtEachLocalNoon) {
    const std::map<std::string, long long> starts = DayStarts("Asia/Kolkata");
    ASSERT_EQ(starts.size(), 366u);
    test::GeneratorRig rig;
    rig.Request("2024", "1", "1", 0);
    rig.request.timeZone = "Asia/Kolkata";
    RunContext ctx = rig.context();
    ASSERT_EQ(GenerateEphemeris(ctx), RunOutcome::Completed);

    const std::vector<std::string>& longitude = TableLines(rig.state, EphemerisTable::Longitude);
    EXPECT_TRUE(longitude[1].find("Ephemeris - Monday, 01 Jan 2024 at noon") != std::string::npos)
        << longitude[1];
    EXPECT_EQ(longitude[1].find("Greenwich"), std::string::npos);
    EXPECT_NE(longitude[2].find("Julian Day = 2460310.7708 "), std::string::npos) << longitude[2];
    EXPECT_EQ(longitude[3], std::string(23, ' ') + "Times are Asia/Kolkata, IST");

    ASSERT_EQ(rig.state.DayRecords.size(), 31u);
    const bool raInHms = RightAscensionInHms(rig.options);
    for (const EphemerisDayRecord& day : rig.state.DayRecords) {
        const std::string iso =
            fmt::format("{:04}-{:02}-{:02}", day.date.year, day.date.month, day.date.day);
        SCOPED_TRACE(iso);
        const long long noon = starts.at(iso) + 12 * 3600;  // +05:30 all day
        const double jd = 2440587.5 + static_cast<double>(noon) / 86400;
        EXPECT_NEAR(day.jdUt, jd, 1e-7);
        Positions positions;
        ComputePositions(jd, rig.request, rig.library, positions);
        const std::string start = RowStart(day.date, MeanSiderealSeconds(noon), rig.names);
        for (EphemerisTable t : EphemerisTables)
            EXPECT_EQ(day.rows[FileNumberIndex(t)], EphemerisRow(t, start, positions, raInHms));
    }
}

}  // namespace
}  // namespace novarel

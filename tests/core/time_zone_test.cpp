// The zone wrapper against Python's zoneinfo over the same system database
// (tests/data/core/zone_reference.txt, with the command that wrote it).
#include "core/time_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "tests/support/zone_reference.h"

namespace novarel {
namespace {

constexpr double UnixEpochJD = 2440587.5;

double JulianDayOfUnix(std::int64_t seconds) {
    return UnixEpochJD + static_cast<double>(seconds) / 86400.0;
}

std::int64_t UnixOf(double jd) { return std::llround((jd - UnixEpochJD) * 86400.0); }

TimeZone Zone(const std::string& name) {
    std::optional<TimeZone> zone = TimeZone::Find(name);
    EXPECT_TRUE(zone.has_value()) << name;
    return zone.value_or(TimeZone{});
}

TEST(TimeZones, DaysAndClockChangesEqualASecondImplementation) {
    const test::ZoneReference reference = test::ReadZoneReference();
    for (const test::ZoneReferenceDay& day : reference.days) {
        SCOPED_TRACE(day.zone + " " + day.iso);
        const TimeZone zone = Zone(day.zone);
        const CivilDate date{std::stoi(day.iso.substr(0, 4)), std::stoi(day.iso.substr(5, 2)),
                             std::stoi(day.iso.substr(8, 2))};
        const CivilDate next = NormalizeDate({date.year, date.month, date.day + 1});
        EXPECT_EQ(UnixOf(zone.DayStart(date)), day.start);
        EXPECT_EQ(UnixOf(zone.DayStart(next)) - UnixOf(zone.DayStart(date)), day.length);
        const ZoneClock noon = zone.At(JulianDayOfUnix(day.start + day.length / 2));
        EXPECT_EQ(noon.offsetSeconds, day.offset);
        EXPECT_EQ(noon.abbreviation, day.abbreviation);
    }
    for (const test::ZoneReferenceChange& change : reference.changes) {
        SCOPED_TRACE(change.zone + " " + std::to_string(change.at));
        const TimeZone zone = Zone(change.zone);
        EXPECT_EQ(zone.At(JulianDayOfUnix(change.at - 1)).offsetSeconds, change.before);
        EXPECT_EQ(zone.At(JulianDayOfUnix(change.at)).offsetSeconds, change.after);
        EXPECT_EQ(zone.At(JulianDayOfUnix(change.at)).abbreviation, change.abbreviation);
    }
    const std::size_t days = reference.days.size(), changes = reference.changes.size();
    EXPECT_EQ(days, 4u * 366);
    EXPECT_EQ(changes, 6u);  // New York, London, Lord Howe twice each; Kolkata none
}

TEST(TimeZones, NewYorkDaylightSavingDaysLastTwentyThreeAndTwentyFiveHours) {
    const TimeZone ny = Zone("America/New_York");
    auto hours = [&](int month, int day) {
        return (ny.DayStart({2024, month, day + 1}) - ny.DayStart({2024, month, day})) * 24.0;
    };
    EXPECT_NEAR(hours(3, 10), 23.0, 1e-6);
    EXPECT_NEAR(hours(11, 3), 25.0, 1e-6);
    EXPECT_NEAR(hours(7, 4), 24.0, 1e-6);
    // The repeated hour of 3 November: 01:30 EDT and 01:30 EST are an hour apart
    // in UT and tell themselves apart by their offsets.
    const double firstHalfPastOne = ny.DayStart({2024, 11, 3}) + 1.5 / 24.0;
    const double secondHalfPastOne = firstHalfPastOne + 1.0 / 24.0;
    EXPECT_NEAR(ny.LocalJulianDay(firstHalfPastOne), ny.LocalJulianDay(secondHalfPastOne), 1e-9);
    EXPECT_EQ(OffsetText(ny.At(firstHalfPastOne).offsetSeconds), "-04:00");
    EXPECT_EQ(OffsetText(ny.At(secondHalfPastOne).offsetSeconds), "-05:00");
}

TEST(TimeZones, NamesUniversalTimeLinksAndUnknownNames) {
    const std::optional<TimeZone> ut = TimeZone::Find("UT");
    ASSERT_TRUE(ut.has_value());
    EXPECT_TRUE(ut->IsUniversal());
    EXPECT_EQ(ut->At(2460310.5).abbreviation, "UT");
    EXPECT_EQ(ut->DayStart({2024, 1, 1}), 2460310.5);

    // A link keeps the name the user gave and the rules of its target.
    const std::optional<TimeZone> calcutta = TimeZone::Find("Asia/Calcutta");
    ASSERT_TRUE(calcutta.has_value());
    EXPECT_EQ(calcutta->Name(), "Asia/Calcutta");
    EXPECT_EQ(OffsetText(calcutta->At(2460310.5).offsetSeconds), "+05:30");

    EXPECT_FALSE(TimeZone::Find("Mars/Olympus_Mons").has_value());
    EXPECT_FALSE(TimeZone::Find("america/new_york").has_value());
    EXPECT_FALSE(TimeZone::Find("").has_value());
}

TEST(TimeZones, AMidnightSkippedByTheClockStartsTheDayAtTheJump) {
    // Santiago moves its clocks at local midnight: on 8 September 2024 the day
    // begins at 01:00 (-03), which is 04:00 UT.
    const std::optional<TimeZone> santiago = TimeZone::Find("America/Santiago");
    ASSERT_TRUE(santiago.has_value());
    const double start = santiago->DayStart({2024, 9, 8});
    EXPECT_EQ(UnixOf(start), 1725768000);
    EXPECT_EQ(santiago->At(start).offsetSeconds, -3 * 3600);
    EXPECT_EQ(santiago->At(start - 1.0 / 86400).offsetSeconds, -4 * 3600);
}

}  // namespace
}  // namespace novarel

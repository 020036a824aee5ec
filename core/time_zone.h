#pragma once
// Local clocks of the system's time-zone database (IANA names, the OS
// tzdata), and Universal Time under the name "UT".
#include <optional>
#include <string>
#include <string_view>

#include "core/julian_day.h"

struct NovarelZone;

namespace novarel {

// The local clock at one moment.
struct ZoneClock {
    int offsetSeconds = 0;     // local time minus UT
    std::string abbreviation;  // "EST", "+0530", "UT"
};

class TimeZone {
public:
    // Universal Time.
    TimeZone() = default;

    // The zone of an IANA name (a link name gives its target's rules, under
    // the name given); "UT" is Universal Time. None for an unknown name or
    // when the system has no time-zone database.
    static std::optional<TimeZone> Find(std::string_view name);

    bool IsUniversal() const { return zone_ == nullptr; }
    const std::string& Name() const { return name_; }

    // The clock at a moment, Julian Day UT.
    ZoneClock At(double jdUt) const;

    // The moment, Julian Day UT, at which a local date begins: local midnight,
    // or the first local moment of the date when its midnight is skipped by a
    // clock change; of a repeated midnight, the first.
    double DayStart(const CivilDate& date) const;

    // The moment, Julian Day UT, at which the local clock of a date shows a
    // reading (seconds after 0:00); for a reading the clock jumps over, the
    // moment of the jump; of a repeated reading, the first.
    double ClockMoment(const CivilDate& date, int secondOfDay) const;

    // Whether the local clock shows the reading of this moment twice (the hour
    // repeated when the clocks go back), so that only the offset tells the two
    // moments apart.
    bool ClockRepeats(double jdUt) const;

    // A moment as local Julian Day (UT plus the offset then): the calendar
    // helpers then give the local date and clock.
    double LocalJulianDay(double jdUt) const;

private:
    std::string name_ = "UT";
    const NovarelZone* zone_ = nullptr;
};

// "Times are America/New_York, EST/EDT": the zone and the abbreviations it
// uses from 'from' to 'to' (Julian Days UT), in their order.
std::string ZoneTitle(const TimeZone& zone, double from, double to);

// Offset text of an offset in seconds: "+05:30", "-04:00", "+00:00".
std::string OffsetText(int offsetSeconds);

}  // namespace novarel

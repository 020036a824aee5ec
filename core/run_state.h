#pragma once
// The shared run state of the generators: date fields, positions, the four
// ephemeris tables of the last run and their position history. One instance,
// owned by the program; each generator run overwrites what the last one left.
#include <cstdint>
#include <string>
#include <vector>

#include "core/ephemeris_record.h"
#include "core/positions.h"

namespace novarel {

constexpr std::int16_t MaxDayIndex = 366;
constexpr int HeaderLineCount = 6;

// Body 0..11 by day 0..days-1; row 0 holds the day's Julian Day.
class PositionHistoryTable {
public:
    void recreate(int days) {
        days_ = days < 0 ? 0 : days;
        values_.assign(static_cast<std::size_t>(12 * days_), 0.0);
    }
    int days() const { return days_; }
    double& at(int body, int day) { return values_[static_cast<std::size_t>(day * 12 + body)]; }
    double at(int body, int day) const {
        return values_[static_cast<std::size_t>(day * 12 + body)];
    }

private:
    int days_ = 0;
    std::vector<double> values_;
};

struct PositionHistory {
    PositionHistoryTable longitude, latitude, rightAscension, declination;
};

// Which generator made the data on show.
enum class OutputKind : std::int16_t { Aspectarian = 0, Ephemeris = 1, Transits = 2 };

struct RunState {
    // Date fields (see the date helpers).
    double DateJD = 0;
    std::string DateText;
    std::string StartDateText;
    std::string AspectarianDateText;
    double DayJD = 0;
    double StartJD = 0;
    double DayFraction = 0;
    std::int16_t NoonFlag = 1;
    std::string TimeOfDayWord = "noon";
    std::int16_t InputError = 0;
    std::int16_t DateOrder = 0;  // 1 day-month-year, 2 year-month-day, other month-day-year
    novarel::OutputKind OutputKind = novarel::OutputKind::Ephemeris;

    // Row of the ephemeris being computed.
    double RowJD = 0;
    double FirstRowJD = 0;
    double Centuries = 0;
    double SiderealSeconds = 0;
    double FirstRowFlag = 0;

    // Nutation values of the sidereal point text.
    double SiderealPoint = 0;
    double TrueAyanamsa = 0;
    std::string ZodiacLabel = "Tropical ";
    std::string SiderealPointText;

    Positions positions;
    PositionHistory history;

    // The four tables of the last ephemeris run, header lines first.
    std::vector<std::string> LongitudeTable;
    std::vector<std::string> LatitudeTable;
    std::vector<std::string> RightAscensionTable;
    std::vector<std::string> DeclinationTable;
    // The days of the last ephemeris run, as data.
    std::vector<EphemerisDayRecord> DayRecords;
};

}  // namespace novarel

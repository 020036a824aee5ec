#pragma once
// Calendar dates, Julian Days and date texts.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/locale_names.h"

namespace novarel {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Julian Day Number (noon) of a date; Julian calendar up to 4 October 1582,
// Gregorian after; days past the month's end carry into the next month.
double CalendarToJulianDay(double year, double month, double day);

// Gregorian date of the civil day holding jd (Fliegel and Van Flandern).
CivilDate JulianDayToCivil(double jd);

// A moment (Julian Day UT) rounded to the nearest minute: its civil date,
// hour and minute; 23:59:30 and later is 00:00 of the next day.
struct MinuteOfDay {
    CivilDate date;
    double dayJD = 0;  // 0h UT of that date
    int hour = 0;
    int minute = 0;
};
MinuteOfDay RoundedToMinute(double jd);

// Days in a month of the Gregorian calendar (month 1..12).
int DaysInMonth(int year, int month);

// Date text "yyyy/mm/dd", "dd/mm/yyyy" or "mm/dd/yyyy" by date order.
std::string CivilToDateText(const CivilDate& date, std::int16_t dateOrder);

// Day of week of a Julian Day (any moment of that civil day): 0 Sunday .. 6 Saturday.
int WeekdayOfJulianDay(double jd);

// The three numbers of a "/"-separated date text in the regional order; false
// when the text does not hold three numbers. The numbers are not checked
// against the calendar (31 February reads as it stands).
bool ParseDateText(std::string_view text, std::int16_t dateOrder, CivilDate& out);

// The same date moved onto the calendar (31 February 2018 is 3 March 2018).
CivilDate NormalizeDate(const CivilDate& date);

// Date patterns of the tables and file names: "dd", "mm", "yy", "yyyy", "mmm"
// (abbreviated month), "dddd" (weekday name), "w" (weekday 1 Sunday .. 7).
// Any other character is copied.
std::string FormatDate(const CivilDate& date, std::string_view pattern, const LocaleNames& names);

// File name stem patterns by date order: "yymmdd", "ddmmyy", "mmddyy".
std::string StemPattern(std::int16_t dateOrder);

}  // namespace novarel

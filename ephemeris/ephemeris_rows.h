#pragma once
// One day's row of each ephemeris table.
//
// Every row starts with the date and the Greenwich sidereal time; eleven
// body cells follow in BodyIndex order, one blank apart, so that each cell
// stands under its ten-column heading ("--------  "). A retrograde body shows
// "!" in place of the decimal point of its minutes (longitude, zodiacal right
// ascension) or in place of the blank between minutes and seconds (right
// ascension in hours, minutes and seconds, where every digit is kept).
#include <string>
#include <string_view>

#include "core/julian_day.h"
#include "core/locale_names.h"
#include "core/option_values.h"
#include "core/positions.h"
#include "ephemeris/ephemeris_tables.h"

namespace novarel {

// Option 11 = 0 shows right ascension as sign, degrees and minutes.
inline bool RightAscensionInHms(const OptionValues& options) {
    return options.RightAscensionInHms();
}

// "  dd mmm" and the sidereal time "  hh mm ss.s" in 3+3+5 columns.
std::string RowStart(const CivilDate& date, double siderealSeconds, const LocaleNames& names);

// The cell of one body (BodyIndex) in a row made by EphemerisRow, with its
// blanks: the eleven cells, nine columns each and one blank apart, close
// every row.
std::string_view CellOfRow(std::string_view row, int body);

// The whole row of one table: RowStart, the gap, the eleven cells.
std::string EphemerisRow(EphemerisTable table, const std::string& rowStart,
                         const Positions& positions, bool raInHms);

}  // namespace novarel

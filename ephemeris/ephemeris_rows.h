#pragma once
// One day's row of each ephemeris table.
//
// Every row of the first table starts with the date and the Greenwich
// sidereal time; eleven body cells follow in BodyIndex order, one blank
// apart, so that each cell stands under its ten-column heading
// ("--------  "). The second table (Chiron .. Lilith) leaves out the
// sidereal time, which the first gives for the same days. A retrograde body shows
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

// The bodies of a table's cells, a run of BodyIndex values: the eleven of
// the first table, or Chiron .. the run's last body in the second table that
// a run with the extra bodies adds below the first.
struct TableBodies {
    int first = Sun;
    int last = NorthNode;
    std::size_t count() const { return static_cast<std::size_t>(last - first + 1); }
};
inline constexpr TableBodies FirstTableBodies{Sun, NorthNode};
// Lilith has no heliocentric place: a heliocentric second table ends at Vesta.
constexpr TableBodies SecondTableBodies(bool heliocentric) {
    return {Chiron, LastBody(true, heliocentric)};
}

// The date column "  dd mmm": it opens the rows of both tables.
std::string DateColumn(const CivilDate& date, const LocaleNames& names);

// The date column and the sidereal time "  hh mm ss.s" in 3+3+5 columns: the
// start of the first table's rows. The second table's rows start with the
// date column alone.
std::string RowStart(const CivilDate& date, double siderealSeconds, const LocaleNames& names);

// The gap between the row start and the first cell: one blank more in front
// of right ascension in hours, whose cells have no leading blank.
inline std::string_view CellGap(EphemerisTable table, bool raInHms) {
    return table == EphemerisTable::RightAscension && raInHms ? "   " : "  ";
}

// The cell of one body (BodyIndex) in a row made by EphemerisRow for those
// bodies, with its blanks: the cells, nine columns each and one blank apart,
// close every row.
std::string_view CellOfRow(std::string_view row, int body, TableBodies bodies = FirstTableBodies);

// The whole row of one table: the row start, the gap, the bodies' cells.
std::string EphemerisRow(EphemerisTable table, const std::string& rowStart,
                         const Positions& positions, bool raInHms,
                         TableBodies bodies = FirstTableBodies);

}  // namespace novarel

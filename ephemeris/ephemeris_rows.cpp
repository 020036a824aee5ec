#include "ephemeris/ephemeris_rows.h"

#include <cmath>

#include "core/angle_format.h"
#include "core/glyphs.h"
#include "ephemeris/cell_format.h"

namespace novarel {
namespace {

constexpr std::size_t RowCapacity = 140;

// " dd" + glyph + "mm.m" + " " (the position cell).
void AppendSplitCell(std::string& line, double wholeDegrees, char glyphCode, double minutes) {
    line += ' ';
    AppendFixed2(line, wholeDegrees, 0);
    line += glyphCode;
    AppendFixed2(line, minutes, 1);
    line += ' ';
}

// The position cell with "!" on the decimal point when retrograde.
void AppendZodiacalCell(std::string& line, double degrees, bool retrograde) {
    const LongitudeSplit s = CarryRoundedMinutes(SplitLongitude(degrees), 1, DegreeForm::Signs);
    AppendSplitCell(line, s.SignDegrees, glyph::SignChar(static_cast<int>(s.SignNumber)),
                    s.ArcMinutes);
    if (retrograde) line[line.size() - 3] = glyph::RetroMark;
}

// The size of the angle with N or S in place of the sign, in whole degrees,
// not degrees of a sign: Pallas's latitude and declination pass 30 degrees.
void AppendNorthSouthCell(std::string& line, double degrees) {
    const LongitudeSplit s =
        CarryRoundedMinutes(SplitLongitude(std::fabs(degrees)), 1, DegreeForm::Plain);
    AppendSplitCell(line, s.WholeDegrees,
                    static_cast<char>(degrees >= 0 ? glyph::North : glyph::South), s.ArcMinutes);
}

// "hh mm ss " (seconds rounded and carried), with "!" on the blank between
// minutes and seconds when retrograde: the seconds keep both digits.
void AppendHmsCell(std::string& line, double degrees, bool retrograde) {
    const double h = degrees / 15;
    const double m = (h - std::floor(h)) * 60;
    const ClockFields c =
        CarryRoundedSeconds({std::floor(h), std::floor(m), (m - std::floor(m)) * 60}, 0);
    AppendFixed2(line, c.hours, 0);
    line += ' ';
    AppendFixed2(line, c.minutes, 0);
    line += retrograde ? glyph::RetroMark : ' ';
    AppendFixed2(line, c.seconds, 0);
    line += ' ';
}

void AppendCell(std::string& line, EphemerisTable table, const Positions& p, int i, bool hms) {
    const auto k = static_cast<std::size_t>(i);
    switch (table) {
        case EphemerisTable::Longitude:
            AppendZodiacalCell(line, p.BodyLongitude[k], p.LongitudeSpeed[k] < 0);
            break;
        case EphemerisTable::Latitude: AppendNorthSouthCell(line, p.BodyLatitude[k]); break;
        case EphemerisTable::Declination: AppendNorthSouthCell(line, p.BodyDeclination[k]); break;
        case EphemerisTable::RightAscension:
            if (hms)
                AppendHmsCell(line, p.BodyRightAscension[k], p.RightAscensionSpeed[k] < 0);
            else
                AppendZodiacalCell(line, p.BodyRightAscension[k], p.RightAscensionSpeed[k] < 0);
            break;
    }
}

}  // namespace

std::string_view CellOfRow(std::string_view row, int body, TableBodies bodies) {
    constexpr std::size_t CellWidth = 9, Pitch = CellWidth + 1;
    const std::size_t tail = bodies.count() * Pitch - 1;
    if (row.size() < tail || body < bodies.first || body > bodies.last) return {};
    return row.substr(row.size() - tail + static_cast<std::size_t>(body - bodies.first) * Pitch,
                      CellWidth);
}

std::string DateColumn(const CivilDate& date, const LocaleNames& names) {
    std::string line;
    line.reserve(RowCapacity);
    line += "  ";
    line += FormatDate(date, "dd mmm", names);
    return line;
}

std::string RowStart(const CivilDate& date, double siderealSeconds, const LocaleNames& names) {
    std::string line = DateColumn(date, names);
    AppendHms(line, siderealSeconds);
    return line;
}

std::string EphemerisRow(EphemerisTable table, const std::string& rowStart, const Positions& p,
                         bool raInHms, TableBodies bodies) {
    std::string line;
    line.reserve(RowCapacity);
    line = rowStart;
    const bool hms = table == EphemerisTable::RightAscension && raInHms;
    line += CellGap(table, raInHms);
    for (int i = bodies.first; i <= bodies.last; ++i) {
        if (i != bodies.first) line += ' ';
        AppendCell(line, table, p, i, hms);
    }
    return line;
}

}  // namespace novarel

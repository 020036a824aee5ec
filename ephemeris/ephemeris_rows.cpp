#include "ephemeris/ephemeris_rows.h"

#include <cmath>

#include "core/angle_format.h"
#include "core/glyphs.h"
#include "core/vb_format.h"

namespace novarel {
namespace {

constexpr std::size_t RowCapacity = 140;

// " dd" + sign + "mm.m" + " ", with "!" on the decimal point when retrograde.
void AppendZodiacalCell(std::string& line, double degrees, bool retrograde) {
    line += PositionCell(degrees);
    if (retrograde) line[line.size() - 3] = glyph::RetroMark;
}

// " dd" + N or S + "mm.m" + " " from the size of the angle.
void AppendNorthSouthCell(std::string& line, double degrees) {
    const LongitudeSplit s = SplitLongitude(std::fabs(degrees));
    line += ' ';
    line += FormatFixed(s.SignDegrees, 2, 0);
    line += static_cast<char>(degrees >= 0 ? glyph::North : glyph::South);
    line += FormatFixed(s.ArcMinutes, 2, 1);
    line += ' ';
}

// "hh mm ss ", with "!" on the blank between minutes and seconds when
// retrograde: the seconds keep both digits.
void AppendHmsCell(std::string& line, double degrees, bool retrograde) {
    AppendRightAscensionHms(line, degrees);
    if (retrograde) line[line.size() - 4] = glyph::RetroMark;
}

}  // namespace

std::string RowStart(const CivilDate& date, double siderealSeconds, const LocaleNames& names) {
    std::string line;
    line.reserve(RowCapacity);
    line += "  ";
    line += FormatDate(date, "dd mmm", names);
    AppendHms(line, siderealSeconds);
    return line;
}

std::string EphemerisRow(EphemerisTable table, const std::string& rowStart,
                         const Positions& p, bool raInHms) {
    std::string line;
    line.reserve(RowCapacity);
    line = rowStart;
    const bool hms = table == EphemerisTable::RightAscension && raInHms;
    line += hms ? "   " : "  ";
    for (int i = Sun; i <= NorthNode; ++i) {
        if (i != Sun) line += ' ';
        const auto k = static_cast<std::size_t>(i);
        switch (table) {
            case EphemerisTable::Longitude:
                AppendZodiacalCell(line, p.BodyLongitude[k], p.LongitudeSpeed[k] < 0);
                break;
            case EphemerisTable::Latitude:
                AppendNorthSouthCell(line, p.BodyLatitude[k]);
                break;
            case EphemerisTable::Declination:
                AppendNorthSouthCell(line, p.BodyDeclination[k]);
                break;
            case EphemerisTable::RightAscension:
                if (hms) AppendHmsCell(line, p.BodyRightAscension[k], p.RightAscensionSpeed[k] < 0);
                else AppendZodiacalCell(line, p.BodyRightAscension[k], p.RightAscensionSpeed[k] < 0);
                break;
        }
    }
    return line;
}

}  // namespace novarel

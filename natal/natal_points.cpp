#include "natal/natal_points.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "core/glyphs.h"
#include "core/library_check.h"
#include "core/position_service.h"
#include "core/positions.h"

namespace novarel {
namespace {

// Equal houses: the Ascendant and Midheaven are the same in every system,
// and this one has an answer at every latitude.
constexpr int EqualHouses = 'E';
constexpr int EclipticAndNutation = -1;  // the library's "body" of the obliquity

constexpr double Radians = std::numbers::pi / 180;

struct Angles {
    double ascendant = 0;
    double midheaven = 0;
};

Angles HouseAngles(double jdUt, std::int32_t flags, const PlaceOnEarth& place,
                   EphemerisLibrary& library) {
    double cusps[13] = {};
    double ascmc[10] = {};
    char serr[256] = {};
    const std::int32_t rc = library.houses_ex(jdUt, flags, place.latitude, place.longitude,
                                              EqualHouses, cusps, ascmc, serr);
    if (rc == SweError)
        throw LibraryError(serr[0] != '\0' ? serr : "the angles of the place cannot be calculated");
    CheckFiniteValues(ascmc, 2, EclipticAndNutation, jdUt);
    return Angles{ascmc[0], ascmc[1]};
}

// Declination of a point of the ecliptic (latitude 0) at a tropical longitude.
double EclipticDeclination(double tropicalLongitude, double obliquity) {
    return std::asin(std::sin(obliquity * Radians) * std::sin(tropicalLongitude * Radians)) /
           Radians;
}

double TrueObliquity(double jdUt, EphemerisLibrary& library) {
    const double tjd = jdUt + library.deltat(jdUt);
    double xx[6] = {};
    char serr[256] = {};
    const std::int32_t flags = swe_flags::SwissEphemeris;
    CheckCalcResult(library.calc(tjd, EclipticAndNutation, flags, xx, serr), flags, serr);
    CheckFiniteValues(xx, 1, EclipticAndNutation, jdUt);
    return xx[0];
}

}  // namespace

std::string_view NatalPointName(const NatalPoint& point) {
    switch (point.angle) {
        case NatalAngle::Ascendant: return "Ascendant";
        case NatalAngle::Midheaven: return "Midheaven";
        case NatalAngle::None: break;
    }
    return Body(point.bodyIndex).name;
}

std::string NatalPointGlyph(const NatalPoint& point, bool unicode) {
    switch (point.angle) {
        case NatalAngle::Ascendant: return "Asc";
        case NatalAngle::Midheaven: return "MC";
        case NatalAngle::None: break;
    }
    const BodyInfo& body = Body(point.bodyIndex);
    std::string text;
    if (unicode)
        glyph::AppendUtf8(text, body.unicode);
    else
        text.push_back(static_cast<char>(body.glyphCode));
    return text;
}

NatalPoints ComputeNatalPoints(const NatalChart& chart, const CalcRequest& request,
                               EphemerisLibrary& library) {
    if (const std::string problem = ChartProblem(chart); !problem.empty())
        throw std::invalid_argument(problem);
    CalcRequest geocentric = request;
    geocentric.coordinates = Centre::Geo;

    NatalPoints natal;
    natal.birthJdUt = *BirthMoment(chart);
    Positions positions;
    ComputePositions(natal.birthJdUt, geocentric, library, positions);
    natal.fromAnalyticEphemeris = positions.fromAnalyticEphemeris;
    for (int i = Sun; i <= geocentric.lastBody(); ++i)
        natal.points.push_back(NatalPoint{i, NatalAngle::None, positions.BodyLongitude[i],
                                          positions.BodyDeclination[i]});
    if (!chart.place) return natal;

    // The declinations come from the tropical angles; the longitudes are in
    // the request's zodiac (the sidereal mode was set by ComputePositions).
    const Angles tropical = HouseAngles(natal.birthJdUt, 0, *chart.place, library);
    const Angles inZodiac =
        request.zodiac == Zodiac::Tropical
            ? tropical
            : HouseAngles(natal.birthJdUt, swe_flags::Sidereal, *chart.place, library);
    const double obliquity = TrueObliquity(natal.birthJdUt, library);
    natal.points.push_back(NatalPoint{0, NatalAngle::Ascendant, inZodiac.ascendant,
                                      EclipticDeclination(tropical.ascendant, obliquity)});
    natal.points.push_back(NatalPoint{0, NatalAngle::Midheaven, inZodiac.midheaven,
                                      EclipticDeclination(tropical.midheaven, obliquity)});
    natal.hasAngles = true;
    return natal;
}

}  // namespace novarel

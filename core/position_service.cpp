#include "core/position_service.h"

#include "core/library_check.h"

namespace novarel {
namespace {

// Every answer of the library enters the program here: a failure, a fallback
// the request does not allow or a value that is not a number stops the run.
void NoteAnswer(std::int32_t rc, std::int32_t flags, const char* serr, const double* xx, int body,
                double jd, const CalcRequest& request, bool& fromAnalyticEphemeris) {
    if (CheckCalcResult(rc, flags, serr, request.requireEphemerisFiles))
        fromAnalyticEphemeris = true;
    CheckFiniteValues(xx, 6, body, jd);
}

// The library keeps the last sidereal mode; without the sidereal flag it has no effect.
void SetSiderealMode(const CalcRequest& request, EphemerisLibrary& library) {
    if (request.zodiac == Zodiac::Sidereal) library.set_sid_mode(swe_sidereal_modes::Lahiri, 0, 0);
    if (request.zodiac == Zodiac::Ayanamsa)
        library.set_sid_mode(swe_sidereal_modes::Krishnamurti, 0, 0);
}

// Terrestrial time of the moment, its delta T checked.
double TerrestrialTime(double jd, EphemerisLibrary& library) {
    const double deltaT = library.deltat(jd);
    CheckFiniteDeltaT(deltaT, jd);
    return jd + deltaT;
}

}  // namespace

int LibraryBodyNumber(int bodyIndex, const CalcRequest& request) {
    if (bodyIndex == Sun) return request.optGeo() ? swe_bodies::Sun : swe_bodies::Earth;
    if (bodyIndex == NorthNode)
        return request.optMean() ? swe_bodies::MeanNode : swe_bodies::TrueNode;
    if (bodyIndex == Lilith)
        return request.lilith == LilithKind::Mean ? swe_extra_bodies::MeanApogee
                                                  : swe_extra_bodies::OsculatingApogee;
    if (bodyIndex > NorthNode) return Body(bodyIndex).libraryNumber;
    return bodyIndex - 1;
}

std::int32_t EclipticFlags(const CalcRequest& request) {
    const std::int32_t sidereal = request.zodiac == Zodiac::Tropical ? 0 : swe_flags::Sidereal;
    const std::int32_t base = swe_flags::SwissEphemeris + swe_flags::Speed +
                              (request.optGeo() ? 0 : swe_flags::Heliocentric);
    return sidereal + base;
}

void ComputePositions(double jd, const CalcRequest& request, EphemerisLibrary& library,
                      Positions& out) {
    out.LongitudeSpeed.fill(0.0);
    out.RightAscensionSpeed.fill(0.0);

    SetSiderealMode(request, library);
    const double tjd = TerrestrialTime(jd, library);
    const std::int32_t flags = EclipticFlags(request);
    double xx[6];
    char serr[256];

    const int last = request.lastBody();
    for (int i = Sun; i <= last; ++i) {
        const int body = LibraryBodyNumber(i, request);
        xx[0] = xx[1] = xx[2] = xx[3] = xx[4] = xx[5] = 0.0;
        serr[0] = '\0';
        NoteAnswer(library.calc(tjd, body, flags, xx, serr), flags, serr, xx, body, jd, request,
                   out.fromAnalyticEphemeris);
        out.BodyLongitude[i] = xx[0];
        out.BodyLatitude[i] = xx[1];
        if (i != Sun) out.LongitudeSpeed[i] = xx[3];
        out.LongitudeRate[i] = xx[3];
        out.LatitudeRate[i] = xx[4];
        xx[0] = xx[1] = xx[2] = xx[3] = xx[4] = xx[5] = 0.0;
        serr[0] = '\0';
        NoteAnswer(library.calc(tjd, body, flags + swe_flags::Equatorial, xx, serr),
                   flags + swe_flags::Equatorial, serr, xx, body, jd, request,
                   out.fromAnalyticEphemeris);
        out.BodyRightAscension[i] = xx[0];
        out.BodyDeclination[i] = xx[1];
        if (i != Sun) out.RightAscensionSpeed[i] = xx[3];
        out.DeclinationRate[i] = xx[4];
    }
}

BodyPlace ComputeBodyPlace(double jd, int bodyIndex, bool withDeclination,
                           const CalcRequest& request, EphemerisLibrary& library,
                           bool& fromAnalyticEphemeris) {
    SetSiderealMode(request, library);
    const double tjd = TerrestrialTime(jd, library);
    const std::int32_t flags = EclipticFlags(request);
    const int body = LibraryBodyNumber(bodyIndex, request);
    double xx[6] = {};
    char serr[256] = {};
    NoteAnswer(library.calc(tjd, body, flags, xx, serr), flags, serr, xx, body, jd, request,
               fromAnalyticEphemeris);
    BodyPlace place{xx[0], xx[1], 0};
    if (withDeclination) {
        double eq[6] = {};
        serr[0] = '\0';
        NoteAnswer(library.calc(tjd, body, flags + swe_flags::Equatorial, eq, serr),
                   flags + swe_flags::Equatorial, serr, eq, body, jd, request,
                   fromAnalyticEphemeris);
        place.declination = eq[1];
    }
    return place;
}

}  // namespace novarel

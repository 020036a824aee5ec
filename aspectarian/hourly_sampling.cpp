#include "aspectarian/hourly_sampling.h"

#include "core/position_service.h"

namespace novarel {

void SetInitialDirections(double jd, const CalcRequest& request, EphemerisLibrary& library,
                          Positions& positions, AspectarianState& aspectarian) {
    ComputePositions(jd - 1.0 / 24, request, library, positions);
    const auto before = positions.BodyLongitude;
    ComputePositions(jd, request, library, positions);
    const int last = request.lastBody();
    for (int k = Sun; k <= last; ++k) {
        const double diff = positions.BodyLongitude[k] - before[k];
        aspectarian.DirectionFlags[k] = ((diff > -1 && diff < 0) || diff > 358) ? 0 : 1;
    }
}

void StoreSample(int s, const CalcRequest& request, const Positions& positions,
                 AspectarianState& aspectarian) {
    auto& lon = aspectarian.HourlyLongitudes;
    auto& decl = aspectarian.HourlyDeclinations;
    lon[0][s] = s;
    decl[0][s] = s;
    const bool geo = request.optGeo();
    const int last = request.lastBody();
    for (int k = Sun; k <= last; ++k) {
        lon[k][s] = positions.BodyLongitude[k];
        decl[k][s] = geo ? positions.BodyDeclination[k] : positions.BodyLatitude[k];
        aspectarian.HourlyLongitudeRates[k][s] = positions.LongitudeRate[k];
        aspectarian.HourlyDeclinationRates[k][s] =
            geo ? positions.DeclinationRate[k] : positions.LatitudeRate[k];
    }
}

void CarryLastSample(AspectarianState& aspectarian) {
    const int last = SamplesPerDay - 1;
    for (auto* table : {&aspectarian.HourlyLongitudes, &aspectarian.HourlyDeclinations,
                        &aspectarian.HourlyLongitudeRates, &aspectarian.HourlyDeclinationRates})
        for (int k = Sun; k < BodyRows; ++k) (*table)[k][0] = (*table)[k][last];
}

}  // namespace novarel

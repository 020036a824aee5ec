#pragma once
// The library's places of single bodies at the moments the exact-moment
// search asks for: only the bodies an event involves are computed.
#include "core/calc_request.h"
#include "core/ephemeris_library.h"
#include "core/position_service.h"

namespace novarel {

class EventPlaces {
public:
    // An answer from the analytic ephemeris sets fromAnalyticEphemeris.
    EventPlaces(const CalcRequest& request, EphemerisLibrary& library, bool& fromAnalyticEphemeris)
        : request_(request), library_(library), fromAnalytic_(fromAnalyticEphemeris) {}

    double Longitude(double jd, int body) { return Place(jd, body, false).longitude; }

    // The quantity of parallels: the declination, or the ecliptic latitude
    // in a heliocentric run.
    double ParallelCoordinate(double jd, int body) {
        return request_.optGeo() ? Place(jd, body, true).declination
                                 : Place(jd, body, false).latitude;
    }

private:
    BodyPlace Place(double jd, int body, bool withDeclination) {
        return ComputeBodyPlace(jd, body, withDeclination, request_, library_, fromAnalytic_);
    }

    const CalcRequest& request_;
    EphemerisLibrary& library_;
    bool& fromAnalytic_;
};

}  // namespace novarel

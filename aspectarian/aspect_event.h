#pragma once
// One event of the aspectarian as data. The report's line is one rendering
// of it (EventLineText); the exports are others.
#include <string>

namespace novarel {

enum class EventKind {
    Aspect,
    Parallel,
    Contraparallel,
    Ingress,
    Station,
    Lunation,
    Eclipse,
    VoidOfCourse
};

// Aspect numbers: the five as the glyph codes count them (glyph::AspectBase +
// n), then the minor aspects, each listed only when chosen.
enum AspectNumber {
    NoAspect = 0,
    Conjunction,
    Sextile,
    Square,
    Trine,
    Opposition,
    Semisextile,
    Semisquare,
    Quintile,
    Sesquiquadrate,
    Biquintile,
    Quincunx
};
constexpr int MinorAspectCount = 6;

// A choice of minor aspects: bit n for aspect Semisextile + n.
using MinorAspectSet = unsigned;
constexpr MinorAspectSet MinorAspectBit(int aspect) { return 1u << (aspect - Semisextile); }
constexpr MinorAspectSet AllMinorAspects = (1u << MinorAspectCount) - 1;

// The separation in degrees, 0..180, that makes the aspect.
double AspectAngle(int aspect);

// What the library's eclipse search found for a lunation that is an eclipse.
struct EclipseDetails {
    const char* type = "";  // "total", "annular", "hybrid", "partial" or "penumbral"
    // Solar: the fraction of the Sun's diameter covered, or for a total or
    // annular eclipse the ratio of the diameters (the catalogues' magnitude);
    // lunar: the umbral magnitude, the penumbral one of a penumbral eclipse.
    double magnitude = 0;
    double maximumJD = 0;  // moment of greatest eclipse, Julian Day UT
};

struct AspectEvent {
    EventKind kind = EventKind::Aspect;
    int hour = 0;       // hour UT the event falls in (a station: the hour it was seen in)
    double minute = 0;  // minute within the hour of the exact moment, with its fraction
    double dayJD = 0;   // 0h UT of the day
    double moment = 0;  // the exact moment, Julian Day UT, to the second
    int body1 = 0;      // BodyIndex; the moving body of an ingress or station
    // BodyIndex of the other body; 0 for ingresses and stations. A void-of-
    // course Moon: the body of its last aspect, 0 when there was none.
    int body2 = 0;
    int aspect = NoAspect;
    // Longitudes at the exact moment (declinations, or heliocentric latitudes,
    // for parallels); for ingresses and stations only position1.
    double position1 = 0;
    double position2 = 0;
    // Sign entered (ingress, and the end of a void-of-course Moon) or sign of
    // body1, 1 Aries .. 12 Pisces.
    int sign = 0;
    double end = 0;            // a void-of-course Moon: its end, the next ingress, Julian Day UT
    bool retrograde = false;   // station: turns retrograde (else direct)
    const char* phase = "";    // "New Moon", "Quarter Moon", "Full Moon" of a lunation
    const char* eclipse = "";  // "solar" or "lunar" when the lunation is an eclipse
    EclipseDetails eclipseDetails;
    bool heliocentric = false;

    // The exact moment, in Julian Days UT.
    double momentJD() const { return moment; }
};

const char* KindName(EventKind kind);
const char* AspectName(int aspect);

// The aspect's mark in the single-byte glyph text: one glyph code, or the
// letters "Q" and "bQ" of the quintiles.
std::string AspectGlyphText(int aspect);

// The report line of the event on the day labelled "dd mmm", in the
// single-byte glyph text: date, "hh:mm", then the glyphs and words. A void-
// of-course Moon that ends on a later day names that day by endDayLabel.
std::string EventLineText(const AspectEvent& event, const std::string& dayLabel,
                          const std::string& endDayLabel = {});

}  // namespace novarel

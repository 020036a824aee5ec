#pragma once
// The user's choices for one calculation. The input form mirrors these fields;
// the generators read them at the moment of use.
#include <cstdint>
#include <optional>
#include <string>

#include "core/bodies.h"
#include "core/julian_day.h"

namespace novarel {

enum class TimeOfDay { Midnight, Noon };
enum class DataOutput { Longitude, Declination, Latitude, RightAscension };
enum class Centre { Geo, Helio };
enum class NodeKind { Mean, True };
enum class Zodiac { Tropical, Sidereal, Ayanamsa };
enum class MoonChangeSign { Display, NoDisplay };

struct CalcRequest {
    // Date boxes, text as typed (txtDay, txtMonth, txtYear).
    std::string txtDay;
    std::string txtMonth;
    std::string txtYear;
    // The start day already read from a command line; the boxes' texts are
    // then that day's, and are not read again.
    std::optional<CivilDate> startDate;
    // Working copy of the days box; the generators set it to 31 for a full month.
    std::int16_t NumberOfDays = 30;
    bool chkFullMonth = true;
    bool chkSaveData = false;
    bool chkMoonChange = false;  // "Moon - change sign only (Asp.)"
    TimeOfDay type = TimeOfDay::Noon;
    DataOutput dataOutput = DataOutput::Longitude;
    Centre coordinates = Centre::Geo;
    NodeKind moonNodes = NodeKind::True;
    Zodiac zodiac = Zodiac::Tropical;
    MoonChangeSign moonChangeSign = MoonChangeSign::Display;
    // Positions from the library's analytic ephemeris stop the run instead
    // of being used with a note.
    bool requireEphemerisFiles = false;
    // The minor aspects the aspectarian lists, bit n for the n-th of
    // semisextile, semisquare, quintile, sesquiquadrate, biquintile,
    // quincunx; none: the options file's choice.
    std::optional<unsigned> minorAspects;
    // The clock of the aspectarian's days and times: an IANA zone name of the
    // system's database, or "UT".
    std::string timeZone = "UT";
    // Chiron, Ceres, Pallas, Juno, Vesta and Lilith after the eleven bodies,
    // Lilith the Moon's mean or osculating apogee.
    bool extraBodies = false;
    LilithKind lilith = LilithKind::Mean;
    // The name of the chosen natal chart of the chart file; empty: none.
    std::string natalChart;

    bool optMidnight() const { return type == TimeOfDay::Midnight; }
    bool optNoon() const { return type == TimeOfDay::Noon; }
    bool optGeo() const { return coordinates == Centre::Geo; }
    bool optHelio() const { return coordinates == Centre::Helio; }
    bool optMean() const { return moonNodes == NodeKind::Mean; }
    bool optSidereal() const { return zodiac == Zodiac::Sidereal; }
    bool optAyanamsa() const { return zodiac == Zodiac::Ayanamsa; }
    int lastBody() const { return LastBody(extraBodies, optHelio()); }
    bool optNoDisplay() const { return moonChangeSign == MoonChangeSign::NoDisplay; }
};

}  // namespace novarel

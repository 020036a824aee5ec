#pragma once
// The tuning numbers of the options file, numbered 1..OptionCount.
#include <array>

namespace novarel {

// Which bodies the Moon's last aspect before it turns void of course may be to.
enum class VoidOfCourseRule { Off, SunToPluto, SunToSaturn };

// Chiron, the four asteroids and Lilith after the eleven bodies, Lilith the
// Moon's mean or osculating apogee.
enum class ExtraBodyChoice { Off, MeanLilith, OsculatingLilith };

// The numbers the options file holds, one a line. Files written before the
// later ones existed end early: those keep their factory values.
constexpr int OptionCount = 20;

struct OptionValues {
    static constexpr int Count = OptionCount;
    std::array<float, OptionCount + 1> value{};  // index 0 unused
    float operator[](int k) const { return value[static_cast<std::size_t>(k)]; }
    float& operator[](int k) { return value[static_cast<std::size_t>(k)]; }

    // 1..4: the "True Ayanamsa" of the title lines is fixed at degrees,
    // minutes and seconds instead of computed.
    bool FixedAyanamsa() const { return value[1] == 1.0f; }
    double FixedAyanamsaDegrees() const { return value[2] + value[3] / 60.0 + value[4] / 3600.0; }
    // 5: the aspectarian in two columns in the Data window.
    bool TwoColumnAspectarian() const { return value[5] != 0; }
    // 6: the notice window before start-up.
    bool NoticeAtStartup() const { return value[6] != 0; }
    // 7: lines per page of saved data files.
    float SavedLinesPerPage() const { return value[7]; }
    // 8: lines per printed page.
    float PrintedLinesPerPage() const { return value[8]; }
    // 9 and 10: printed lines longer than these use 10 and 8 points.
    float TenPointWidth() const { return value[9]; }
    float EightPointWidth() const { return value[10]; }
    // 11: right ascension in hours, minutes and seconds of time.
    bool RightAscensionInHms() const { return value[11] != 0.0f; }
    // 12: only the Moon's entries into the cardinal signs in the aspectarian.
    bool CardinalMoonIngressOnly() const { return value[12] != 0; }
    // 13..18: the minor aspects listed in the aspectarian, semisextile,
    // semisquare, quintile, sesquiquadrate, biquintile, quincunx; bit n of
    // the result is value 13 + n non-zero.
    unsigned MinorAspects() const {
        unsigned set = 0;
        for (int n = 0; n < 6; ++n)
            if (value[static_cast<std::size_t>(13 + n)] != 0) set |= 1u << n;
        return set;
    }
    // 19: the void-of-course Moon in the aspectarian: 0 none, 1 with the
    // aspects to the Sun .. Pluto, 2 to the Sun .. Saturn only.
    VoidOfCourseRule VoidOfCourse() const {
        return value[19] == 1   ? VoidOfCourseRule::SunToPluto
               : value[19] == 2 ? VoidOfCourseRule::SunToSaturn
                                : VoidOfCourseRule::Off;
    }
    // 20: Chiron, Ceres, Pallas, Juno, Vesta and Lilith in the aspectarian
    // and the ephemeris's second table: 0 none, 1 with the mean apogee as
    // Lilith, 2 with the osculating one.
    ExtraBodyChoice ExtraBodies() const {
        return value[20] == 1   ? ExtraBodyChoice::MeanLilith
               : value[20] == 2 ? ExtraBodyChoice::OsculatingLilith
                                : ExtraBodyChoice::Off;
    }

    // The values the program ships in OPTIONS.MAS.
    static OptionValues Factory() {
        OptionValues v;
        v.value = {0, 0, 0, 0, 0, 0, 0, 60, 60, 80, 100, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        return v;
    }
};

}  // namespace novarel

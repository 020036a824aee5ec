#pragma once
// The bodies the program knows: the eleven of every table, then Chiron, the
// four main asteroids and the Black Moon Lilith, which a run carries only
// when they are chosen. One table gives each its name, library number and
// glyph.
#include <cstdint>
#include <span>
#include <string_view>

namespace novarel {

constexpr int BodyCount = 11;

enum BodyIndex : int {
    Sun = 1,
    Moon,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Pluto,
    NorthNode,
    Chiron,
    Ceres,
    Pallas,
    Juno,
    Vesta,
    Lilith
};

// The chosen bodies after the eleven: Chiron .. Lilith.
constexpr int ExtraBodyCount = Lilith - NorthNode;
// Rows of the tables indexed by BodyIndex: index 0 is unused (or holds the hour).
constexpr int BodyRows = Lilith + 1;

// The last body of a run: the North Node, or with the extra bodies Lilith,
// who has no heliocentric place (a heliocentric run ends at Vesta).
constexpr int LastBody(bool extraBodies, bool heliocentric) {
    return !extraBodies ? NorthNode : heliocentric ? Vesta : Lilith;
}

// Which apogee of the Moon stands for Lilith.
enum class LilithKind { Mean, Osculating };

struct BodyInfo {
    int index = 0;                // BodyIndex
    std::string_view name;        // "Chiron", as exports and messages name it
    int libraryNumber = 0;        // the library's number (geocentric; the Sun and
                                  // the node depend on the request)
    unsigned char glyphCode = 0;  // single-byte code of the glyph font
    char32_t unicode = 0;         // its Unicode symbol
};

// Sun .. Lilith in BodyIndex order.
std::span<const BodyInfo> Bodies();

// The row of one body; bodyIndex Sun .. Lilith.
const BodyInfo& Body(int bodyIndex);

// The library's numbers of the bodies after the eleven, for the file they need.
namespace swe_extra_bodies {
constexpr int MeanApogee = 12;
constexpr int OsculatingApogee = 13;
constexpr int Chiron = 15;
constexpr int Ceres = 17;
constexpr int Pallas = 18;
constexpr int Juno = 19;
constexpr int Vesta = 20;
}  // namespace swe_extra_bodies

// The ephemeris file the library reads Chiron and the asteroids from.
constexpr std::string_view AsteroidFile = "seas_18.se1";

}  // namespace novarel

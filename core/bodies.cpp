#include "core/bodies.h"

#include <array>

#include "core/glyphs.h"

namespace novarel {
namespace {

// The extra bodies' glyph codes are Windows-1252 signs (¬ ® ¯ ² ³ ´) that no
// table text, help text or weekday or month name uses. Skipped: the soft
// hyphen 173, which text layout hides; 176, the degree sign, which the
// degree mark's symbol already is; 177, the contraparallel.
constexpr std::array<BodyInfo, BodyRows - 1> Table{{
    {Sun, "Sun", 0, 224, 0x2609},
    {Moon, "Moon", 1, 233, 0x263D},
    {Mercury, "Mercury", 2, 225, 0x263F},
    {Venus, "Venus", 3, 226, 0x2640},
    {Mars, "Mars", 4, 227, 0x2642},
    {Jupiter, "Jupiter", 5, 228, 0x2643},
    {Saturn, "Saturn", 6, 229, 0x2644},
    {Uranus, "Uranus", 7, 230, 0x2645},
    {Neptune, "Neptune", 8, 231, 0x2646},
    {Pluto, "Pluto", 9, 232, 0x2647},
    {NorthNode, "Node", 11, 234, 0x260A},
    {Chiron, "Chiron", swe_extra_bodies::Chiron, glyph::Chiron, 0x26B7},
    {Ceres, "Ceres", swe_extra_bodies::Ceres, glyph::Ceres, 0x26B3},
    {Pallas, "Pallas", swe_extra_bodies::Pallas, glyph::Pallas, 0x26B4},
    {Juno, "Juno", swe_extra_bodies::Juno, glyph::Juno, 0x26B5},
    {Vesta, "Vesta", swe_extra_bodies::Vesta, glyph::Vesta, 0x26B6},
    {Lilith, "Lilith", swe_extra_bodies::MeanApogee, glyph::Lilith, 0x26B8},
}};

constexpr bool InIndexOrder() {
    for (std::size_t k = 0; k < Table.size(); ++k)
        if (Table[k].index != static_cast<int>(k) + 1) return false;
    return true;
}
static_assert(InIndexOrder());

}  // namespace

std::span<const BodyInfo> Bodies() { return Table; }

const BodyInfo& Body(int bodyIndex) { return Table[static_cast<std::size_t>(bodyIndex - Sun)]; }

}  // namespace novarel

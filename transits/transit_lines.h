#pragma once
// The transit listing's text, in the single-byte glyph text of the Data
// window: title lines naming the chart, and one line per event in the
// aspectarian's manner ("  05 Mar  14:22  ♄ □ natal ☉ - retrograde").
#include <string>
#include <vector>

#include "core/locale_names.h"
#include "core/run_state.h"
#include "core/time_zone.h"
#include "natal/natal_chart.h"
#include "natal/natal_points.h"
#include "transits/transit_search.h"

namespace novarel {

// Said once, under the title, of a chart without a place of birth.
inline constexpr std::string_view NoAnglesLine =
    "  No Ascendant or Midheaven: the chart has no place of birth.";

// The chart's name as the glyph text can show it: each character beyond
// ASCII (whose byte would be a glyph there) becomes "?".
std::string ChartNameText(const std::string& name);

// "Born 12 May 1980 14:30 Europe/Paris, 48.8566N 2.3522E".
std::string BirthLine(const NatalChart& chart, const LocaleNames& names);

// The title lines: the kind and first day, the centre and Julian Day, the
// zone (or an empty line), the birth, the missing angles of a chart without
// a place, then an empty line and the heading with its rule.
std::vector<std::string> TransitTitleLines(const RunState& state, const NatalChart& chart,
                                           const NatalPoints& natal, const TimeZone& zone,
                                           double spanStart, double spanEnd,
                                           const LocaleNames& names);

// The line of an event whose day and clock are those to show: an aspect to
// the natal point, else the aspectarian's line of the ingress or station.
std::string TransitLineText(const TransitEvent& event, const NatalPoints& natal,
                            const std::string& dayLabel);

// The direction word of an aspect's line: the transiting bodies that turn
// (all but the Sun and the Moon) show it.
bool ShowsDirection(int body);

}  // namespace novarel

#include "transits/transit_lines.h"

#include <fmt/format.h>

#include <cmath>

#include "aspectarian/day_events.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/julian_day.h"

namespace novarel {

std::string ChartNameText(const std::string& name) {
    std::string text;
    for (std::size_t i = 0; i < name.size();) {
        const glyph::Utf8Char c = glyph::DecodeUtf8At(name, i);
        text += c.cp < 0x80 ? static_cast<char>(c.cp) : '?';
        i += c.length;
    }
    return text;
}

std::string BirthLine(const NatalChart& chart, const LocaleNames& names) {
    std::string line =
        fmt::format("Born {} {:02}:{:02} {}", FormatDate(chart.date, "dd mmm yyyy", names),
                    chart.hour, chart.minute, chart.timeZone);
    if (chart.place)
        line += fmt::format(", {:.4f}{} {:.4f}{}", std::abs(chart.place->latitude),
                            chart.place->latitude < 0 ? 'S' : 'N', std::abs(chart.place->longitude),
                            chart.place->longitude < 0 ? 'W' : 'E');
    return line;
}

std::vector<std::string> TransitTitleLines(const RunState& s, const NatalChart& chart,
                                           const NatalPoints& natal, const TimeZone& zone,
                                           double spanStart, double spanEnd,
                                           const LocaleNames& names) {
    const CivilDate start = JulianDayToCivil(s.DayJD);
    std::vector<std::string> lines;
    lines.emplace_back();
    lines.push_back("  " + s.ZodiacLabel + "Transits to " + ChartNameText(chart.name) + " - " +
                    FormatDate(start, "dddd", names) + ", " +
                    FormatDate(start, "dd mmm yyyy", names) +
                    (zone.IsUniversal() ? ", Greenwich" : ""));
    lines.push_back(std::string(11, ' ') +
                    "geocentric    Julian Day = " + FormatFixed(s.StartJD, 1, 1));
    lines.push_back(zone.IsUniversal()
                        ? std::string()
                        : std::string(11, ' ') + ZoneTitle(zone, spanStart, spanEnd));
    lines.push_back("  " + BirthLine(chart, names));
    if (!natal.hasAngles) lines.emplace_back(NoAnglesLine);
    lines.emplace_back();
    lines.emplace_back("  Day      h  m");
    lines.emplace_back("  -------------");
    return lines;
}

bool ShowsDirection(int body) { return body != Sun && body != Moon; }

std::string TransitLineText(const TransitEvent& te, const NatalPoints& natal,
                            const std::string& dayLabel) {
    const AspectEvent& e = te.event;
    if (e.kind != EventKind::Aspect || te.natalIndex < 0) return EventLineText(e, dayLabel);
    std::string line = "  " + dayLabel + "  " + ClockText(e.hour, e.minute) + "  ";
    line += static_cast<char>(glyph::BodyCode(e.body1, false));
    line += ' ';
    line += AspectGlyphText(e.aspect);
    line += " natal ";
    line += NatalPointGlyph(natal.points[static_cast<std::size_t>(te.natalIndex)], false);
    if (ShowsDirection(e.body1)) line += te.retrograde ? " - retrograde" : " - direct";
    return line;
}

}  // namespace novarel

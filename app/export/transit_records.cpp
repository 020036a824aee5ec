#include "app/export/transit_records.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "app/export/calendar_export.h"
#include "aspectarian/day_events.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "transits/transit_lines.h"

namespace novarel::exports {
namespace {

using Json = nlohmann::ordered_json;

std::string DateText(const CivilDate& d) {
    return fmt::format("{:04}-{:02}-{:02}", d.year, d.month, d.day);
}

struct RecordClock {
    std::string date;
    std::string time;
};

// The listing's date and minute; a station's line names only the hour it was
// seen in, so its record gives the minute of the turning point, as the
// aspectarian's records do.
RecordClock ClockOf(const AspectEvent& e, const TimeZone& zone) {
    if (e.kind != EventKind::Station)
        return {DateText(JulianDayToCivil(e.dayJD + 0.5)), ClockText(e.hour, e.minute)};
    const MinuteOfDay m = RoundedToMinute(zone.LocalJulianDay(e.moment));
    return {DateText(m.date), fmt::format("{:02}:{:02}", m.hour, m.minute)};
}

bool Kept(const ExportChoices& c, const AspectEvent& e) {
    if (!c.bodies.empty() && std::find(c.bodies.begin(), c.bodies.end(), e.body1) == c.bodies.end())
        return false;
    return c.kinds.empty() || std::find(c.kinds.begin(), c.kinds.end(), e.kind) != c.kinds.end();
}

std::string Direction(const TransitEvent& te) {
    switch (te.event.kind) {
        case EventKind::Aspect: return te.retrograde ? "retrograde" : "direct";
        case EventKind::Station: return te.event.retrograde ? "retrograde" : "direct";
        default: return {};
    }
}

// A chart's part of its events' UIDs: its name in lower-case letters and
// digits, and a hash of the whole name, so that charts whose names differ
// only in other characters keep apart.
std::string ChartKey(const std::string& name) {
    std::string slug;
    std::uint32_t hash = 2166136261u;
    for (const char ch : name) {
        hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619u;
        const auto c = static_cast<unsigned char>(ch);
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        slug += alnum ? static_cast<char>(c | (c >= 'A' && c <= 'Z' ? 0x20 : 0)) : '-';
    }
    return slug + fmt::format("-{:08x}", hash);
}

std::string Symbol(unsigned char code) {
    return GlyphTextUtf8(std::string(1, static_cast<char>(code)));
}

std::string BodyWord(int body) {
    NatalPoint p;
    p.bodyIndex = body;
    return std::string(NatalPointName(p));
}

}  // namespace

std::string NatalPointWord(const NatalPoint& point) {
    std::string word(NatalPointName(point));
    for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c | 0x20);
    return word;
}

std::string TransitCsvHead(const ExportChoices& c) {
    return "date,time,jd_ut," + std::string(c.zone.IsUniversal() ? "" : "utc_offset,") +
           "kind,body,aspect,natal_point,natal_longitude,position,sign,direction,text\r\n";
}

std::string TransitRecords(const TransitsState& transits, const ExportChoices& c) {
    std::string out;
    const std::string chartKey = ChartKey(transits.chart.name);
    for (const TransitEvent& te : transits.Events) {
        const AspectEvent& e = te.event;
        if (!Kept(c, e)) continue;
        const NatalPoint* natal =
            te.natalIndex >= 0 ? &transits.natal.points[static_cast<std::size_t>(te.natalIndex)]
                               : nullptr;
        const RecordClock clock = ClockOf(e, c.zone);
        const std::string offset = OffsetText(c.zone.At(e.moment).offsetSeconds);
        const std::string text =
            GlyphTextUtf8(TransitLineText(te, transits.natal, "      ").substr(17));
        const std::string point = natal ? NatalPointWord(*natal) : "";
        if (c.format == ExportFormat::Csv) {
            out += fmt::format("{},{},{},", clock.date, clock.time, e.moment);
            if (!c.zone.IsUniversal()) out += offset + ",";
            out += fmt::format("{},{},{},{},{},{},{},{},{}\r\n", KindName(e.kind),
                               BodyName(e.body1, false), AspectName(e.aspect), point,
                               natal ? fmt::format("{}", natal->longitude) : "", e.position1,
                               e.sign != 0 ? std::to_string(e.sign) : "", Direction(te),
                               CsvField(text));
        } else if (c.format == ExportFormat::Json) {
            Json j;
            j["date"] = clock.date;
            j["time"] = clock.time;
            j["jd_ut"] = e.moment;
            if (!c.zone.IsUniversal()) j["utc_offset"] = offset;
            j["kind"] = KindName(e.kind);
            j["body"] = BodyName(e.body1, false);
            j["aspect"] = AspectName(e.aspect);
            j["natal_point"] = point;
            if (natal) j["natal_longitude"] = natal->longitude;
            j["position"] = e.position1;
            if (e.sign != 0) j["sign"] = e.sign;
            j["direction"] = Direction(te);
            j["text"] = text;
            if (!out.empty()) out += ",\n";
            out += j.dump();
        } else if (c.format == ExportFormat::Ics) {
            // Calendars take UTC moments and show them on their own clocks.
            const MinuteOfDay ut = RoundedToMinute(e.moment);
            const RecordClock utc =
                c.zone.IsUniversal() ? clock
                                     : RecordClock{DateText(ut.date),
                                                   fmt::format("{:02}:{:02}", ut.hour, ut.minute)};
            const std::string stamp = utc.date.substr(0, 4) + utc.date.substr(5, 2) +
                                      utc.date.substr(8, 2) + "T" + utc.time.substr(0, 2) +
                                      utc.time.substr(3, 2);
            CalendarEntry entry;
            entry.description = CalendarDescription(e, text);
            if (natal) {
                entry.uid = fmt::format("{}-transit-{}-{}-{}-natal-{}@novarel", stamp, chartKey,
                                        BodyName(e.body1, false), AspectName(e.aspect), point);
                entry.summary = fmt::format(
                    "{} {} natal {} {} {} natal {}", Symbol(glyph::BodyCode(e.body1, false)),
                    GlyphTextUtf8(AspectGlyphText(e.aspect)), NatalPointGlyph(*natal, true),
                    BodyWord(e.body1), AspectName(e.aspect), NatalPointName(*natal));
                if (ShowsDirection(e.body1)) entry.summary += ", " + Direction(te);
                entry.description += fmt::format("\n{} {}\nnatal {} {}", BodyWord(e.body1),
                                                 CalendarPlace(e.position1), NatalPointName(*natal),
                                                 CalendarPlace(natal->longitude));
            } else {
                entry.uid = fmt::format("{}-transit-{}-{}-{}@novarel", stamp, chartKey,
                                        KindName(e.kind), BodyName(e.body1, false));
                entry.summary = CalendarSummary(e);
            }
            entry.description += "\nchart " + transits.chart.name;
            out += CalendarEntryText(e, utc.date, utc.time, entry);
        }
    }
    return out;
}

}  // namespace novarel::exports

#include "app/export/export_records.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>

#include "app/export/calendar_export.h"
#include "app/export/transit_records.h"
#include "aspectarian/day_events.h"
#include "aspectarian/void_of_course.h"
#include "core/bodies.h"
#include "core/glyphs.h"
#include "core/locale_utf8_names.h"
#include "core/positions.h"
#include "ephemeris/ephemeris_rows.h"

namespace novarel::exports {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* BodyNames[] = {"",        "sun",    "moon",   "mercury", "venus", "mars",
                                     "jupiter", "saturn", "uranus", "neptune", "pluto", "node"};
std::string DateText(const CivilDate& d) {
    return fmt::format("{:04}-{:02}-{:02}", d.year, d.month, d.day);
}

// A cell of a table row as the records give it: without its blanks, in
// UTF-8 (the digits and marks are ASCII and stand for themselves).
template <typename Buffer>
void AppendCellText(Buffer& out, std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(' ');
    if (first == std::string_view::npos) return;
    const std::size_t last = cell.find_last_not_of(' ');
    std::string symbol;
    for (char ch : cell.substr(first, last - first + 1)) {
        const auto code = static_cast<unsigned char>(ch);
        if (code < 0x80) {
            out.push_back(ch);
            continue;
        }
        symbol.clear();
        glyph::AppendUtf8(symbol, glyph::ToCodePoint(code));
        out.append(symbol.data(), symbol.data() + symbol.size());
    }
}

bool Kept(const std::vector<int>& bodies, int body) {
    return bodies.empty() || std::find(bodies.begin(), bodies.end(), body) != bodies.end();
}

std::string Number(double value) { return fmt::format("{}", value); }

// The date and "hh:mm" of a record. They are the report line's, but a
// station's line names only the hour it was seen in: its record gives the
// minute of the turning point, as the retrograde listing shows it.
struct RecordClock {
    std::string date;
    std::string time;
};

RecordClock ClockOf(const AspectEvent& e, const TimeZone& zone) {
    if (e.kind != EventKind::Station)
        return {DateText(JulianDayToCivil(e.dayJD + 0.5)),
                EventLineText(e, "      ").substr(10, 5)};
    const MinuteOfDay m = RoundedToMinute(zone.LocalJulianDay(e.moment));
    return {DateText(m.date), fmt::format("{:02}:{:02}", m.hour, m.minute)};
}

// The line of the event after its date and time: glyphs and words. The end
// of a void-of-course Moon on a later day is named by its date.
std::string EventText(const AspectEvent& e, const TimeZone& zone) {
    AspectEvent shown = e;
    shown.end = zone.LocalJulianDay(e.end);
    const std::string endDay = e.kind == EventKind::VoidOfCourse && EndsOnLaterDay(shown)
                                   ? DateText(RoundedToMinute(shown.end).date)
                                   : "";
    return GlyphTextUtf8(EventLineText(shown, "      ", endDay).substr(17));
}

// The end of a void-of-course Moon: its date, "hh:mm" and moment.
struct RecordEnd {
    std::string date;
    std::string time;
    std::string jd;
};

RecordEnd EndOf(const AspectEvent& e, const TimeZone& zone) {
    if (e.kind != EventKind::VoidOfCourse) return {};
    const MinuteOfDay m = RoundedToMinute(zone.LocalJulianDay(e.end));
    return {DateText(m.date), fmt::format("{:02}:{:02}", m.hour, m.minute),
            fmt::format("{}", e.end)};
}

std::string EventBody(int body, const AspectEvent& e) {
    return body == 0 ? std::string() : BodyName(body, e.heliocentric);
}

}  // namespace

int BodyNamed(const std::string& name) {
    if (name == "earth") return Sun;
    for (int b = Sun; b <= Lilith; ++b)
        if (name == BodyName(b, false)) return b;
    return 0;
}

std::string BodyName(int body, bool heliocentric) {
    if (body == Sun && heliocentric) return "earth";
    if (body > NorthNode && body <= Lilith) {
        std::string name(Body(body).name);
        for (char& c : name) c = static_cast<char>(c | 0x20);  // ASCII letters only
        return name;
    }
    return body >= Sun && body <= NorthNode ? BodyNames[body] : "";
}

std::optional<EventKind> KindNamed(const std::string& name) {
    for (EventKind k :
         {EventKind::Aspect, EventKind::Parallel, EventKind::Contraparallel, EventKind::Ingress,
          EventKind::Station, EventKind::Lunation, EventKind::Eclipse, EventKind::VoidOfCourse})
        if (name == KindName(k)) return k;
    return std::nullopt;
}

std::string GlyphTextUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) glyph::AppendUtf8(out, glyph::ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string DataTextUtf8(const std::string& text, const LocaleNames& shown) {
    return WithOwnNames(glyph::TextToUtf8(text), Utf8Rendering(shown),
                        Utf8NamesFromCurrentLocale());
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string ExportHead(const ExportChoices& c) {
    switch (c.format) {
        case ExportFormat::Text: return {};
        case ExportFormat::Csv:
            if (c.transits) return TransitCsvHead(c);
            return c.aspectarian
                       ? "date,time,jd_ut," +
                             std::string(c.zone.IsUniversal() ? "" : "utc_offset,") +
                             "kind,body1,aspect,body2,position1,position2,sign,"
                             "direction,phase,eclipse,text,eclipse_type,eclipse_magnitude,"
                             "eclipse_maximum_jd_ut" +
                             std::string(c.voidOfCourse ? ",end_date,end_time,end_jd_ut" : "") +
                             "\r\n"
                       : std::string(c.zone.IsUniversal() ? "date,jd_ut,"
                                                          : "date,time,jd_ut,utc_offset,") +
                             "sidereal_time,body,longitude,latitude,right_ascension,"
                             "declination,longitude_speed,right_ascension_speed,retrograde,"
                             "longitude_cell,latitude_cell,right_ascension_cell,declination_"
                             "cell\r\n";
        case ExportFormat::Json: return "{\"request\":" + c.requestJson + ",\n\"records\":[\n";
        case ExportFormat::Ics: return CalendarHead();
    }
    return {};
}

std::string ExportTail(const ExportChoices& c) {
    switch (c.format) {
        case ExportFormat::Json: return "]}\n";
        case ExportFormat::Ics: return CalendarTail();
        default: return {};
    }
}

namespace {

// The rows keep no speed for the Sun (or the Earth): it never turns.
bool WithSpeed(int body) { return body != Sun; }

// A row's local clock "hh:mm" and offset on a zone's clock.
struct RowClock {
    std::string time;
    std::string offset;
};

RowClock RowClockOf(const EphemerisDayRecord& day, const TimeZone& zone) {
    const int offset = zone.At(day.jdUt).offsetSeconds;
    const MinuteOfDay m = RoundedToMinute(day.jdUt + offset / 86400.0);
    return {fmt::format("{:02}:{:02}", m.hour, m.minute), OffsetText(offset)};
}

// The last body of a day's records: the North Node, or the last of the
// second table when the run has one.
int LastBodyOf(const EphemerisDayRecord& day, bool heliocentric) {
    return LastBody(!day.extraRows[0].empty(), heliocentric);
}

// A body's cell of one view (the files' order), from the table that holds it.
std::string_view CellOfDay(const EphemerisDayRecord& day, std::size_t view, int body,
                           bool heliocentric) {
    if (body <= NorthNode) return CellOfRow(day.rows[view], body);
    return CellOfRow(day.extraRows[view], body, SecondTableBodies(heliocentric));
}

std::string EphemerisCsv(const std::vector<EphemerisDayRecord>& days, const ExportChoices& c) {
    std::string out;
    out.reserve(days.size() * 11 * 200);
    for (const EphemerisDayRecord& day : days) {
        // The day's fields open each of its records: written once.
        fmt::memory_buffer dayFields;
        if (c.zone.IsUniversal()) {
            fmt::format_to(std::back_inserter(dayFields), FMT_COMPILE("{},{},{},"),
                           DateText(day.date), day.jdUt, day.siderealSeconds / 3600);
        } else {
            const RowClock clock = RowClockOf(day, c.zone);
            fmt::format_to(std::back_inserter(dayFields), FMT_COMPILE("{},{},{},{},{},"),
                           DateText(day.date), clock.time, day.jdUt, clock.offset,
                           day.siderealSeconds / 3600);
        }
        const int last = LastBodyOf(day, c.heliocentric);
        for (int b = Sun; b <= last; ++b) {
            if (!Kept(c.bodies, b)) continue;
            const Positions& p = day.positions;
            const auto k = static_cast<std::size_t>(b);
            // Formatted in a buffer on the stack, then added in one piece.
            fmt::memory_buffer line;
            line.append(dayFields.data(), dayFields.data() + dayFields.size());
            auto to = std::back_inserter(line);
            fmt::format_to(to, FMT_COMPILE("{},{},{},{},{},"), BodyName(b, c.heliocentric),
                           p.BodyLongitude[k], p.BodyLatitude[k], p.BodyRightAscension[k],
                           p.BodyDeclination[k]);
            if (WithSpeed(b))
                fmt::format_to(to, FMT_COMPILE("{},{},"), p.LongitudeSpeed[k],
                               p.RightAscensionSpeed[k]);
            else
                line.append(std::string_view(",,"));
            line.push_back(p.LongitudeSpeed[k] < 0 ? '1' : '0');
            // Longitude, latitude, right ascension, declination: the files'
            // order. A cell holds digits, blanks, ".", "!" and one symbol:
            // never quoted.
            for (std::size_t view = 0; view < day.rows.size(); ++view) {
                line.push_back(',');
                AppendCellText(line, CellOfDay(day, view, b, c.heliocentric));
            }
            line.append(std::string_view("\r\n"));
            out.append(line.data(), line.size());
        }
    }
    return out;
}

std::string EphemerisJson(const std::vector<EphemerisDayRecord>& days, const ExportChoices& c) {
    std::string out;
    for (const EphemerisDayRecord& day : days) {
        const std::string date = DateText(day.date);
        const RowClock clock = c.zone.IsUniversal() ? RowClock{} : RowClockOf(day, c.zone);
        const int last = LastBodyOf(day, c.heliocentric);
        for (int b = Sun; b <= last; ++b) {
            if (!Kept(c.bodies, b)) continue;
            const Positions& p = day.positions;
            const auto k = static_cast<std::size_t>(b);
            std::string cells[4];
            for (std::size_t t = 0; t < 4; ++t)
                AppendCellText(cells[t], CellOfDay(day, t, b, c.heliocentric));
            const bool withSpeed = WithSpeed(b);
            Json j;
            j["date"] = date;
            if (!c.zone.IsUniversal()) j["time"] = clock.time;
            j["jd_ut"] = day.jdUt;
            if (!c.zone.IsUniversal()) j["utc_offset"] = clock.offset;
            j["sidereal_time"] = day.siderealSeconds / 3600;
            j["body"] = BodyName(b, c.heliocentric);
            j["longitude"] = p.BodyLongitude[k];
            j["latitude"] = p.BodyLatitude[k];
            j["right_ascension"] = p.BodyRightAscension[k];
            j["declination"] = p.BodyDeclination[k];
            j["longitude_speed"] = withSpeed ? Json(p.LongitudeSpeed[k]) : Json();
            j["right_ascension_speed"] = withSpeed ? Json(p.RightAscensionSpeed[k]) : Json();
            j["retrograde"] = p.LongitudeSpeed[k] < 0;
            j["cells"] = {{"longitude", cells[0]},
                          {"latitude", cells[1]},
                          {"right_ascension", cells[2]},
                          {"declination", cells[3]}};
            if (!out.empty()) out += ",\n";
            out += j.dump();
        }
    }
    return out;
}

}  // namespace

std::string EphemerisRecords(const std::vector<EphemerisDayRecord>& days, const ExportChoices& c) {
    switch (c.format) {
        case ExportFormat::Csv: return EphemerisCsv(days, c);
        case ExportFormat::Json: return EphemerisJson(days, c);
        default: return {};
    }
}

std::string EventRecords(const std::vector<AspectEvent>& events, const ExportChoices& c) {
    std::string out;
    for (const AspectEvent& e : events) {
        if (!Kept(c.bodies, e.body1) && !(e.body2 != 0 && Kept(c.bodies, e.body2))) continue;
        if (!c.kinds.empty() && std::find(c.kinds.begin(), c.kinds.end(), e.kind) == c.kinds.end())
            continue;
        if (e.kind == EventKind::VoidOfCourse && c.periodStartJD > c.rangeStartJD &&
            e.momentJD() < c.periodStartJD)
            continue;
        const RecordClock clock = ClockOf(e, c.zone);
        const std::string offset = OffsetText(c.zone.At(e.momentJD()).offsetSeconds);
        const std::string direction =
            e.kind == EventKind::Station ? (e.retrograde ? "retrograde" : "direct") : "";
        const bool twoBodies = e.body2 != 0;
        const bool eclipse = e.kind == EventKind::Eclipse;
        const EclipseDetails& ecl = e.eclipseDetails;
        const bool period = e.kind == EventKind::VoidOfCourse;
        if (c.format == ExportFormat::Csv) {
            out += fmt::format("{},{},{},", clock.date, clock.time, Number(e.momentJD()));
            if (!c.zone.IsUniversal()) out += offset + ",";
            out += fmt::format(
                "{},{},{},{},{},{},{},{},{},{},{},{},{},{}", KindName(e.kind),
                EventBody(e.body1, e), AspectName(e.aspect), EventBody(e.body2, e),
                period ? "" : Number(e.position1), twoBodies && !period ? Number(e.position2) : "",
                e.sign != 0 ? std::to_string(e.sign) : "", direction, e.phase, e.eclipse,
                CsvField(EventText(e, c.zone)), eclipse ? ecl.type : "",
                eclipse ? Number(ecl.magnitude) : "", eclipse ? Number(ecl.maximumJD) : "");
            if (c.voidOfCourse) {
                const RecordEnd end = EndOf(e, c.zone);
                out += fmt::format(",{},{},{}", end.date, end.time, end.jd);
            }
            out += "\r\n";
        } else if (c.format == ExportFormat::Json) {
            Json j;
            j["date"] = clock.date;
            j["time"] = clock.time;
            j["jd_ut"] = e.momentJD();
            if (!c.zone.IsUniversal()) j["utc_offset"] = offset;
            j["kind"] = KindName(e.kind);
            j["body1"] = EventBody(e.body1, e);
            j["aspect"] = AspectName(e.aspect);
            j["body2"] = EventBody(e.body2, e);
            if (!period) j["position1"] = e.position1;
            if (twoBodies && !period) j["position2"] = e.position2;
            if (e.sign != 0) j["sign"] = e.sign;
            j["direction"] = direction;
            j["phase"] = e.phase;
            j["eclipse"] = e.eclipse;
            j["text"] = EventText(e, c.zone);
            if (eclipse) {
                j["eclipse_type"] = ecl.type;
                j["eclipse_magnitude"] = ecl.magnitude;
                j["eclipse_maximum_jd_ut"] = ecl.maximumJD;
            }
            if (period) {
                const RecordEnd end = EndOf(e, c.zone);
                j["end_date"] = end.date;
                j["end_time"] = end.time;
                j["end_jd_ut"] = e.end;
            }
            if (!out.empty()) out += ",\n";
            out += j.dump();
        } else if (c.format == ExportFormat::Ics) {
            // Calendars take UTC moments and show them on their own clocks.
            const MinuteOfDay ut = RoundedToMinute(e.momentJD());
            const RecordClock utc =
                c.zone.IsUniversal() ? clock
                                     : RecordClock{DateText(ut.date),
                                                   fmt::format("{:02}:{:02}", ut.hour, ut.minute)};
            out += CalendarEvent(e, utc.date, utc.time, EventText(e, c.zone));
        }
    }
    return out;
}

}  // namespace novarel::exports

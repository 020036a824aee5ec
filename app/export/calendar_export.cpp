#include "app/export/calendar_export.h"

#include <fmt/format.h>
#include <libical/ical.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "app/export/export_records.h"
#include "core/angle_format.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/positions.h"

namespace novarel::exports {
namespace {

constexpr const char* BodyWords[] = {"",        "Sun",    "Moon",   "Mercury", "Venus", "Mars",
                                     "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto", "Node"};
constexpr const char* SignWords[] = {"",          "Aries",    "Taurus", "Gemini",  "Cancer",
                                     "Leo",       "Virgo",    "Libra",  "Scorpio", "Sagittarius",
                                     "Capricorn", "Aquarius", "Pisces"};

std::string Symbol(unsigned char code) {
    return GlyphTextUtf8(std::string(1, static_cast<char>(code)));
}

std::string BodySymbol(int body, bool helio) { return Symbol(glyph::BodyCode(body, helio)); }

std::string BodyWord(int body, bool helio) {
    if (body == Sun && helio) return "Earth";
    if (body > NorthNode && body <= Lilith) return std::string(Body(body).name);
    return body >= Sun && body <= NorthNode ? BodyWords[body] : "";
}

// "04♏18.0": the place as the report line gives it.
std::string PlaceText(double longitude) {
    std::string cell = PositionCell(longitude);
    cell.erase(0, cell.find_first_not_of(' '));
    cell.erase(cell.find_last_not_of(' ') + 1);
    return GlyphTextUtf8(cell);
}

// "04°♏17'59\"": the place to the nearest second of arc, carried into the
// minutes, degrees and sign.
std::string ExactPlaceText(double longitude) {
    constexpr long long SecondsPerSign = 30 * 3600;
    long long seconds = std::llround(longitude * 3600) % (12 * SecondsPerSign);
    if (seconds < 0) seconds += 12 * SecondsPerSign;
    const int sign = static_cast<int>(seconds / SecondsPerSign) + 1;
    seconds %= SecondsPerSign;
    return fmt::format("{:02}°{}{:02}'{:02}\"", seconds / 3600,
                       Symbol(static_cast<unsigned char>(glyph::SignChar(sign))), seconds / 60 % 60,
                       seconds % 60);
}

// "2024-04-23 23:49:02 UT": a moment (Julian Day UT) to the nearest second.
std::string MomentToTheSecond(double jdUt) {
    const double midnight = std::floor(jdUt + 0.5) - 0.5;
    long long seconds = std::llround((jdUt - midnight) * 86400);
    double day = midnight;
    if (seconds >= 86400) {
        seconds -= 86400;
        day += 1;
    }
    const CivilDate d = JulianDayToCivil(day + 0.5);
    return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02} UT", d.year, d.month, d.day,
                       seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// The report line, then what the line rounds or leaves out: the exact moment,
// the exact place of a lunation, ingress or station, and what the library
// found for an eclipse.
std::string Description(const AspectEvent& e, const std::string& text) {
    const bool h = e.heliocentric;
    std::string out = text + "\nexact " + MomentToTheSecond(e.momentJD());
    switch (e.kind) {
        case EventKind::Ingress:
        case EventKind::Station:
            out += fmt::format("\n{} {}", BodyWord(e.body1, h), ExactPlaceText(e.position1));
            break;
        case EventKind::Lunation:
        case EventKind::Eclipse:
            out += fmt::format("\n{} {}", BodyWord(e.body2, h), ExactPlaceText(e.position2));
            break;
        case EventKind::VoidOfCourse: out += "\nends " + MomentToTheSecond(e.end); break;
        case EventKind::Aspect:
        case EventKind::Parallel:
        case EventKind::Contraparallel: break;
    }
    const EclipseDetails& ecl = e.eclipseDetails;
    if (e.kind == EventKind::Eclipse && *ecl.type != 0) {
        const bool lunar = std::string_view(e.eclipse) == "lunar";
        const bool penumbral = std::string_view(ecl.type) == "penumbral";
        out += fmt::format("\n{} {} eclipse, {}magnitude {:.3f}, greatest {}", ecl.type, e.eclipse,
                           lunar ? (penumbral ? "penumbral " : "umbral ") : "", ecl.magnitude,
                           MomentToTheSecond(ecl.maximumJD));
    }
    return out;
}

struct IcalFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

}  // namespace

std::string CalendarHead() {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Novarel_SE//novarel 2.00//EN\r\n"
           "CALSCALE:GREGORIAN\r\n";
}

std::string CalendarTail() { return "END:VCALENDAR\r\n"; }

std::string CalendarSummary(const AspectEvent& e) {
    const bool h = e.heliocentric;
    const std::string one = BodySymbol(e.body1, h);
    switch (e.kind) {
        case EventKind::Ingress:
            return fmt::format("{} {} {} enters {}", one,
                               Symbol(static_cast<unsigned char>(glyph::SignChar(e.sign))),
                               BodyWord(e.body1, h), SignWords[e.sign]);
        case EventKind::Station:
            return fmt::format(
                "{} {} {} turns {}", one,
                Symbol(e.retrograde ? glyph::StationRetrograde : glyph::StationDirect),
                BodyWord(e.body1, h), e.retrograde ? "retrograde" : "direct");
        case EventKind::Parallel:
        case EventKind::Contraparallel:
            return fmt::format(
                "{} {} {} {} {} {}", one,
                Symbol(e.kind == EventKind::Parallel ? glyph::Parallel : glyph::Contraparallel),
                BodySymbol(e.body2, h), BodyWord(e.body1, h), KindName(e.kind),
                BodyWord(e.body2, h));
        case EventKind::VoidOfCourse: {
            std::string s = one + " v/c";
            if (e.aspect != NoAspect)
                s += fmt::format(" ({}{})",
                                 Symbol(static_cast<unsigned char>(glyph::AspectBase + e.aspect)),
                                 BodySymbol(e.body2, h));
            return s + fmt::format(" Moon void of course until it enters {} {}",
                                   Symbol(static_cast<unsigned char>(glyph::SignChar(e.sign))),
                                   SignWords[e.sign]);
        }
        case EventKind::Aspect:
        case EventKind::Lunation:
        case EventKind::Eclipse: break;
    }
    std::string s = fmt::format("{} {} {}", one, GlyphTextUtf8(AspectGlyphText(e.aspect)),
                                BodySymbol(e.body2, h));
    if (e.kind == EventKind::Aspect)
        return s + fmt::format(" {} {} {}", BodyWord(e.body1, h), AspectName(e.aspect),
                               BodyWord(e.body2, h));
    s += fmt::format(" {} {}", e.phase, PlaceText(e.position2));
    if (e.kind == EventKind::Eclipse) s += fmt::format(" \u2014 {} eclipse", e.eclipse);
    return s;
}

std::string CalendarEvent(const AspectEvent& e, const std::string& date, const std::string& clock,
                          const std::string& text) {
    const std::string uid = fmt::format(
        "{}{}{}T{}{}-{}-{}-{}{}{}{}{}@novarel", date.substr(0, 4), date.substr(5, 2),
        date.substr(8, 2), clock.substr(0, 2), clock.substr(3, 2), e.heliocentric ? "helio" : "geo",
        KindName(e.kind), BodyWord(e.body1, false), e.aspect != NoAspect ? "-" : "",
        AspectName(e.aspect), e.body2 != 0 ? "-" : "", BodyWord(e.body2, false));
    return CalendarEntryText(e, date, clock, {uid, CalendarSummary(e), Description(e, text)});
}

std::string CalendarDescription(const AspectEvent& event, const std::string& text) {
    return Description(event, text);
}

std::string CalendarPlace(double longitude) { return ExactPlaceText(longitude); }

std::string CalendarEntryText(const AspectEvent& e, const std::string& date,
                              const std::string& clock, const CalendarEntry& entry) {
    icaltimetype t = icaltime_null_time();
    t.year = std::atoi(date.substr(0, 4).c_str());
    t.month = std::atoi(date.substr(5, 2).c_str());
    t.day = std::atoi(date.substr(8, 2).c_str());
    t.hour = std::atoi(clock.substr(0, 2).c_str());
    t.minute = std::atoi(clock.substr(3, 2).c_str());
    t.is_date = 0;
    t.zone = icaltimezone_get_utc_timezone();

    std::unique_ptr<icalcomponent, IcalFree> event(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent_add_property(event.get(), icalproperty_new_uid(entry.uid.c_str()));
    // The stamp is the event's own moment: a run repeated gives the same bytes.
    icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(t));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstart(t));
    if (e.kind == EventKind::VoidOfCourse) {
        const MinuteOfDay m = RoundedToMinute(e.end);
        icaltimetype end = t;
        end.year = m.date.year;
        end.month = m.date.month;
        end.day = m.date.day;
        end.hour = m.hour;
        end.minute = m.minute;
        icalcomponent_add_property(event.get(), icalproperty_new_dtend(end));
    }
    icalcomponent_add_property(event.get(), icalproperty_new_summary(entry.summary.c_str()));
    icalcomponent_add_property(event.get(),
                               icalproperty_new_description(entry.description.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    char* ics = icalcomponent_as_ical_string_r(event.get());
    std::string out = ics != nullptr ? ics : "";
    std::free(ics);
    return out;
}

}  // namespace novarel::exports

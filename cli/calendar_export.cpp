#include "cli/calendar_export.h"

#include <fmt/format.h>
#include <libical/ical.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "cli/export_records.h"
#include "core/glyphs.h"
#include "core/positions.h"

namespace novarel::cli {
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
    return body >= Sun && body <= NorthNode ? BodyWords[body] : "";
}

int SignOf(double longitude) { return static_cast<int>(std::floor(longitude / 30)) % 12 + 1; }

// "09♒51": degrees in the sign, the sign, whole minutes.
std::string PlaceText(double longitude) {
    const int sign = SignOf(longitude);
    const double inSign = longitude - 30 * (sign - 1);
    int degrees = static_cast<int>(std::floor(inSign));
    int minutes = static_cast<int>(std::floor((inSign - degrees) * 60));
    return fmt::format("{:02}{}{:02}", degrees,
                       Symbol(static_cast<unsigned char>(glyph::SignChar(sign))), minutes);
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
        case EventKind::Aspect:
        case EventKind::Lunation:
        case EventKind::Eclipse: break;
    }
    std::string s = fmt::format("{} {} {}", one,
                                Symbol(static_cast<unsigned char>(glyph::AspectBase + e.aspect)),
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
    icaltimetype t = icaltime_null_time();
    t.year = std::atoi(date.substr(0, 4).c_str());
    t.month = std::atoi(date.substr(5, 2).c_str());
    t.day = std::atoi(date.substr(8, 2).c_str());
    t.hour = std::atoi(clock.substr(0, 2).c_str());
    t.minute = std::atoi(clock.substr(3, 2).c_str());
    t.is_date = 0;
    t.zone = icaltimezone_get_utc_timezone();

    const std::string uid =
        fmt::format("{:04}{:02}{:02}T{:02}{:02}-{}-{}-{}{}{}{}{}@novarel", t.year, t.month, t.day,
                    t.hour, t.minute, e.heliocentric ? "helio" : "geo", KindName(e.kind),
                    BodyWord(e.body1, false), e.aspect != NoAspect ? "-" : "", AspectName(e.aspect),
                    e.body2 != 0 ? "-" : "", BodyWord(e.body2, false));

    std::unique_ptr<icalcomponent, IcalFree> event(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent_add_property(event.get(), icalproperty_new_uid(uid.c_str()));
    // The stamp is the event's own moment: a run repeated gives the same bytes.
    icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(t));
    icalcomponent_add_property(event.get(), icalproperty_new_dtstart(t));
    icalcomponent_add_property(event.get(), icalproperty_new_summary(CalendarSummary(e).c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_description(text.c_str()));
    icalcomponent_add_property(event.get(), icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    char* ics = icalcomponent_as_ical_string_r(event.get());
    std::string out = ics != nullptr ? ics : "";
    std::free(ics);
    return out;
}

}  // namespace novarel::cli

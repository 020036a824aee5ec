#include "app/export/export_request.h"

#include <nlohmann/json.hpp>

#include "core/iso_date.h"

namespace novarel::exports {

std::string_view ZodiacWord(Zodiac zodiac) {
    switch (zodiac) {
        case Zodiac::Tropical: return "tropical";
        case Zodiac::Sidereal: return "sidereal";
        case Zodiac::Ayanamsa: return "ayanamsa";
    }
    return {};
}

std::string_view NodeWord(NodeKind node) { return node == NodeKind::Mean ? "mean" : "true"; }

std::string RequestJson(const RequestFacts& f) {
    nlohmann::ordered_json j;
    j["command"] = f.command;
    if (f.command == "transits") {
        if (!f.chart.empty()) j["chart"] = f.chart;
        if (!f.natal.empty()) j["natal"] = f.natal;
        if (!f.natalZone.empty()) j["natal_time_zone"] = f.natalZone;
        if (!f.place.empty()) j["place"] = f.place;
    }
    j["start"] = IsoDateText(f.start);
    if (f.end) j["end"] = IsoDateText(*f.end);
    if (f.days) j["days"] = *f.days;
    j["time"] = f.midnight ? "midnight" : "noon";
    j["centre"] = f.heliocentric ? "heliocentric" : "geocentric";
    j["zodiac"] = ZodiacWord(f.zodiac);
    j["node"] = NodeWord(f.node);
    if (!f.bodies.empty()) j["bodies"] = f.bodies;
    if (!f.kinds.empty()) j["kinds"] = f.kinds;
    if (f.timeZone != "UT") j["time_zone"] = f.timeZone;
    if (f.voidOfCourse != VoidOfCourseRule::Off)
        j["void_of_course"] =
            f.voidOfCourse == VoidOfCourseRule::SunToSaturn ? "traditional" : "all";
    return j.dump();
}

}  // namespace novarel::exports

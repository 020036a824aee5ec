#include "core/zone_names.h"

#include <date/tz.h>

#include <algorithm>
#include <exception>

namespace novarel {

std::vector<std::string> ZoneNames() {
    std::vector<std::string> names;
    try {
        for (const date::time_zone& zone : date::get_tzdb().zones) names.push_back(zone.name());
    } catch (const std::exception&) {
        // No readable database: only Universal Time is offered.
    }
    std::sort(names.begin(), names.end());
    names.insert(names.begin(), "UT");
    return names;
}

}  // namespace novarel

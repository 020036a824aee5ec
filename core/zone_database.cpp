// The time-zone database's plain functions over date/tz.h (the OS tzdata;
// GCC 12's std::chrono has no zones). Linked into the programs that use the
// shared C++ runtime, and built as the module the command line opens.
#include "core/zone_database.h"

#include <date/tz.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <exception>
#include <string_view>

#define NOVAREL_ZONE_EXPORT __attribute__((visibility("default")))

namespace {

const date::time_zone* ZoneOf(const NovarelZone* zone) {
    return reinterpret_cast<const date::time_zone*>(zone);
}

}  // namespace

extern "C" {

NOVAREL_ZONE_EXPORT const NovarelZone* novarel_zone_find(const char* name) noexcept {
    // The system database holds links as zones of their own; looked up by
    // hand so that no exception of the library's crosses.
    try {
        const date::tzdb& db = date::get_tzdb();
        const std::string_view wanted(name);
        auto zone = std::find_if(db.zones.begin(), db.zones.end(),
                                 [&](const date::time_zone& z) { return z.name() == wanted; });
        if (zone == db.zones.end()) return nullptr;
        // The zone reads its rules on first use: a file that cannot be read
        // fails here, inside the try, and never in the calls below.
        (void)zone->get_info(date::sys_seconds{});
        return reinterpret_cast<const NovarelZone*>(&*zone);
    } catch (const std::exception&) {
        // No readable database or zone file: the name is unknown.
    }
    return nullptr;
}

NOVAREL_ZONE_EXPORT int novarel_zone_offset_at(const NovarelZone* zone, long long utSeconds,
                                               char* abbreviation, size_t size) noexcept {
    const date::sys_info info =
        ZoneOf(zone)->get_info(date::sys_seconds{std::chrono::seconds{utSeconds}});
    if (size > 0) {
        const std::size_t n = std::min(info.abbrev.size(), size - 1);
        std::memcpy(abbreviation, info.abbrev.data(), n);
        abbreviation[n] = '\0';
    }
    return static_cast<int>(info.offset.count());
}

NOVAREL_ZONE_EXPORT int novarel_zone_reading(const NovarelZone* zone, long long localSeconds,
                                             int* firstOffset, long long* jumpUtSeconds) noexcept {
    const date::local_info info =
        ZoneOf(zone)->get_info(date::local_seconds{std::chrono::seconds{localSeconds}});
    *firstOffset = static_cast<int>(info.first.offset.count());
    *jumpUtSeconds = 0;
    switch (info.result) {
        case date::local_info::nonexistent:
            *jumpUtSeconds = info.second.begin.time_since_epoch().count();
            return NOVAREL_READING_SKIPPED;
        case date::local_info::ambiguous: return NOVAREL_READING_REPEATED;
        case date::local_info::unique: break;
    }
    return NOVAREL_READING_UNIQUE;
}

}  // extern "C"

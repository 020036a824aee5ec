#pragma once
// The local days and clock changes of four zones in 2024 as Python's
// zoneinfo gives them (tests/data/core/zone_reference.txt, with the command
// that wrote it): the second implementation the zone tests compare with.
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace novarel::test {

struct ZoneReferenceDay {
    std::string zone, iso;     // "America/New_York", "2024-03-10"
    std::int64_t start = 0;    // UT seconds since 1970 of local midnight
    std::int64_t length = 0;   // seconds to the next local midnight
    int offset = 0;            // seconds, at the day's middle
    std::string abbreviation;  // at the day's middle
};

struct ZoneReferenceChange {
    std::string zone;
    std::int64_t at = 0;  // UT seconds since 1970
    int before = 0, after = 0;
    std::string abbreviation;  // from the change on
};

struct ZoneReference {
    std::vector<ZoneReferenceDay> days;
    std::vector<ZoneReferenceChange> changes;
};

inline ZoneReference ReadZoneReference() {
    ZoneReference reference;
    std::ifstream in(std::string(NOVAREL_TEST_DATA) + "/core/zone_reference.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "day") {
            ZoneReferenceDay& d = reference.days.emplace_back();
            fields >> d.zone >> d.iso >> d.start >> d.length >> d.offset >> d.abbreviation;
        } else if (kind == "change") {
            ZoneReferenceChange& c = reference.changes.emplace_back();
            fields >> c.zone >> c.at >> c.before >> c.after >> c.abbreviation;
        }
    }
    return reference;
}

}  // namespace novarel::test

#pragma once
// The runs' records as CSV (RFC 4180, header row), JSON (one document: the
// request, then the records) or iCalendar. A range is written as one stream:
// the head once, each period's records in order, the tail once.
#include <optional>
#include <string>
#include <vector>

#include "aspectarian/aspect_event.h"
#include "core/ephemeris_record.h"
#include "core/locale_names.h"
#include "core/time_zone.h"

namespace novarel::exports {

enum class ExportFormat { Text, Csv, Json, Ics };

struct ExportChoices {
    ExportFormat format = ExportFormat::Text;
    bool aspectarian = false;
    bool transits = false;  // the transits' records (the aspectarian's otherwise)
    bool heliocentric = false;
    bool raInHms = true;
    std::vector<int> bodies;       // BodyIndex values kept; empty: all
    std::vector<EventKind> kinds;  // kinds kept; empty: all
    std::string requestJson;       // the "request" object of the JSON document
    // The run lists the void-of-course Moon: its records say where the
    // period ends, and the CSV header gains those columns.
    bool voidOfCourse = false;
    // 0h UT of the first day of the range and of the period being written:
    // a later period of a range leaves out the void-of-course Moon that
    // began before it, which the period before it wrote.
    // The clock of the dates and times; with a zone the records also give
    // the local time and UTC offset of their moment (iCalendar keeps UTC).
    TimeZone zone;
    double rangeStartJD = 0;
    double periodStartJD = 0;
};

// Body names as --bodies takes them: sun (earth when heliocentric), moon,
// mercury .. pluto, node, then chiron .. vesta, lilith. 0 for an unknown name.
int BodyNamed(const std::string& name);
std::string BodyName(int body, bool heliocentric);

// The kind of event of a word as the records give it (KindName); none for
// another word.
std::optional<EventKind> KindNamed(const std::string& name);

// What comes before the first period's records and after the last's.
std::string ExportHead(const ExportChoices& choices);
std::string ExportTail(const ExportChoices& choices);

// One period's records, each ending with its line end. JSON records are
// separated by "," + LF: JoinPeriod adds the separator between periods.
std::string EphemerisRecords(const std::vector<EphemerisDayRecord>& days,
                             const ExportChoices& choices);
std::string EventRecords(const std::vector<AspectEvent>& events, const ExportChoices& choices);

// The single-byte glyph text as UTF-8, one code point per byte (no column
// adjustment): the cells and lines quoted in the records.
std::string GlyphTextUtf8(std::string_view text);

// The Data window's text as UTF-8, with the days and months in the
// locale's own letters, which the single-byte text may lack.
std::string DataTextUtf8(const std::string& text, const LocaleNames& shown);

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view text);

}  // namespace novarel::exports

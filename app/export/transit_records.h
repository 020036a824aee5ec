#pragma once
// The transits as records: one per event, CSV (with a header row), JSON or
// iCalendar, each with the natal point, its natal longitude, the transiting
// body and its place at the exact moment, the aspect and the direction.
#include <string>

#include "app/export/export_records.h"
#include "transits/transits_state.h"

namespace novarel::exports {

std::string TransitCsvHead(const ExportChoices& choices);

// One period's records, as EventRecords writes the aspectarian's.
std::string TransitRecords(const TransitsState& transits, const ExportChoices& choices);

// "sun", "ascendant", "midheaven": a natal point as the records name it.
std::string NatalPointWord(const NatalPoint& point);

}  // namespace novarel::exports

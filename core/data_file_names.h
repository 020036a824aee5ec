#pragma once
// Names of the generators' data files: start-date stem, coordinate code, and
// an extension from the zodiac and the centre ("180503LO.TEG").
#include <cstdint>
#include <string>

#include "core/calc_request.h"

namespace novarel {

// Six digits of the start date text in the date order's pattern (yymmdd,
// ddmmyy or mmddyy). A typed date that is not on the calendar (31 February)
// keeps its typed numbers.
std::string DataFileStem(const std::string& startDateText, std::int16_t dateOrder);

// ".TEG", ".SEH", ".AEG", ...: zodiac letter, "E", centre letter.
std::string DataFileExtension(const CalcRequest& request);

// programDirectory/stem + code + extension; code is "LO", "LA", "RA", "DE" or "AS".
std::string DataFilePath(const std::string& programDirectory, const std::string& startDateText,
                         std::int16_t dateOrder, const CalcRequest& request,
                         const std::string& code);

}  // namespace novarel

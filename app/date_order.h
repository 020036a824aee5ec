#pragma once
// The regional date order: 0 month-day-year, 1 day-month-year, 2 year-month-day.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/seams.h"

namespace novarel {

// The last "iDate=" line of an ini text (key case ignored), as its leading
// number; nullopt when there is none.
std::optional<std::int16_t> DateOrderFromIni(std::string_view text);

// The order of %d, %m and %y in a strftime date format ("%d/%m/%Y" gives 1).
std::int16_t DateOrderFromFormat(std::string_view format);

// The ini file when a path is given and it has an iDate line, else the
// LC_TIME locale's date format. Failures fall back silently.
std::int16_t DetectDateOrder(const std::string& iniPath);

// An ini file larger than MaxTextFileBytes is not read: says so, by name.
void ReportIniTooLarge(const std::string& iniPath, MessageSink& messages);

}  // namespace novarel

#pragma once
// Weekday and month names for table titles, in single-byte text.
#include <array>
#include <string>

namespace novarel {

struct LocaleNames {
    std::array<std::string, 7> weekday;       // Sunday first
    std::array<std::string, 12> monthAbbrev;  // always three characters wide

    // English names, as the "C" locale gives them.
    static LocaleNames English();
    // Names of the process's LC_TIME locale (after setlocale(LC_TIME, "")),
    // converted to Windows-1252; characters it lacks become '?'.
    static LocaleNames FromCurrentLocale();
};

// UTF-8 text to Windows-1252; characters without a code become '?'.
std::string Utf8ToCp1252(const std::string& utf8);

}  // namespace novarel

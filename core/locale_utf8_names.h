#pragma once
// The LC_TIME locale's weekday and month names as UTF-8, for UTF-8 output,
// where every script can be written (the single-byte tables cannot hold
// Japanese, Russian or Greek letters).
#include <array>
#include <string>

#include "core/locale_names.h"

namespace novarel {

struct Utf8LocaleNames {
    std::array<std::string, 7> weekday;       // Sunday first
    std::array<std::string, 12> monthAbbrev;  // three display cells wide
};

// The names of the process's LC_TIME locale; a name the locale lacks is the
// English one. Month abbreviations lose a final "." and blanks, and are cut
// or padded to three display cells.
Utf8LocaleNames Utf8NamesFromCurrentLocale();

// The names as they stand in single-byte text, rendered in UTF-8.
Utf8LocaleNames Utf8Rendering(const LocaleNames& names);

// UTF-8 text with each name of `shown` (the names the single-byte text was
// made with, rendered as UTF-8) replaced by the locale's own, as whole words.
std::string WithOwnNames(std::string text, const Utf8LocaleNames& shown,
                         const Utf8LocaleNames& own);

// The text cut or padded with blanks to the given display cells.
std::string FitToCells(const std::string& utf8, int cells);

}  // namespace novarel

#pragma once
// The main window's title: the prefix and the running date and time.
#include <ctime>
#include <string>

#include "core/locale_names.h"

namespace novarel {

// TitlePrefix + "dd mmm yyyy" + five blanks + "HH:MM:SS" (24-hour clock).
// The month is the locale's abbreviated name.
std::string TitleClockText(const std::tm& now, const LocaleNames& names);

}  // namespace novarel

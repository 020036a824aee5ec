#include "app/title_clock.h"

#include <fmt/format.h>

#include "core/julian_day.h"
#include "output/data_buffer.h"

namespace novarel {

std::string TitleClockText(const std::tm& now, const LocaleNames& names) {
    const CivilDate date{now.tm_year + 1900, now.tm_mon + 1, now.tm_mday};
    return std::string(TitlePrefix) + FormatDate(date, "dd mmm yyyy", names) + "     " +
           fmt::format("{:02}:{:02}:{:02}", now.tm_hour, now.tm_min, now.tm_sec);
}

}  // namespace novarel

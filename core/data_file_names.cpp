#include "core/data_file_names.h"

#include "core/julian_day.h"

namespace novarel {

std::string DataFileStem(const std::string& startDateText, std::int16_t dateOrder) {
    CivilDate date;
    if (!ParseDateText(startDateText, dateOrder, date)) return "000000";
    return FormatDate(date, StemPattern(dateOrder), LocaleNames::English());
}

std::string DataFileExtension(const CalcRequest& request) {
    const char zodiac = request.optSidereal() ? 'S' : request.optAyanamsa() ? 'A' : 'T';
    return std::string(".") + zodiac + "E" + (request.optGeo() ? "G" : "H");
}

std::string DataFilePath(const std::string& programDirectory, const std::string& startDateText,
                         std::int16_t dateOrder, const CalcRequest& request,
                         const std::string& code) {
    return programDirectory + "/" + DataFileStem(startDateText, dateOrder) + code +
           DataFileExtension(request);
}

}  // namespace novarel

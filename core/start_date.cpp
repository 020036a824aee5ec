#include "core/start_date.h"

#include <cmath>

#include "core/date_order.h"
#include "core/fixed_format.h"
#include "core/julian_day.h"
#include "core/messages.h"

namespace novarel {

void ReportInputError(RunState& state, MessageSink& messages) {
    state.InputError = 1;
    messages.showMessage(msg::InputError, msg::TitleWarning, MessageIcon::Information);
}

void ValidateDateInput(const CalcRequest& request, RunState& state, MessageSink& messages) {
    if (request.startDate) return;
    const double month = LeadingNumber(request.txtMonth);
    const double day = LeadingNumber(request.txtDay);
    const double year = LeadingNumber(request.txtYear);
    if (month == 0 || day == 0 || year == 0) ReportInputError(state, messages);
    if (request.txtMonth.empty() || request.txtDay.empty() || request.txtYear.empty())
        ReportInputError(state, messages);
    // A negative month or day (pasted, or from the command line) is no date either.
    if (month > 12 || day > 31 || year > 2100 || year < 1800 || month < 0 || day < 0)
        ReportInputError(state, messages);
}

std::optional<DateBox> FirstWrongDateBox(const CalcRequest& request) {
    if (request.startDate) return std::nullopt;
    auto wrong = [](const std::string& text, double low, double high) {
        const double value = LeadingNumber(text);
        return text.empty() || value == 0 || value < low || value > high;
    };
    if (wrong(request.txtMonth, 0, 12)) return DateBox::Month;
    if (wrong(request.txtDay, 0, 31)) return DateBox::Day;
    if (wrong(request.txtYear, 1800, 2100)) return DateBox::Year;
    return std::nullopt;
}

namespace {
std::string ZodiacLabelFor(const CalcRequest& request) {
    if (request.optSidereal()) return "Sidereal ";
    if (request.optAyanamsa()) return "Ayanamsa ";
    return "Tropical ";
}
}  // namespace

void ReadStartDate(CalcRequest& request, RunState& state) {
    state.ZodiacLabel = ZodiacLabelFor(request);
    if (request.chkFullMonth) request.txtDay = "1";
    std::int16_t day = 0, year = 0, month = 0;
    if (request.startDate) {
        day = static_cast<std::int16_t>(request.chkFullMonth ? 1 : request.startDate->day);
        month = static_cast<std::int16_t>(request.startDate->month);
        year = static_cast<std::int16_t>(request.startDate->year);
    } else {
        ToInt16(LeadingNumber(request.txtDay), day);
        ToInt16(LeadingNumber(request.txtYear), year);
        ToInt16(LeadingNumber(request.txtMonth), month);
    }

    state.DateText = ArrangeDate(DateOrderOf(state.DateOrder), request.txtDay, request.txtMonth,
                                 request.txtYear, "/");
    state.StartDateText = state.DateText;

    state.TimeOfDayWord = request.optNoon() ? "noon" : "midnight";
    state.DayJD = CalendarToJulianDay(year, month, day);
    state.StartJD = state.DayJD;
    state.AspectarianDateText = state.DateText;
    if (request.optMidnight()) state.StartJD -= 0.5;
}

void SetDayFraction(RunState& state) { state.DayFraction = state.NoonFlag == 1 ? 0.5 : 0.0; }

void JulianDayToDateText(RunState& state) {
    state.DateText = CivilToDateText(JulianDayToCivil(state.DateJD), state.DateOrder);
}

std::string PadLeft3(const std::string& text) {
    const double v = LeadingNumber(text);
    if (v < 10) return "  " + text;
    if (v < 100) return " " + text;
    return text;
}

void ShowProgress(ProgressSink& progress, int done, int total) {
    float percent = static_cast<float>(done) / static_cast<float>(total) * 100.0f;
    if (percent > 100.0f) percent = 100.0f;
    progress.fillProgress(percent);
}

}  // namespace novarel

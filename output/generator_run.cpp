#include "output/generator_run.h"

#include <algorithm>

#include "core/julian_day.h"
#include "core/library_check.h"
#include "core/messages.h"
#include "core/start_date.h"
#include "core/swe_library.h"
#include "output/data_buffer.h"

namespace novarel {

bool BeginGeneratorRun(RunContext& ctx) {
    ctx.state.InputError = 0;
    ValidateDateInput(ctx.request, ctx.state, ctx.messages);
    if (ctx.state.InputError == 1) return false;
    ctx.buffer.ClearPage();
    ctx.progress.setBusy(true);
    ctx.windows.runStarted();
    ReadStartDate(ctx.request, ctx.state);
    return true;
}

int LastDayOfRun(CalcRequest& request) {
    if (request.chkFullMonth) {
        request.NumberOfDays = 31;
        return 31;
    }
    return std::min<int>(request.NumberOfDays - 1, MaxDayIndex);
}

void ChooseExtraBodies(RunContext& ctx) {
    const ExtraBodyChoice extra = ctx.options.ExtraBodies();
    ctx.request.extraBodies = extra != ExtraBodyChoice::Off;
    ctx.request.lilith =
        extra == ExtraBodyChoice::OsculatingLilith ? LilithKind::Osculating : LilithKind::Mean;
    if (ctx.request.extraBodies) CheckAsteroidFile(EphemerisPathFor(ctx.programDirectory));
}

std::string RunTitleLine(const RunState& state, const CalcRequest& request,
                         const LocaleNames& names, std::string_view kind) {
    const CivilDate start = JulianDayToCivil(state.DayJD);
    return "  " + state.ZodiacLabel + std::string(kind) + " - " + FormatDate(start, "dddd", names) +
           ", " + FormatDate(start, "dd mmm yyyy", names) + " at " + state.TimeOfDayWord +
           (request.timeZone == "UT" ? ", Greenwich" : "");
}

std::optional<TimeZone> FindRunZone(RunContext& ctx) {
    std::optional<TimeZone> zone = TimeZone::Find(ctx.request.timeZone);
    if (!zone)
        ctx.messages.showMessage("The time zone " + ctx.request.timeZone + " is not known.",
                                 msg::TitleWarning, MessageIcon::Information);
    return zone;
}

}  // namespace novarel

#include "aspectarian/aspectarian_generator.h"

#include <algorithm>

#include "aspectarian/day_events.h"
#include "aspectarian/hourly_sampling.h"
#include "aspectarian/report_layout.h"
#include "core/angle_format.h"
#include "core/data_file_names.h"
#include "core/fixed_format.h"
#include "core/julian_day.h"
#include "core/messages.h"
#include "core/position_service.h"
#include "core/replacement_file.h"
#include "core/start_date.h"
#include "output/data_buffer.h"
#include "output/generator_run.h"
#include "output/library_reports.h"

namespace novarel {
namespace {

std::vector<std::string> TitleLines(const RunContext& ctx) {
    const RunState& s = ctx.state;
    std::vector<std::string> lines(6);
    lines[1] = RunTitleLine(s, ctx.names, "Aspectarian");
    lines[2] =
        std::string(11, ' ') +
        (ctx.request.optHelio() ? "heliocentric  Julian Day = " : "geocentric    Julian Day = ") +
        FormatFixed(s.StartJD, 1, 1);
    lines[4] = "  Day      h  m";
    lines[5] = "  -------------";
    return lines;
}

}  // namespace

// The run itself; a library failure leaves it as a LibraryError.
static RunOutcome RunAspectarianDays(RunContext& ctx, AspectarianState& asp) {
    RunState& s = ctx.state;
    CalcRequest& request = ctx.request;
    if (!BeginGeneratorRun(ctx)) return RunOutcome::InvalidInput;

    int lastDay = std::min<int>(request.NumberOfDays - 1, MaxDayIndex);
    if (request.chkFullMonth) {
        lastDay = 31;
        request.NumberOfDays = 31;
    }
    const double base = s.DayJD - 0.5;  // 0h UT of the start day
    s.DayFraction = 0;
    ctx.progress.loadProgress();

    asp.ReportLines = TitleLines(ctx);
    asp.StationRecords.clear();
    asp.StationCount = 0;

    DaySearch search;
    search.heliocentric = request.optHelio();
    search.moonChangeOnly = request.chkMoonChange;
    search.noMoonIngress = request.optNoDisplay();
    search.cardinalMoonIngressOnly = ctx.options[12] != 0;
    EclipseSearch eclipses(ctx.library);
    if (request.optGeo()) search.eclipses = &eclipses;

    for (int d = 0; d <= lastDay; ++d) {
        if (lastDay > 0) ShowProgress(ctx.progress, d, lastDay);
        s.DayJD = base + d;
        s.DateJD = s.DayJD;
        JulianDayToDateText(s);
        const CivilDate date = JulianDayToCivil(s.DateJD);
        if (request.chkFullMonth && d > 27 && date.day == 1) break;

        for (int sample = 0; sample < SamplesPerDay; ++sample) {
            const double jd = base + d + sample / 24.0;
            s.RowJD = jd;
            const Nutation nutation = ComputeNutation(CenturiesOf(jd, s.DayFraction), ctx.options);
            s.SiderealPoint = nutation.SiderealPoint;
            s.TrueAyanamsa = nutation.TrueAyanamsa;
            if (d == 0 && sample == 0 && request.optGeo())
                SetInitialDirections(jd, request, ctx.library, s.positions, asp);
            else
                ComputePositions(jd, request, ctx.library, s.positions);
            if (d == 0 && sample == 0) asp.ReportLines[1] += SiderealPointText(nutation);
            StoreSample(sample, request, s.positions, asp);
        }

        search.dayLabel = FormatDate(date, "dd mmm", ctx.names);
        search.dateText = s.DateText;
        search.dayJD = s.DayJD;
        search.lastSampleCenturies = CenturiesOf(base + d + 1, s.DayFraction);
        FindDayEvents(search, asp);
        SortEventLinesByTime(asp.EventLines);
        BlankRepeatedDates(asp.EventLines);
        for (auto& line : asp.EventLines) asp.ReportLines.push_back(std::move(line));
        asp.EventLines.clear();
        asp.ReportLines.emplace_back();
    }
    ctx.progress.unloadProgress();

    RunOutcome outcome = RunOutcome::Completed;
    if (request.chkSaveData) {
        const std::string path =
            DataFilePath(ctx.programDirectory, s.AspectarianDateText, s.DateOrder, request, "AS");
        std::string text;
        for (const auto& line : asp.ReportLines) text += line + "\r\n";
        if (!WriteRunDataFile(path, text)) {
            ctx.messages.showMessage("The data file " + path +
                                         " cannot be written. The aspectarian is shown without it.",
                                     msg::TitleWarning, MessageIcon::Exclamation);
            outcome = RunOutcome::Failed;
        }
    }

    ctx.buffer.ClearPage();
    std::vector<std::string> twoColumns;
    if (ctx.options[5] != 0) twoColumns = TwoColumnLines(asp.ReportLines);
    for (const auto& line : ctx.options[5] != 0 ? twoColumns : asp.ReportLines) {
        ctx.buffer.CurrentLine = line;
        ctx.buffer.AppendLine();
    }
    ctx.buffer.ShowPage();
    ctx.windows.runFinished();
    ctx.progress.setBusy(false);
    return outcome;
}

RunOutcome GenerateAspectarian(RunContext& ctx, AspectarianState& asp) {
    return WithLibraryChecks(ctx, [&] { return RunAspectarianDays(ctx, asp); });
}

}  // namespace novarel

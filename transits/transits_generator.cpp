#include "transits/transits_generator.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "aspectarian/local_days.h"
#include "core/angle_format.h"
#include "core/data_file_names.h"
#include "core/julian_day.h"
#include "core/messages.h"
#include "core/replacement_file.h"
#include "core/start_date.h"
#include "natal/chart_file.h"
#include "output/data_buffer.h"
#include "output/generator_run.h"
#include "output/library_reports.h"
#include "transits/transit_lines.h"

namespace novarel {
namespace {

// The local dates of the run and the UT moment each begins, then the moment
// the day after the last begins.
struct RunDays {
    double firstDate = 0;  // 0h of the first date
    std::vector<CivilDate> dates;
    std::vector<double> starts;
};

RunDays DaysOfRun(RunContext& ctx, const TimeZone& zone) {
    const RunState& s = ctx.state;
    const int lastDay = LastDayOfRun(ctx.request);
    const double firstDate = s.DayJD - 0.5;
    RunDays days;
    days.firstDate = firstDate;
    for (int d = 0; d <= lastDay; ++d) {
        const CivilDate date = JulianDayToCivil(firstDate + d + 0.5);
        if (ctx.request.chkFullMonth && d > 27 && date.day == 1) break;
        days.dates.push_back(date);
        days.starts.push_back(zone.DayStart(date));
    }
    days.starts.push_back(
        zone.DayStart(JulianDayToCivil(firstDate + static_cast<double>(days.dates.size()) + 0.5)));
    return days;
}

bool SaveReport(RunContext& ctx, const TransitsState& transits) {
    const RunState& s = ctx.state;
    const std::string path =
        DataFilePath(ctx.programDirectory, s.AspectarianDateText, s.DateOrder, ctx.request, "TR");
    std::string text;
    for (const auto& line : transits.ReportLines) text += line + "\r\n";
    const SetCommit commit = WriteRunDataFile(path, text, RunLockWait(ctx.progress));
    if (commit.replaced()) return true;
    const std::string why = commit.folderProblem.empty() ? "" : ": " + commit.folderProblem;
    ctx.messages.showMessage("The data file " + path + " cannot be written" + why +
                                 ". The transits are shown without it.",
                             msg::TitleWarning, MessageIcon::Exclamation);
    return false;
}

RunOutcome FinishRun(RunContext& ctx, const TransitsState& transits) {
    const RunOutcome outcome = ctx.request.chkSaveData && !SaveReport(ctx, transits)
                                   ? RunOutcome::Failed
                                   : RunOutcome::Completed;
    ctx.buffer.ClearPage();
    for (const auto& line : transits.ReportLines) {
        ctx.buffer.CurrentLine = line;
        ctx.buffer.AppendLine();
    }
    ctx.buffer.ShowPage();
    ctx.windows.runFinished();
    ctx.progress.setBusy(false);
    return outcome;
}

RunOutcome RunTransitDays(RunContext& ctx, TransitsState& transits, const NatalChart& chart,
                          const TimeZone& zone) {
    if (!BeginGeneratorRun(ctx)) return RunOutcome::InvalidInput;
    ChooseExtraBodies(ctx);
    // Transits are seen from the Earth whatever the centre of the request.
    CalcRequest request = ctx.request;
    request.coordinates = Centre::Geo;
    RunState& s = ctx.state;
    s.DayFraction = 0;
    try {
        transits.natal = ComputeNatalPoints(chart, request, ctx.library);
    } catch (const std::invalid_argument& problem) {
        ctx.messages.showMessage(problem.what(), msg::TitleWarning, MessageIcon::Exclamation);
        ctx.progress.setBusy(false);
        return RunOutcome::InvalidInput;
    }
    transits.chart = chart;
    if (transits.natal.fromAnalyticEphemeris) s.positions.fromAnalyticEphemeris = true;

    const RunDays days = DaysOfRun(ctx, zone);
    const double spanStart = days.starts.front(), spanEnd = days.starts.back();
    transits.ReportLines =
        TransitTitleLines(s, chart, transits.natal, zone, spanStart, spanEnd, ctx.names);
    if (request.zodiac != Zodiac::Tropical) {
        const Nutation nutation = ComputeNutation(CenturiesOf(spanStart, 0), ctx.options);
        transits.ReportLines[1] += SiderealPointText(nutation);
    }
    transits.Events.clear();
    transits.samples.StationRecords.clear();
    transits.samples.StationCount = 0;

    const MinorAspectSet minor = request.minorAspects.value_or(ctx.options.MinorAspects());
    TransitSearch search(request, ctx.library, transits.natal.points, minor, transits.samples,
                         s.positions.fromAnalyticEphemeris);
    std::vector<TransitEvent> found;
    const double firstUT = std::floor(spanStart + 0.5) - 0.5;
    const double lastUT = std::floor(spanEnd - 1.0 / 86400 + 0.5) - 0.5;
    const int utDays = static_cast<int>(std::lround(lastUT - firstUT));
    ctx.progress.loadProgress();
    for (int d = 0; d <= utDays; ++d) {
        if (utDays > 0) ShowProgress(ctx.progress, d, utDays);
        search.SearchDay(firstUT + d, found);
    }
    ctx.progress.unloadProgress();
    // Stations seen in the hours beyond the local days are not the run's.
    std::erase_if(transits.samples.StationRecords, [&](const StationRecord& r) {
        return r.hourJD < spanStart || r.hourJD >= spanEnd;
    });
    transits.samples.StationCount =
        static_cast<std::int16_t>(transits.samples.StationRecords.size());
    std::stable_sort(found.begin(), found.end(), [](const TransitEvent& a, const TransitEvent& b) {
        return ShownMoment(a.event) < ShownMoment(b.event);
    });

    auto next = std::lower_bound(
        found.begin(), found.end(), spanStart,
        [](const TransitEvent& e, double jd) { return ShownMoment(e.event) < jd; });
    for (std::size_t day = 0; day < days.dates.size(); ++day) {
        const std::string label = FormatDate(days.dates[day], "dd mmm", ctx.names);
        bool first = true;
        for (; next != found.end() && ShownMoment(next->event) < days.starts[day + 1]; ++next) {
            TransitEvent local = *next;
            local.event = OnLocalClock(next->event, zone);
            std::string line = TransitLineText(local, transits.natal, first ? label : "      ");
            const double moment = ShownMoment(next->event);
            if (zone.ClockRepeats(moment)) line += " (" + zone.At(moment).abbreviation + ")";
            transits.Events.push_back(local);
            transits.ReportLines.push_back(std::move(line));
            first = false;
        }
        if (!first) transits.ReportLines.emplace_back();
    }
    // The run ends on its last day, as the aspectarian's does: the Data
    // window's steps count from there.
    s.DayJD = days.firstDate + static_cast<double>(days.dates.size()) - 1;
    s.DateJD = s.DayJD;
    JulianDayToDateText(s);
    return FinishRun(ctx, transits);
}

}  // namespace

std::optional<NatalChart> ChartOfRun(const TransitsState& transits, const CalcRequest& request,
                                     const std::string& chartFile, MessageSink& messages,
                                     RunOutcome& outcome) {
    if (transits.givenChart) return transits.givenChart;
    const auto refuse = [&](const std::string& text, RunOutcome why) {
        messages.showMessage(text, msg::TitleWarning, MessageIcon::Exclamation);
        outcome = why;
        return std::nullopt;
    };
    if (request.natalChart.empty())
        return refuse("No natal chart is chosen: choose one under Charts > Natal charts.",
                      RunOutcome::InvalidInput);
    const ChartList list = ReadChartFile(chartFile);
    if (!list.error.empty())
        return refuse("The natal charts cannot be read: " + list.error, RunOutcome::Failed);
    std::optional<NatalChart> chart = FindChart(list, request.natalChart);
    if (!chart)
        return refuse(
            "There is no natal chart named \"" + request.natalChart + "\" in " + chartFile + ".",
            RunOutcome::InvalidInput);
    return chart;
}

RunOutcome GenerateTransits(RunContext& ctx, TransitsState& transits, const NatalChart& chart) {
    const std::optional<TimeZone> zone = FindRunZone(ctx);
    if (!zone) return RunOutcome::InvalidInput;
    return WithLibraryChecks(ctx, [&] { return RunTransitDays(ctx, transits, chart, *zone); });
}

}  // namespace novarel

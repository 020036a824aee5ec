#include "aspectarian/aspectarian_generator.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "aspectarian/day_events.h"
#include "aspectarian/hourly_sampling.h"
#include "aspectarian/local_days.h"
#include "aspectarian/report_layout.h"
#include "aspectarian/void_of_course.h"
#include "core/angle_format.h"
#include "core/data_file_names.h"
#include "core/fixed_format.h"
#include "core/julian_day.h"
#include "core/messages.h"
#include "core/position_service.h"
#include "core/replacement_file.h"
#include "core/start_date.h"
#include "core/time_zone.h"
#include "output/data_buffer.h"
#include "output/generator_run.h"
#include "output/library_reports.h"

namespace novarel {
namespace {

std::vector<std::string> TitleLines(const RunContext& ctx) {
    const RunState& s = ctx.state;
    std::vector<std::string> lines(6);
    lines[1] = RunTitleLine(s, ctx.request, ctx.names, "Aspectarian");
    lines[2] =
        std::string(11, ' ') +
        (ctx.request.optHelio() ? "heliocentric  Julian Day = " : "geocentric    Julian Day = ") +
        FormatFixed(s.StartJD, 1, 1);
    lines[4] = "  Day      h  m";
    lines[5] = "  -------------";
    return lines;
}

// The day search of a run with the choices of its request and options, and
// the eclipse search and event places it refers to.
struct RunSearch {
    explicit RunSearch(RunContext& ctx)
        : eclipses(ctx.library),
          places(ctx.request, ctx.library, ctx.state.positions.fromAnalyticEphemeris) {
        search.heliocentric = ctx.request.optHelio();
        search.moonChangeOnly = ctx.request.chkMoonChange;
        search.noMoonIngress = ctx.request.optNoDisplay();
        search.cardinalMoonIngressOnly = ctx.options.CardinalMoonIngressOnly();
        search.minorAspects = ctx.request.minorAspects.value_or(ctx.options.MinorAspects());
        search.lastBody = ctx.request.lastBody();
        if (ctx.request.optGeo()) search.eclipses = &eclipses;
        search.places = &places;
    }
    RunSearch(const RunSearch&) = delete;
    RunSearch& operator=(const RunSearch&) = delete;

    EclipseSearch eclipses;
    EventPlaces places;
    DaySearch search;
};

// The 25 hourly samples of the day from 0h UT dayStart into the hourly
// tables (after the first day, the first is the last of the day before); the
// run's first sample also sets the direction flags and the sidereal point of
// the title.
void SampleDay(RunContext& ctx, AspectarianState& asp, double dayStart, bool firstDay) {
    RunState& s = ctx.state;
    const CalcRequest& request = ctx.request;
    if (!firstDay) CarryLastSample(asp);
    for (int sample = firstDay ? 0 : 1; sample < SamplesPerDay; ++sample) {
        const double jd = dayStart + sample / 24.0;
        s.RowJD = jd;
        const Nutation nutation = ComputeNutation(CenturiesOf(jd, s.DayFraction), ctx.options);
        s.SiderealPoint = nutation.SiderealPoint;
        s.TrueAyanamsa = nutation.TrueAyanamsa;
        const bool first = firstDay && sample == 0;
        if (first && request.optGeo())
            SetInitialDirections(jd, request, ctx.library, s.positions, asp);
        else
            ComputePositions(jd, request, ctx.library, s.positions);
        if (first) asp.ReportLines[1] += SiderealPointText(nutation);
        StoreSample(sample, request, s.positions, asp);
    }
}

// The void-of-course periods of a run and the names its lines give days.
struct VoidLines {
    std::vector<VoidPeriod> periods;
    const LocaleNames* names = nullptr;

    std::string DayLabel(double dayJD) const {
        return FormatDate(JulianDayToCivil(dayJD), "dd mmm", *names);
    }
    std::string LineOf(const AspectEvent& e) const {
        return EventLineText(e, DayLabel(e.dayJD),
                             EndsOnLaterDay(e) ? DayLabel(RoundedToMinute(e.end).dayJD) : "");
    }
};

// The periods of the run, by the rule chosen; none in a heliocentric run,
// which has no Moon.
VoidLines RunVoidPeriods(const RunContext& ctx, EventPlaces& places, double from, double to) {
    VoidLines lines;
    lines.names = &ctx.names;
    const VoidOfCourseRule rule = ctx.options.VoidOfCourse();
    if (rule == VoidOfCourseRule::Off || !ctx.request.optGeo()) return lines;
    VoidOfCourseSearch search(places, rule == VoidOfCourseRule::SunToSaturn ? Saturn : Pluto);
    lines.periods = search.Periods(from, to);
    return lines;
}

// The day's events, sorted by time, and a blank line after them. A void-of-
// course Moon is listed at its start; one that began before the run heads
// the first day with its own date.
void AddDayBlock(const DaySearch& search, const VoidLines& voids, bool firstDay,
                 AspectarianState& asp) {
    FindDayEvents(search, asp);
    std::vector<AspectEvent> before;
    for (const VoidPeriod& period : voids.periods) {
        const AspectEvent e = VoidEvent(period);
        if (firstDay && e.dayJD < search.dayJD - 0.5) {
            before.push_back(e);
        } else if (std::abs(e.dayJD - search.dayJD) < 0.5) {
            asp.DayEvents.push_back(e);
            asp.EventLines.push_back(voids.LineOf(e));
        }
    }
    SortEventsByTime(asp.EventLines, asp.DayEvents);
    BlankRepeatedDates(asp.EventLines);
    for (const AspectEvent& e : before) {
        asp.DayEvents.insert(asp.DayEvents.begin(), e);
        asp.EventLines.insert(asp.EventLines.begin(), voids.LineOf(e));
    }
    asp.Events.insert(asp.Events.end(), asp.DayEvents.begin(), asp.DayEvents.end());
    for (auto& line : asp.EventLines) asp.ReportLines.push_back(std::move(line));
    asp.EventLines.clear();
    asp.ReportLines.emplace_back();
}

// The report as the AS data file; false, after the warning, when it cannot
// be written.
bool SaveReport(RunContext& ctx, const AspectarianState& asp) {
    const RunState& s = ctx.state;
    const std::string path =
        DataFilePath(ctx.programDirectory, s.AspectarianDateText, s.DateOrder, ctx.request, "AS");
    std::string text;
    for (const auto& line : asp.ReportLines) text += line + "\r\n";
    const SetCommit commit = WriteRunDataFile(path, text, RunLockWait(ctx.progress));
    if (commit.replaced()) return true;
    // The file is one rename: a failure leaves the earlier file as it was.
    const std::string why = commit.folderProblem.empty() ? "" : ": " + commit.folderProblem;
    ctx.messages.showMessage("The data file " + path + " cannot be written" + why +
                                 ". The aspectarian is shown without it.",
                             msg::TitleWarning, MessageIcon::Exclamation);
    return false;
}

void ShowReport(RunContext& ctx, const AspectarianState& asp) {
    ctx.buffer.ClearPage();
    const bool twoColumn = ctx.options.TwoColumnAspectarian();
    std::vector<std::string> twoColumns;
    if (twoColumn) twoColumns = TwoColumnLines(asp.ReportLines);
    for (const auto& line : twoColumn ? twoColumns : asp.ReportLines) {
        ctx.buffer.CurrentLine = line;
        ctx.buffer.AppendLine();
    }
    ctx.buffer.ShowPage();
}

// The data file when asked for, then the page; a file that cannot be written
// makes the run a failure, shown all the same.
RunOutcome FinishRun(RunContext& ctx, const AspectarianState& asp) {
    const RunOutcome outcome = ctx.request.chkSaveData && !SaveReport(ctx, asp)
                                   ? RunOutcome::Failed
                                   : RunOutcome::Completed;
    ShowReport(ctx, asp);
    ctx.windows.runFinished();
    ctx.progress.setBusy(false);
    return outcome;
}

// A new run keeps nothing of the last one's stations and events.
void ClearRunRecords(AspectarianState& asp) {
    asp.StationRecords.clear();
    asp.StationCount = 0;
    asp.Events.clear();
}

}  // namespace

// The run itself; a library failure leaves it as a LibraryError.
static RunOutcome RunAspectarianDays(RunContext& ctx, AspectarianState& asp) {
    RunState& s = ctx.state;
    CalcRequest& request = ctx.request;
    if (!BeginGeneratorRun(ctx)) return RunOutcome::InvalidInput;
    ChooseExtraBodies(ctx);

    const int lastDay = LastDayOfRun(request);
    const double base = s.DayJD - 0.5;  // 0h UT of the start day
    s.DayFraction = 0;
    ctx.progress.loadProgress();

    asp.ReportLines = TitleLines(ctx);
    ClearRunRecords(asp);

    RunSearch run(ctx);
    DaySearch& search = run.search;
    EventPlaces& places = run.places;
    const VoidLines voids = RunVoidPeriods(ctx, places, base, base + lastDay + 1);
    for (int d = 0; d <= lastDay; ++d) {
        if (lastDay > 0) ShowProgress(ctx.progress, d, lastDay);
        s.DayJD = base + d;
        s.DateJD = s.DayJD;
        JulianDayToDateText(s);
        const CivilDate date = JulianDayToCivil(s.DateJD);
        if (request.chkFullMonth && d > 27 && date.day == 1) break;

        SampleDay(ctx, asp, base + d, d == 0);
        search.dayLabel = FormatDate(date, "dd mmm", ctx.names);
        search.dayJD = s.DayJD;
        AddDayBlock(search, voids, d == 0, asp);
    }
    ctx.progress.unloadProgress();

    return FinishRun(ctx, asp);
}

// The days of a run on a local clock, from local midnight to local midnight:
// the search runs over the whole days UT that cover them, and every event is
// then placed on its local date and clock. A clock reading that the day
// shows twice (the hour repeated when daylight saving time ends) carries the
// abbreviation of its offset.
static RunOutcome RunZonedDays(RunContext& ctx, AspectarianState& asp, const TimeZone& zone) {
    RunState& s = ctx.state;
    CalcRequest& request = ctx.request;
    if (!BeginGeneratorRun(ctx)) return RunOutcome::InvalidInput;
    ChooseExtraBodies(ctx);

    const int lastDay = LastDayOfRun(request);
    const double firstDate = s.DayJD - 0.5;  // the first local date, as 0h of its calendar day
    std::vector<double> dayStarts;           // UT start of each local date, then of the next
    std::vector<CivilDate> dates;
    for (int d = 0; d <= lastDay; ++d) {
        s.DayJD = firstDate + d;
        s.DateJD = s.DayJD;
        JulianDayToDateText(s);
        const CivilDate date = JulianDayToCivil(s.DateJD);
        if (request.chkFullMonth && d > 27 && date.day == 1) break;
        dates.push_back(date);
        dayStarts.push_back(zone.DayStart(date));
    }
    const CivilDate after = JulianDayToCivil(firstDate + static_cast<double>(dates.size()));
    dayStarts.push_back(zone.DayStart(after));
    const double spanStart = dayStarts.front();
    const double spanEnd = dayStarts.back();
    s.DayJD = firstDate;
    s.DayFraction = 0;
    ctx.progress.loadProgress();

    asp.ReportLines = TitleLines(ctx);
    asp.ReportLines[3] = std::string(11, ' ') + ZoneTitle(zone, spanStart, spanEnd);
    ClearRunRecords(asp);

    RunSearch run(ctx);
    DaySearch& search = run.search;
    EventPlaces& places = run.places;

    std::vector<AspectEvent> found;
    const double firstUT = std::floor(spanStart + 0.5) - 0.5;
    const double lastUT = std::floor(spanEnd - 1.0 / 86400 + 0.5) - 0.5;
    const int utDays = static_cast<int>(std::lround(lastUT - firstUT));
    for (int d = 0; d <= utDays; ++d) {
        if (utDays > 0) ShowProgress(ctx.progress, d, utDays);
        const double dayStart = firstUT + d;
        SampleDay(ctx, asp, dayStart, d == 0);
        search.dayLabel = FormatDate(JulianDayToCivil(dayStart), "dd mmm", ctx.names);
        search.dayJD = dayStart;
        FindDayEvents(search, asp);
        found.insert(found.end(), asp.DayEvents.begin(), asp.DayEvents.end());
    }
    // Stations the search saw in the hours beyond the local days are not the run's.
    std::erase_if(asp.StationRecords, [&](const StationRecord& r) {
        return r.hourJD < spanStart || r.hourJD >= spanEnd;
    });
    asp.StationCount = static_cast<std::int16_t>(asp.StationRecords.size());
    std::vector<AspectEvent> before;  // void-of-course Moons that began before the run
    for (const VoidPeriod& period : RunVoidPeriods(ctx, places, spanStart, spanEnd).periods) {
        AspectEvent e = VoidEvent(period);
        (e.moment < spanStart ? before : found).push_back(e);
    }
    std::stable_sort(found.begin(), found.end(), [](const AspectEvent& a, const AspectEvent& b) {
        return ShownMoment(a) < ShownMoment(b);
    });
    ctx.progress.unloadProgress();

    auto first =
        std::lower_bound(found.begin(), found.end(), spanStart,
                         [](const AspectEvent& e, double jd) { return ShownMoment(e) < jd; });
    for (std::size_t day = 0; day < dates.size(); ++day) {
        std::vector<AspectEvent> events;
        std::vector<std::string> lines;
        for (; first != found.end() && ShownMoment(*first) < dayStarts[day + 1]; ++first) {
            const AspectEvent local = OnLocalClock(*first, zone);
            std::string line = LocalEventLineText(local, zone, ctx.names);
            const double moment = ShownMoment(*first);
            if (zone.ClockRepeats(moment)) line += " (" + zone.At(moment).abbreviation + ")";
            events.push_back(local);
            lines.push_back(std::move(line));
        }
        BlankRepeatedDates(lines);
        if (day == 0) {
            for (auto e = before.rbegin(); e != before.rend(); ++e) {
                const AspectEvent local = OnLocalClock(*e, zone);
                events.insert(events.begin(), local);
                lines.insert(lines.begin(), LocalEventLineText(local, zone, ctx.names));
            }
        }
        asp.Events.insert(asp.Events.end(), events.begin(), events.end());
        for (auto& line : lines) asp.ReportLines.push_back(std::move(line));
        asp.ReportLines.emplace_back();
    }
    // The run ends on its last local date, as a run in UT does, so that More
    // steps from the day after the period (or back from its start).
    s.DayJD = firstDate + static_cast<double>(dates.size() - 1);
    s.DateJD = s.DayJD;
    JulianDayToDateText(s);

    return FinishRun(ctx, asp);
}

RunOutcome GenerateAspectarian(RunContext& ctx, AspectarianState& asp) {
    const std::optional<TimeZone> zone = FindRunZone(ctx);
    if (!zone) return RunOutcome::InvalidInput;
    if (!zone->IsUniversal())
        return WithLibraryChecks(ctx, [&] { return RunZonedDays(ctx, asp, *zone); });
    return WithLibraryChecks(ctx, [&] { return RunAspectarianDays(ctx, asp); });
}

}  // namespace novarel

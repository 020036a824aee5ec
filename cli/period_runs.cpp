#include "cli/period_runs.h"

#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/date_order.h"
#include "app/export/export_request.h"
#include "app/export/export_stream.h"
#include "app/export/transit_records.h"
#include "app/options_file.h"
#include "app/program.h"
#include "app/settings_file.h"
#include "cli/commands.h"
#include "cli/console_seams.h"
#include "cli/option_checks.h"
#include "cli/period_pool.h"
#include "cli/progress_bar.h"
#include "cli/standard_output.h"
#include "core/folder_lock.h"
#include "core/glyphs.h"
#include "core/iso_date.h"
#include "core/julian_day.h"

namespace novarel::cli {
namespace {

CivilDate LastDayOf(const Period& period) {
    const CivilDate& first = period.start;
    if (!period.days)
        return CivilDate{first.year, first.month, DaysInMonth(first.year, first.month)};
    return DaysAfter(first, *period.days - 1);
}

// 0h UT of a date.
double MidnightOf(const CivilDate& d) { return CalendarToJulianDay(d.year, d.month, d.day) - 0.5; }

// "2019-03-01 to 2019-03-31": the days of a period, for messages.
std::string PeriodDays(const Period& period) {
    return IsoDateText(period.start) + " to " + IsoDateText(LastDayOf(period));
}

// The Data window's text in the chosen encoding.
std::string OutputText(const std::string& text, TextEncoding encoding, const LocaleNames& shown) {
    return encoding == TextEncoding::Cp1252 ? text : exports::DataTextUtf8(text, shown);
}

PeriodResult RunPeriod(const CommandSetup& setup, ThreadLibrary& library, const Period& period) {
    PeriodResult result;
    PeriodRun run(setup, library, result.messages);
    result.rc = run.Run(period);
    if (result.rc == 2) return result;
    Program& program = run.program();
    ExportChoices c = setup.choices;
    c.raInHms = program.options.RightAscensionInHms();
    c.periodStartJD =
        c.zone.IsUniversal() ? MidnightOf(period.start) : c.zone.DayStart(period.start);
    if (c.format == ExportFormat::Text)
        result.output = OutputText(run.text(), setup.options.encoding, setup.names);
    else if (setup.ephemeris)
        result.output = exports::EphemerisRecords(program.state.DayRecords, c);
    else if (setup.options.transits)
        result.output = exports::TransitRecords(program.transits, c);
    else
        result.output = exports::EventRecords(program.aspectarian.Events, c);
    return result;
}

std::string RequestJson(const CommandOptions& o, bool ephemeris, const CivilDate& start,
                        VoidOfCourseRule voidOfCourse) {
    exports::RequestFacts f;
    f.command = ephemeris ? "ephemeris" : o.transits ? "transits" : "aspectarian";
    f.chart = o.chart;
    f.natal = o.natal;
    f.natalZone = o.natalZone;
    f.place = o.place;
    f.start = start;
    f.end = o.end;
    f.days = o.days;
    f.midnight = o.midnight;
    f.heliocentric = o.helio;
    f.zodiac = o.zodiac;
    f.node = o.node;
    f.bodies = o.bodies;
    f.kinds = o.kinds;
    f.timeZone = o.timeZone;
    f.voidOfCourse = voidOfCourse;
    return exports::RequestJson(f);
}

}  // namespace

void CollectedMessages::showMessage(std::string_view text, std::string_view title, MessageIcon) {
    if (text == BufferNearlyFullMessage) return;
    lines_.push_back(glyph::TextToUtf8(std::string(title) + ": " + std::string(text)));
}

void MessagesSaidOnce::say(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (said_.insert(line).second) std::fprintf(stderr, "novarel: %s\n", line.c_str());
}

CommandSetup::CommandSetup(const CommandOptions& o, bool isEphemeris, std::string folder,
                           LocaleNames localeNames)
    : options(o),
      ephemeris(isEphemeris),
      programFolder(std::move(folder)),
      names(std::move(localeNames)) {
    CollectedMessages messages(optionMessages);
    LoadOptionsAtStartup(programFolder, optionValues, messages);
    if (o.voidOfCourse)
        optionValues[19] = *o.voidOfCourse == VoidOfCourseRule::SunToSaturn ? 2.0f : 1.0f;
    if (o.extraBodies)
        optionValues[20] = *o.extraBodies == ExtraBodyChoice::OsculatingLilith ? 2.0f : 1.0f;
}

PeriodRun::PeriodRun(const CommandSetup& setup, ThreadLibrary& library,
                     std::vector<std::string>& messages)
    : setup_(setup),
      lines_(messages),
      messages_(messages),
      program_(setup.programFolder, library.view(),
               ProgramSeams{messages_, progress_, view_, windows_}, setup.names) {
    program_.InitialiseLibrary();
    program_.options = setup.optionValues;
    const CommandOptions& o = setup.options;
    program_.state.DateOrder =
        o.dateOrder ? static_cast<std::int16_t>(*o.dateOrder) : DetectDateOrder("");
    program_.dataFolder = o.outDir;
}

int PeriodRun::Run(const Period& period) {
    CommandOptions own = setup_.options;
    own.start = period.start;
    own.days = period.days;
    own.fullMonth = !period.days.has_value();
    ApplyRequestOptions(own, program_.request);
    if (setup_.ephemeris) return RunEphemerisCommand(program_, own);
    return own.transits ? RunTransitsCommand(program_, own) : RunAspectarianCommand(program_, own);
}

bool SplitIntoPeriods(const CommandOptions& o, std::vector<Period>& periods,
                      std::string& usageError) {
    periods.clear();
    const CivilDate start = o.start.value_or(TodayUtc());
    if (!o.end) {
        const Period only{start, o.days};
        if (o.days && DayBefore(LastSupportedDay, LastDayOf(only))) {
            usageError = fmt::format("--days: {} days from {} run past {}, the last day", *o.days,
                                     IsoDateText(start), IsoDateText(LastSupportedDay));
            return false;
        }
        periods.push_back(only);
        return true;
    }
    const CivilDate end = *o.end;
    if (DayBefore(end, start)) {
        usageError = fmt::format("--end: {} comes before the start {}", IsoDateText(end),
                                 IsoDateText(start));
        return false;
    }
    for (CivilDate day = start; !DayBefore(end, day);
         day = day.month == 12 ? CivilDate{day.year + 1, 1, 1}
                               : CivilDate{day.year, day.month + 1, 1}) {
        const int monthDays = DaysInMonth(day.year, day.month);
        const bool lastMonth = end.year == day.year && end.month == day.month;
        const int lastDay = lastMonth ? end.day : monthDays;
        if (day.day == 1 && lastDay == monthDays)
            periods.push_back(Period{day, std::nullopt});
        else
            periods.push_back(Period{day, lastDay - day.day + 1});
    }
    return true;
}

namespace {

// The name of the program folder's runtime file that a file written at path
// would replace, or an empty text. The folders are compared resolved; the
// name itself is not followed, as a replacement does not follow it.
std::string OwnRuntimeFileAt(const std::string& path, const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const std::string name = target.filename().string();
    const bool runtime =
        name == OptionsFileName || name == OptionsMasterName || name == SettingsFileName ||
        name == RunLockFileName || name == "EPHEMERI.TTF" || name == "EPHEMERIB.TTF" ||
        name == "EPHEMERI-LICENSE.TXT" || name == "README.TXT" || name.ends_with(".HLP");
    if (path.empty() || !runtime) return {};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Links and ".." resolved where the folders exist, the rest by its names.
    const auto resolved = [](const fs::path& p) {
        std::error_code ec;
        fs::path r = fs::weakly_canonical(p, ec).lexically_normal();
        if (ec) return fs::path();
        return r.has_filename() ? r : r.parent_path();
    };
    const fs::path a = resolved(folder);
    return !a.empty() && a == resolved(programFolder) ? name : std::string();
}

// Says that a period failed and what became of the output.
void ReportFailedPeriod(const Period& period, const OutputSink& sink, std::size_t count) {
    if (sink.replacesWhole())
        std::fprintf(stderr, "novarel: the run of %s failed: %s was left as it was\n",
                     PeriodDays(period).c_str(), sink.target().c_str());
    else if (count > 1)
        std::fprintf(stderr, "novarel: the run of %s failed: the %s stops there\n",
                     PeriodDays(period).c_str(), sink.target().c_str());
}

}  // namespace

int RunPeriods(const CommandSetup& setup, const std::vector<Period>& periods, int jobs,
               OutputSink& sink) {
    const std::size_t count = periods.size();
    std::optional<std::size_t> failed;
    int rc = 0;
    {
        PeriodPool pool(count, jobs, [&](ThreadLibrary& library, std::size_t i) {
            return RunPeriod(setup, library, periods[i]);
        });
        ProgressBar bar(::isatty(STDERR_FILENO) == 1 && count > 1, count);
        MessagesSaidOnce said;
        said.say(setup.optionMessages);
        exports::ExportStream stream(setup.choices,
                                     [&sink](std::string_view bytes) { return sink.write(bytes); });
        for (std::size_t i = 0; i < count; ++i) {
            const PeriodResult r = pool.take(i);
            if (!r.messages.empty()) bar.clear();
            said.say(r.messages);
            if (!stream.add(r.output)) break;
            bar.step(i + 1);
            if (r.rc != 0) {
                rc = r.rc;
                failed = i;
                break;
            }
        }
        bar.clear();
        if (!failed) stream.end();
    }
    if (failed) {
        // A failed period's output is incomplete: an earlier file keeps its bytes.
        sink.abandon();
        ReportFailedPeriod(periods[*failed], sink, count);
        return rc;
    }
    if (const int error = sink.finish()) {
        ReportOutputFailure(error, sink.target());
        return 1;
    }
    return 0;
}

int RunCommand(const CommandOptions& o, bool ephemeris, const std::string& programFolder,
               const PdfPrinter& printPdf) {
    std::vector<Period> periods;
    std::string usage;
    if (!SplitIntoPeriods(o, periods, usage)) {
        std::fprintf(stderr, "novarel: %s\nRun with --help for more information.\n", usage.c_str());
        return 2;
    }
    std::string path = o.output;
    if (!path.empty() && !o.outDir.empty() && std::filesystem::path(path).is_relative())
        path = (std::filesystem::path(o.outDir) / path).string();
    for (const auto& [option, file] : {std::pair{"--output", path}, {"--pdf", o.pdf}}) {
        if (const std::string own = OwnRuntimeFileAt(file, programFolder); !own.empty()) {
            std::fprintf(stderr,
                         "novarel: %s: %s is the program's own %s: choose another name\n"
                         "Run with --help for more information.\n",
                         option, file.c_str(), own.c_str());
            return 2;
        }
    }
    if (!o.outDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(o.outDir, ec);
        if (ec) {
            std::fprintf(stderr, "novarel: --out-dir: cannot create %s: %s\n", o.outDir.c_str(),
                         ec.message().c_str());
            return 1;
        }
    }
    CommandSetup setup(o, ephemeris, programFolder, LocaleNames::FromCurrentLocale());
    ExportChoices& c = setup.choices;
    c.format = o.format;
    c.aspectarian = !ephemeris;
    c.transits = o.transits;
    c.heliocentric = o.helio;
    c.bodies = BodiesOf(o.bodies);
    c.kinds = KindsOf(o.kinds);
    const VoidOfCourseRule voidOfCourse = ephemeris || o.helio || o.transits
                                              ? VoidOfCourseRule::Off
                                              : setup.optionValues.VoidOfCourse();
    c.voidOfCourse = voidOfCourse != VoidOfCourseRule::Off;
    c.requestJson = RequestJson(o, ephemeris, periods.front().start, voidOfCourse);
    // Checked when the options were read.
    c.zone = TimeZone::Find(o.timeZone).value_or(TimeZone{});
    c.rangeStartJD = c.zone.IsUniversal() ? MidnightOf(periods.front().start)
                                          : c.zone.DayStart(periods.front().start);
    if (!o.pdf.empty()) return printPdf(setup, periods);
    const int jobs = o.jobs > 0 ? o.jobs : static_cast<int>(std::thread::hardware_concurrency());
    if (path.empty()) {
        StandardOutputSink sink;
        return RunPeriods(setup, periods, jobs, sink);
    }
    const std::unique_ptr<OutputSink> file = OutputFileSink(path);
    const int rc = RunPeriods(setup, periods, jobs, *file);
    WriteStandardOutput({});
    return rc;
}

}  // namespace novarel::cli

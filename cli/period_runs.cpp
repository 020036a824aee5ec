#include "cli/period_runs.h"

#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "app/date_order.h"
#include "app/options_file.h"
#include "app/program.h"
#include "cli/commands.h"
#include "cli/console_seams.h"
#include "cli/progress_bar.h"
#include "cli/standard_output.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/locale_utf8_names.h"

namespace novarel::cli {
namespace {

CivilDate ParsedDate(const std::string& text) {
    return CivilDate{std::atoi(text.substr(0, 4).c_str()), std::atoi(text.substr(5, 2).c_str()),
                     std::atoi(text.substr(8, 2).c_str())};
}

bool Before(const CivilDate& a, const CivilDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

std::string DateText(const CivilDate& d) {
    return fmt::format("{:04}-{:02}-{:02}", d.year, d.month, d.day);
}

// The Data window's text in the chosen encoding. UTF-8 output names days and
// months in the locale's own letters, which the single-byte text may lack.
std::string OutputText(const std::string& text, const std::string& encoding,
                       const LocaleNames& shown) {
    if (encoding == "cp1252") return text;
    return WithOwnNames(glyph::TextToUtf8(text), Utf8Rendering(shown),
                        Utf8NamesFromCurrentLocale());
}

struct PeriodResult {
    std::string output;
    std::vector<std::string> messages;
    int rc = 0;
};

PeriodResult RunPeriod(const CommandSetup& setup, ThreadLibrary& library, const Period& period) {
    PeriodResult result;
    PeriodRun run(setup, library, result.messages);
    result.rc = run.Run(period);
    if (result.rc == 2) return result;
    Program& program = run.program();
    ExportChoices c = setup.choices;
    c.raInHms = program.options.RightAscensionInHms();
    if (c.format == ExportFormat::Text)
        result.output = OutputText(run.text(), setup.options.encoding, setup.names);
    else if (setup.ephemeris)
        result.output = EphemerisRecords(program.state.DayRecords, c);
    else
        result.output = EventRecords(program.aspectarian.Events, c);
    return result;
}

std::string RequestJson(const CommandOptions& o, bool ephemeris, const std::string& start) {
    nlohmann::ordered_json j;
    j["command"] = ephemeris ? "ephemeris" : "aspectarian";
    j["start"] = start;
    if (!o.end.empty()) j["end"] = o.end;
    if (o.days) j["days"] = *o.days;
    j["time"] = o.midnight ? "midnight" : "noon";
    j["centre"] = o.helio ? "heliocentric" : "geocentric";
    j["zodiac"] = o.zodiac;
    j["node"] = o.node;
    if (!o.bodies.empty()) j["bodies"] = o.bodies;
    if (!o.kinds.empty()) j["kinds"] = o.kinds;
    return j.dump();
}

}  // namespace

void CollectedMessages::showMessage(std::string_view text, std::string_view title, MessageIcon) {
    if (text == BufferNearlyFullMessage) return;
    lines_.push_back(glyph::TextToUtf8(std::string(title) + ": " + std::string(text)));
}

void MessagesSaidOnce::say(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (said_.insert(line).second) std::fprintf(stderr, "%s\n", line.c_str());
}

CommandSetup::CommandSetup(const CommandOptions& o, bool isEphemeris, std::string folder,
                           LocaleNames localeNames)
    : options(o),
      ephemeris(isEphemeris),
      programFolder(std::move(folder)),
      names(std::move(localeNames)) {
    CollectedMessages messages(optionMessages);
    LoadOptionsAtStartup(programFolder, optionValues, messages);
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
    std::string usage;
    if (!ApplyRequestOptions(own, program_.request, usage)) {
        lines_.push_back(usage + "\nRun with --help for more information.");
        return 2;
    }
    return setup_.ephemeris ? RunEphemerisCommand(program_, own)
                            : RunAspectarianCommand(program_, own);
}

bool SplitIntoPeriods(const CommandOptions& o, std::vector<Period>& periods,
                      std::string& usageError) {
    periods.clear();
    const std::string start = o.start.empty() ? TodayUtc() : o.start;
    if (o.end.empty()) {
        periods.push_back(Period{start, o.days});
        return true;
    }
    const CivilDate end = ParsedDate(o.end);
    CivilDate day = ParsedDate(start);
    if (Before(end, day)) {
        usageError = fmt::format("--end: {} comes before the start {}", o.end, start);
        return false;
    }
    while (!Before(end, day)) {
        const int monthDays = DaysInMonth(day.year, day.month);
        const bool lastMonth = end.year == day.year && end.month == day.month;
        const int lastDay = lastMonth ? end.day : monthDays;
        if (day.day == 1 && lastDay == monthDays)
            periods.push_back(Period{DateText(day), std::nullopt});
        else
            periods.push_back(Period{DateText(day), std::to_string(lastDay - day.day + 1)});
        day =
            day.month == 12 ? CivilDate{day.year + 1, 1, 1} : CivilDate{day.year, day.month + 1, 1};
    }
    return true;
}

int RunPeriods(const CommandSetup& setup, const std::vector<Period>& periods, int jobs,
               OutputSink& sink) {
    const std::size_t count = periods.size();
    const std::size_t workers =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), 1, count);
    // Periods run at most this far ahead of the one being written, so that
    // memory does not grow with the length of the range.
    const std::size_t window = 2 * workers + 2;

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<PeriodResult>> results(count);
    std::size_t next = 0, written = 0;
    bool stop = false;

    auto work = [&] {
        ThreadLibrary library;
        for (;;) {
            std::size_t i = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock,
                             [&] { return stop || next >= count || next < written + window; });
                if (stop || next >= count) return;
                i = next++;
            }
            PeriodResult r = RunPeriod(setup, library, periods[i]);
            {
                std::lock_guard lock(mutex);
                results[i] = std::move(r);
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < workers; ++t) threads.emplace_back(work);

    ProgressBar bar(::isatty(STDERR_FILENO) == 1 && count > 1, count);
    MessagesSaidOnce said;
    said.say(setup.optionMessages);
    int rc = 0;
    int writeError = 0;
    if (!sink.write(ExportHead(setup.choices))) writeError = EIO;
    bool anyRecords = false;
    for (std::size_t i = 0; i < count && writeError == 0; ++i) {
        PeriodResult r;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return results[i].has_value(); });
            r = std::move(*results[i]);
            results[i].reset();
            ++written;
        }
        changed.notify_all();
        if (!r.messages.empty()) bar.clear();
        said.say(r.messages);
        if (setup.choices.format == ExportFormat::Json && !r.output.empty()) {
            if (anyRecords && !sink.write(",\n")) break;
            anyRecords = true;
        }
        if (!sink.write(r.output)) break;
        bar.step(i + 1);
        if (r.rc != 0) {
            rc = r.rc;
            break;
        }
    }
    {
        std::lock_guard lock(mutex);
        stop = true;
    }
    changed.notify_all();
    for (std::thread& t : threads) t.join();
    bar.clear();
    if (rc == 0 && setup.choices.format == ExportFormat::Json) sink.write("\n");
    if (rc == 0) sink.write(ExportTail(setup.choices));
    if (const int error = sink.finish()) {
        ReportOutputFailure(error, sink.target());
        return 1;
    }
    return rc;
}

int RunCommand(const CommandOptions& o, bool ephemeris, const std::string& programFolder,
               const PdfPrinter& printPdf) {
    std::vector<Period> periods;
    std::string usage;
    if (!SplitIntoPeriods(o, periods, usage)) {
        std::fprintf(stderr, "novarel: %s\nRun with --help for more information.\n", usage.c_str());
        return 2;
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
    c.format = ExportFormatNamed(o.format);
    c.aspectarian = !ephemeris;
    c.heliocentric = o.helio;
    c.bodies = BodiesOf(o.bodies);
    c.kinds = KindsOf(o.kinds);
    c.requestJson = RequestJson(o, ephemeris, periods.front().start);
    if (!o.pdf.empty()) return printPdf(setup, periods);
    const int jobs = o.jobs > 0 ? o.jobs : static_cast<int>(std::thread::hardware_concurrency());
    if (o.output.empty()) {
        StandardOutputSink sink;
        return RunPeriods(setup, periods, jobs, sink);
    }
    std::string path = o.output;
    if (!o.outDir.empty() && std::filesystem::path(path).is_relative())
        path = (std::filesystem::path(o.outDir) / path).string();
    FileSink file(path);
    const int rc = RunPeriods(setup, periods, jobs, file);
    WriteStandardOutput({});
    return rc;
}

}  // namespace novarel::cli

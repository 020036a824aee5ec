// Command lines of the two commands with every option they take, and the day arithmetic
// behind --start and --end. A command line that passes the checks is split into periods as
// a run would split it, and the periods must cover exactly the range asked for.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>
#include <vector>

#include "app/export/export_records.h"
#include "cli/option_checks.h"
#include "cli/period_runs.h"
#include "cli/request_options.h"
#include "core/iso_date.h"
#include "core/julian_day.h"
#include "core/run_state.h"
#include "core/start_date.h"
#include "tests/fuzz/fuzz_cases.h"

namespace novarel::fuzz {
namespace {

class NullMessages final : public MessageSink {
public:
    void showMessage(std::string_view, std::string_view, MessageIcon) override {}
};

bool SameDay(const CivilDate& a, const CivilDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The next day by the month lengths alone.
CivilDate NextDay(const CivilDate& d) {
    if (d.day < DaysInMonth(d.year, d.month)) return {d.year, d.month, d.day + 1};
    return d.month == 12 ? CivilDate{d.year + 1, 1, 1} : CivilDate{d.year, d.month + 1, 1};
}

CivilDate LastDay(const cli::Period& p) {
    if (!p.days) return {p.start.year, p.start.month, DaysInMonth(p.start.year, p.start.month)};
    CivilDate d = p.start;
    for (int i = 1; i < *p.days; ++i) d = NextDay(d);
    return d;
}

void CheckPeriods(const cli::CommandOptions& o) {
    std::vector<cli::Period> periods;
    std::string usage;
    const bool ok = cli::SplitIntoPeriods(o, periods, usage);
    if (!ok) {
        // A refusal says why and comes with no periods to run.
        if (usage.empty() || !periods.empty()) __builtin_trap();
        return;
    }
    if (periods.empty() || !SameDay(periods.front().start, *o.start)) __builtin_trap();
    CivilDate expectedStart = *o.start;
    for (const cli::Period& p : periods) {
        // Contiguous, each within one month and within the days the program computes.
        if (!SameDay(p.start, expectedStart)) __builtin_trap();
        if (p.days && (*p.days < 1 || *p.days > 366)) __builtin_trap();
        const CivilDate last = LastDay(p);
        if (o.end && (last.year != p.start.year || last.month != p.start.month)) __builtin_trap();
        if (DayBefore(LastSupportedDay, last)) __builtin_trap();
        expectedStart = NextDay(last);
    }
    const CivilDate last = LastDay(periods.back());
    if (o.end && !SameDay(last, *o.end)) __builtin_trap();
    if (!o.end && periods.size() != 1) __builtin_trap();
}

}  // namespace

// Words separated by line feeds, after the command name.
void CommandLineRanges(const std::string& text, bool aspectarian) {
    std::vector<std::string> words{aspectarian ? "aspectarian" : "ephemeris"};
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t nl = std::min(text.find('\n', from), text.size());
        words.push_back(text.substr(from, nl - from));
        from = nl + 1;
    }
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    // The options as the command adds them.
    CLI::App app{"", words.front()};
    cli::CommandOptions options;
    cli::AddRequestOptions(app, options);
    if (!aspectarian) cli::AddViewOption(app, options);
    cli::AddAspectarianOptions(app, options, !aspectarian);
    cli::AddAsteroidsOption(app, options, aspectarian);
    cli::AddExportOptions(app, options, aspectarian);
    app.add_option("--pdf", options.pdf);
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError&) {
        return;
    }
    std::string problem = aspectarian ? "" : cli::MisplacedAspectarianOption(app);
    if (problem.empty()) problem = cli::IdleOptionProblem(app, options);
    if (!problem.empty()) return;
    // An accepted list of bodies names bodies by names that read back.
    const std::vector<int> bodies = cli::BodiesOf(options.bodies);
    if (!options.bodies.empty() && bodies.empty()) __builtin_trap();
    for (const int b : bodies)
        if (b < Sun || b > NorthNode ||
            exports::BodyNamed(exports::BodyName(b, options.helio)) != b)
            __builtin_trap();
    if (!options.kinds.empty() && cli::KindsOf(options.kinds).empty()) __builtin_trap();
    if (!options.start) return;  // today's date: not the same from one run to the next
    CheckPeriods(options);
    // A start date the option accepted is one the input window accepts.
    CalcRequest request;
    cli::ApplyRequestOptions(options, request);
    request.startDate.reset();
    RunState state;
    state.DateOrder = 2;
    NullMessages m;
    ValidateDateInput(request, state, m);
    if (state.InputError != 0) __builtin_trap();
}

void IsoDays(const std::string& text) {
    // The option's check and the parser agree, and a parsed day is written as it was read.
    const std::optional<CivilDate> parsed = ParseIsoDate(text);
    if (parsed.has_value() != cli::StartDateProblem(text).empty()) __builtin_trap();
    if (parsed && IsoDateText(*parsed) != text) __builtin_trap();
    (void)cli::DaysProblem(text);
    if (text.size() < 6) return;
    // A supported day and a count from the bytes.
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    CivilDate day{FirstSupportedDay.year + (byte(0) | byte(1) << 8) % 301, 1 + byte(2) % 12, 1};
    day.day = 1 + byte(3) % DaysInMonth(day.year, day.month);
    const int count = static_cast<std::int16_t>(byte(4) | byte(5) << 8) % 800;
    const std::optional<CivilDate> back = ParseIsoDate(IsoDateText(day));
    if (!back || !SameDay(*back, day)) __builtin_trap();
    // Whole days on by the month lengths, and back again.
    const int ahead = count < 0 ? -count : count;
    CivilDate stepped = day;
    for (int i = 0; i < ahead; ++i) stepped = NextDay(stepped);
    const CivilDate after = DaysAfter(day, ahead);
    if (!SameDay(after, stepped) || !SameDay(DaysAfter(after, -ahead), day)) __builtin_trap();
    if (DayBefore(day, DaysAfter(day, count)) != (count > 0)) __builtin_trap();
}

}  // namespace novarel::fuzz

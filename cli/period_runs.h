#pragma once
// A command over a range of dates: a sequence of periods, each computed as a
// run of its own (its own program state and library instance), on several
// threads, and written in order, so the output does not depend on the
// number of threads. Without --end the range is the one period asked for.
#include <optional>
#include <string>
#include <vector>

#include "cli/export_records.h"
#include "cli/output_sinks.h"
#include "cli/request_options.h"
#include "core/locale_names.h"

namespace novarel::cli {

struct Period {
    std::string start;                // YYYY-MM-DD
    std::optional<std::string> days;  // none: the full month
};

// The periods from --start to --end: the first to the end of its month, then
// whole months, the last ending on --end. False with a usage text when --end
// comes before the start.
bool SplitIntoPeriods(const CommandOptions& options, std::vector<Period>& periods,
                      std::string& usageError);

struct CommandSetup {
    const CommandOptions& options;
    bool ephemeris = true;
    std::string programFolder;
    LocaleNames names;
    ExportChoices choices;
};

// Runs every period and writes their output, in order, to the sink; the
// exit status: 0, 1 for a failure (a write failure is reported), 2 for an
// input error.
int RunPeriods(const CommandSetup& setup, const std::vector<Period>& periods, int jobs,
               OutputSink& sink);

// The whole command: checks, periods, output to stdout or --output.
int RunCommand(const CommandOptions& options, bool ephemeris, const std::string& programFolder);

}  // namespace novarel::cli

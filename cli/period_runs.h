#pragma once
// A command over a range of dates: a sequence of periods, each computed as a
// run of its own (its own program state and library instance), on several
// threads, and written in order, so the output does not depend on the
// number of threads. Without --end the range is the one period asked for.
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/export/export_records.h"
#include "app/program.h"
#include "cli/console_seams.h"
#include "cli/output_sinks.h"
#include "cli/request_options.h"
#include "cli/thread_library.h"
#include "core/locale_names.h"
#include "core/option_values.h"

namespace novarel::cli {

struct Period {
    CivilDate start;
    std::optional<int> days;  // none: the full month
};

// The periods from --start to --end: the first to the end of its month, then
// whole months, the last ending on --end. False with a usage text when --end
// comes before the start or --days runs past the last day computed, and then
// no periods.
bool SplitIntoPeriods(const CommandOptions& options, std::vector<Period>& periods,
                      std::string& usageError);

// What every period of one command shares. Made with the program folder's
// options file read once for the whole command: every period runs with the
// same options, even when the file changes during a long range.
struct CommandSetup {
    CommandSetup(const CommandOptions& options, bool ephemeris, std::string programFolder,
                 LocaleNames names);

    const CommandOptions& options;
    bool ephemeris = true;
    std::string programFolder;
    LocaleNames names;
    ExportChoices choices;
    OptionValues optionValues;
    std::vector<std::string> optionMessages;  // what reading the file said, "Title: text"
};

// A period's messages as "Title: text" lines, kept to be said in period
// order; the buffer's "nearly full" warning speaks of a window the command
// line does not have and is left out.
class CollectedMessages final : public MessageSink {
public:
    explicit CollectedMessages(std::vector<std::string>& lines) : lines_(lines) {}
    void showMessage(std::string_view text, std::string_view title, MessageIcon) override;

private:
    std::vector<std::string>& lines_;
};

// Message lines on stderr, each said once however many periods repeat it.
class MessagesSaidOnce {
public:
    void say(const std::vector<std::string>& lines);

private:
    std::set<std::string> said_;
};

// One period's own program state and seams, so that periods can run side
// by side; its library is a view onto the library of the thread running it.
class PeriodRun {
public:
    PeriodRun(const CommandSetup& setup, ThreadLibrary& library,
              std::vector<std::string>& messages);
    // The exit status of the period's run: 0, 1 for a failure, 2 for an input error.
    int Run(const Period& period);
    Program& program() { return program_; }
    const std::string& text() const { return view_.text(); }

private:
    const CommandSetup& setup_;
    std::vector<std::string>& lines_;
    CollectedMessages messages_;
    QuietProgress progress_;
    CapturedView view_;
    NoWindows windows_;
    Program program_;  // last: it is handed the seams above
};

// Runs every period and writes their output, in order, to the sink; the
// exit status: 0, 1 for a failure (a write failure is reported), 2 for an
// input error.
int RunPeriods(const CommandSetup& setup, const std::vector<Period>& periods, int jobs,
               OutputSink& sink);

// Prints the periods, one after another, into the --pdf file; the exit status.
using PdfPrinter = std::function<int(const CommandSetup&, const std::vector<Period>&)>;

// The whole command: checks, periods, output to stdout, --output or, with
// --pdf, through the printer.
int RunCommand(const CommandOptions& options, bool ephemeris, const std::string& programFolder,
               const PdfPrinter& printPdf);

}  // namespace novarel::cli

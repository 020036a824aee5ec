#pragma once
// The Data window's File menu beyond Save: the page as UTF-8 text, and the
// last run's records as CSV, JSON or iCalendar, written with the command
// line's own code, so that a file made from the window and one made by
// `novarel --format` for the same request are the same bytes.
#include <optional>
#include <string>

#include "app/export/export_records.h"
#include "output/data_menu.h"

namespace novarel {
class Program;
}

namespace novarel::exports {

inline constexpr std::string_view NoRunToExportMessage =
    "There is no calculation to export yet. Calculate an ephemeris, an aspectarian or the "
    "transits first.";
inline constexpr std::string_view NoCalendarOfEphemerisMessage =
    "The ephemeris has no events to put in a calendar. Export it as CSV or JSON, or calculate "
    "an aspectarian or the transits for a calendar.";

// True for the commands below.
bool IsWindowExport(DataCommand command);

// The command: asks for a file name, then writes the file whole or not at
// all; what cannot be done is said in a message.
void RunWindowExport(Program& program, DataCommand command);

// The page on show as UTF-8, with the days and months in the locale's own
// letters: the bytes `novarel` writes for the same run.
std::string PageTextUtf8(const Program& program);

// The last finished run's records in a format, made with that run's
// choices; none without such a run, or when it has none of them (the
// ephemeris as a calendar).
std::optional<std::string> LastRunRecords(const Program& program, ExportFormat format);

}  // namespace novarel::exports

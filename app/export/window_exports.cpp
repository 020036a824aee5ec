#include "app/export/window_exports.h"

#include <cstdlib>

#include "app/export/export_request.h"
#include "app/export/export_stream.h"
#include "app/export/transit_records.h"
#include "app/program.h"
#include "core/iso_date.h"
#include "core/julian_day.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "core/time_zone.h"
#include "output/data_saver.h"

namespace novarel::exports {
namespace {

struct ExportKind {
    DataCommand command;
    std::optional<ExportFormat> format;  // none: the page as text
    const char* extension;
    const char* filter;
    const char* title;
};

constexpr ExportKind Kinds[] = {
    {DataCommand::SaveText, std::nullopt, "txt", "Text Files (*.txt) | *.txt",
     "Save as text (UTF-8)"},
    {DataCommand::ExportCsv, ExportFormat::Csv, "csv", "CSV Files (*.csv) | *.csv", "Export CSV"},
    {DataCommand::ExportJson, ExportFormat::Json, "json", "JSON Files (*.json) | *.json",
     "Export JSON"},
    {DataCommand::ExportCalendar, ExportFormat::Ics, "ics", "iCalendar Files (*.ics) | *.ics",
     "Export iCalendar"},
};

const ExportKind* KindOf(DataCommand command) {
    for (const ExportKind& k : Kinds)
        if (k.command == command) return &k;
    return nullptr;
}

const char* RunWord(OutputKind kind) {
    switch (kind) {
        case OutputKind::Ephemeris: return "ephemeris";
        case OutputKind::Aspectarian: return "aspectarian";
        case OutputKind::Transits: return "transits";
    }
    return "";
}

std::string ProposedName(const Program& program, const ExportKind& kind) {
    return std::string(kind.format ? RunWord(program.state.OutputKind) : "data") + "-" +
           IsoDateText(JulianDayToCivil(program.state.StartJD)) + "." + kind.extension;
}

std::string StartFolder(const Program& program) {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? std::string(home) : program.programDirectory();
}

}  // namespace

bool IsWindowExport(DataCommand command) { return KindOf(command) != nullptr; }

std::string PageTextUtf8(const Program& program) {
    return DataTextUtf8(PageText(program.buffer.PageLines()), program.names);
}

std::optional<std::string> LastRunRecords(const Program& program, ExportFormat format) {
    const OutputKind kind = program.state.OutputKind;
    if (!program.lastRun || (format == ExportFormat::Ics && kind == OutputKind::Ephemeris))
        return std::nullopt;
    const CalcRequest& r = program.lastRun->request;
    const OptionValues& options = program.lastRun->options;
    const CivilDate start = JulianDayToCivil(program.state.StartJD);
    const VoidOfCourseRule voidOfCourse = kind != OutputKind::Aspectarian || r.optHelio()
                                              ? VoidOfCourseRule::Off
                                              : options.VoidOfCourse();
    RequestFacts f;
    f.command = RunWord(kind);
    if (kind == OutputKind::Transits) f.chart = r.natalChart;
    f.start = start;
    if (!r.chkFullMonth) f.days = r.NumberOfDays;
    f.midnight = r.optMidnight();
    f.heliocentric = r.optHelio();
    f.zodiac = r.zodiac;
    f.node = r.moonNodes;
    f.timeZone = r.timeZone;
    f.voidOfCourse = voidOfCourse;

    ExportChoices c;
    c.format = format;
    c.aspectarian = kind != OutputKind::Ephemeris;
    c.transits = kind == OutputKind::Transits;
    c.heliocentric = r.optHelio();
    c.raInHms = options.RightAscensionInHms();
    c.voidOfCourse = voidOfCourse != VoidOfCourseRule::Off;
    c.requestJson = RequestJson(f);
    // A run refuses an unknown zone before it starts.
    c.zone = TimeZone::Find(r.timeZone).value_or(TimeZone{});
    c.rangeStartJD = c.zone.IsUniversal()
                         ? CalendarToJulianDay(start.year, start.month, start.day) - 0.5
                         : c.zone.DayStart(start);
    c.periodStartJD = c.rangeStartJD;

    std::string bytes;
    ExportStream stream(c, [&bytes](std::string_view b) {
        bytes += b;
        return true;
    });
    if (kind == OutputKind::Ephemeris)
        stream.add(EphemerisRecords(program.state.DayRecords, c));
    else if (kind == OutputKind::Transits)
        stream.add(TransitRecords(program.transits, c));
    else
        stream.add(EventRecords(program.aspectarian.Events, c));
    stream.end();
    return bytes;
}

void RunWindowExport(Program& program, DataCommand command) {
    const ExportKind* kind = KindOf(command);
    if (kind == nullptr) return;
    MessageSink& messages = program.seams().messages;
    const bool nothing = kind->format ? !program.lastRun : program.buffer.DataLineCount() == 0;
    if (nothing) {
        messages.showMessage(kind->format ? NoRunToExportMessage : NoDataToWriteMessage,
                             msg::TitleInformation, MessageIcon::Exclamation);
        return;
    }
    std::optional<std::string> bytes =
        kind->format ? LastRunRecords(program, *kind->format) : PageTextUtf8(program);
    if (!bytes) {
        messages.showMessage(NoCalendarOfEphemerisMessage, msg::TitleInformation,
                             MessageIcon::Information);
        return;
    }
    SaveDialogRequest request;
    request.title = kind->title;
    request.initialDirectory = StartFolder(program);
    request.fileName = ProposedName(program, *kind);
    request.defaultExtension = kind->extension;
    request.filter = kind->filter;
    const std::optional<std::string> path = program.app().saveDialog.askSaveFileName(request);
    if (!path) return;
    if (!WriteWholeFile(*path, *bytes))
        messages.showMessage("The data could not be written to the file " + *path + ".",
                             msg::TitleWarning, MessageIcon::Exclamation);
}

}  // namespace novarel::exports

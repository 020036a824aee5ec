#include "ephemeris/ephemeris_generator.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>

#include "core/angle_format.h"
#include "core/data_file_names.h"
#include "core/date_order.h"
#include "core/fixed_format.h"
#include "core/folder_lock.h"
#include "core/julian_day.h"
#include "core/messages.h"
#include "core/position_service.h"
#include "core/start_date.h"
#include "ephemeris/ephemeris_files.h"
#include "ephemeris/ephemeris_headers.h"
#include "ephemeris/ephemeris_rows.h"
#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/row_moments.h"
#include "output/data_buffer.h"
#include "output/generator_run.h"
#include "output/library_reports.h"

namespace novarel {
namespace {

// The start date as the numbers read from the boxes, in the date order, for
// the file names: a box holding "3a" was read as 3, and the name says 3.
std::string ReadDateText(const CalcRequest& r, std::int16_t dateOrder) {
    std::int16_t d = 0, m = 0, y = 0;
    ToInt16(LeadingNumber(r.txtDay), d);
    ToInt16(LeadingNumber(r.txtMonth), m);
    ToInt16(LeadingNumber(r.txtYear), y);
    return ArrangeDate(DateOrderOf(dateOrder), fmt::format("{}", d), fmt::format("{}", m),
                       fmt::format("{}", y), "/");
}

std::array<std::string, 4> DataFilePaths(const RunContext& ctx) {
    const std::string dateText = ReadDateText(ctx.request, ctx.state.DateOrder);
    std::array<std::string, 4> paths;
    for (EphemerisTable t : EphemerisTables)
        paths[FileNumberIndex(t)] =
            DataFilePath(ctx.programDirectory, dateText, ctx.state.DateOrder, ctx.request,
                         std::string(TableFileCode(t)));
    return paths;
}

// What failed and what it left on disk, in the user's words.
std::string FileFailureText(const EphemerisDataFiles& files) {
    std::string what;
    if (!files.folderProblem().empty()) {
        what = "The data files could not be saved: " + files.folderProblem();
    } else {
        const std::string reason = files.failedError() != 0
                                       ? fmt::format(" ({})", std::strerror(files.failedError()))
                                       : "";
        what = fmt::format("The data file {} could not be written{}", files.failedPath(), reason);
    }
    if (files.restoreError() != 0)
        return fmt::format(
            "{}, and the data files already in the folder could not all be put back ({}). The "
            "ephemeris was stopped; the next run that saves into the folder puts them back.",
            what, std::strerror(files.restoreError()));
    return what +
           ". The ephemeris was stopped and the data files already in the folder were left as "
           "they were.";
}

RunOutcome StopOnFileFailure(RunContext& ctx, EphemerisDataFiles& files, bool progressLoaded) {
    files.discard();
    if (progressLoaded) ctx.progress.unloadProgress();
    ctx.progress.setBusy(false);
    ctx.messages.showMessage(FileFailureText(files), msg::TitleWarning, MessageIcon::Exclamation);
    return RunOutcome::Failed;
}

// A run on a zone's clock: the moment of its first row, and the UT span of
// its local dates (the start of the first, the start of the date after the
// last).
struct LocalSpan {
    double firstRow = 0;
    double from = 0;
    double to = 0;
};

LocalSpan LocalSpanOf(const RunContext& ctx, const TimeZone& zone, int lastDay) {
    const RunState& s = ctx.state;
    int rows = 0;
    while (rows <= lastDay &&
           !(ctx.request.chkFullMonth && rows > 27 && JulianDayToCivil(s.DayJD + rows).day == 1))
        ++rows;
    const CivilDate first = JulianDayToCivil(s.DayJD);
    return {RowMomentOf(s, ctx.request, zone, first).jdUt, zone.DayStart(first),
            zone.DayStart(JulianDayToCivil(s.DayJD + rows))};
}

// The header lines of the four tables, kept and, when saving, written.
void StartTables(RunContext& ctx, EphemerisDataFiles& files, bool raInHms, const TimeZone& zone,
                 const LocalSpan& span) {
    RunState& s = ctx.state;
    const std::size_t tables = ctx.request.extraBodies ? 2 : 1;
    for (EphemerisTable t : EphemerisTables) {
        std::vector<std::string>& table = TableLines(s, t);
        HeaderLines header = EphemerisHeaderLines(t, s, ctx.request, raInHms, ctx.names);
        if (!zone.IsUniversal())
            PutOnLocalClock(header, ctx.request, zone, span.firstRow, span.from, span.to);
        table.assign(header.begin(), header.end());
        table.reserve(tables * (HeaderLineCount + 1 + 2 * (MaxDayIndex + 1)));
        if (ctx.request.chkSaveData)
            for (const std::string& line : header) files.writeLine(t, line);
    }
}

// The second table of each view, of Chiron .. Lilith, below the first and
// written after it: an empty line, its heading, then the day's rows with the
// first table's empty line before each Sunday but the first row's.
void AppendSecondTables(RunContext& ctx, EphemerisDataFiles& files, bool raInHms) {
    RunState& s = ctx.state;
    const bool save = ctx.request.chkSaveData;
    const TableBodies bodies = SecondTableBodies(ctx.request.optHelio());
    for (EphemerisTable t : EphemerisTables) {
        std::vector<std::string>& table = TableLines(s, t);
        const auto add = [&](const std::string& line) {
            table.push_back(line);
            if (save) files.writeLine(t, line);
        };
        HeaderLines first;
        std::copy_n(table.begin(), first.size(), first.begin());
        add("");
        for (const std::string& line : SecondTableHeading(t, first, bodies, raInHms)) add(line);
        for (std::size_t d = 0; d < s.DayRecords.size(); ++d) {
            const CivilDate& date = s.DayRecords[d].date;
            if (d > 0 &&
                WeekdayOfJulianDay(CalendarToJulianDay(date.year, date.month, date.day)) == 0)
                add("");
            add(s.DayRecords[d].extraRows[FileNumberIndex(t)]);
        }
    }
}

std::array<PositionHistoryTable*, 4> HistoryTables(RunState& s) {
    return {&s.history.longitude, &s.history.latitude, &s.history.rightAscension,
            &s.history.declination};
}

// The positions of row d at its moment and, on the first row, the sidereal
// point of the title lines.
void ComputeRow(RunContext& ctx, int d, const RowMoment& row) {
    RunState& s = ctx.state;
    s.Centuries = row.centuries;
    const Nutation nutation = ComputeNutation(s.Centuries, ctx.options);
    s.SiderealPoint = nutation.SiderealPoint;
    s.TrueAyanamsa = nutation.TrueAyanamsa;
    s.SiderealSeconds = row.siderealSeconds;
    s.Centuries /= 10;
    ComputePositions(row.jdUt, ctx.request, ctx.library, s.positions);

    if (d == 0) {
        s.SiderealPointText = SiderealPointText(nutation);
        for (EphemerisTable t : EphemerisTables) TableLines(s, t)[1] += s.SiderealPointText;
    }
}

// The row of each table, after a blank line before a Sunday that does not
// open the table.
void AppendRow(RunContext& ctx, EphemerisDataFiles& files, const CivilDate& date, bool raInHms,
               double rowMoment) {
    RunState& s = ctx.state;
    const bool save = ctx.request.chkSaveData;
    const bool sundayBreak = WeekdayOfJulianDay(s.DateJD) == 0 && s.FirstRowFlag == 0;
    EphemerisDayRecord& record = s.DayRecords.emplace_back(
        EphemerisDayRecord{date, rowMoment, s.SiderealSeconds, s.positions, {}, {}});
    const std::string start = RowStart(record.date, record.siderealSeconds, ctx.names);
    const std::string dateOnly = ctx.request.extraBodies ? DateColumn(record.date, ctx.names) : "";
    const TableBodies extra = SecondTableBodies(ctx.request.optHelio());
    for (EphemerisTable t : EphemerisTables) {
        std::vector<std::string>& table = TableLines(s, t);
        if (sundayBreak) {
            table.emplace_back();
            if (save) files.writeLine(t, "");
        }
        std::string& row = record.rows[FileNumberIndex(t)];
        row = EphemerisRow(t, start, record.positions, raInHms);
        table.push_back(row);
        if (save) files.writeLine(t, row);
        if (ctx.request.extraBodies)
            record.extraRows[FileNumberIndex(t)] =
                EphemerisRow(t, dateOnly, record.positions, raInHms, extra);
    }
}

// Row d's positions and Julian Day kept for the commands that page through
// the run afterwards.
void StoreHistory(RunState& s, int d) {
    if (d >= s.history.longitude.days()) return;
    for (int i = Sun; i <= NorthNode; ++i) {
        const auto k = static_cast<std::size_t>(i);
        s.history.longitude.at(i, d) = s.positions.BodyLongitude[k];
        s.history.latitude.at(i, d) = s.positions.BodyLatitude[k];
        s.history.rightAscension.at(i, d) = s.positions.BodyRightAscension[k];
        s.history.declination.at(i, d) = s.positions.BodyDeclination[k];
    }
    for (PositionHistoryTable* h : HistoryTables(s)) h->at(0, d) = s.DayJD;
}

}  // namespace

// The run itself; a library failure leaves it as a LibraryError.
static RunOutcome RunEphemerisDays(RunContext& ctx, const TimeZone& zone) {
    RunState& s = ctx.state;
    CalcRequest& request = ctx.request;

    if (!BeginGeneratorRun(ctx)) return RunOutcome::InvalidInput;
    ChooseExtraBodies(ctx);

    EphemerisDataFiles files;
    if (request.chkSaveData && !files.open(DataFilePaths(ctx)))
        return StopOnFileFailure(ctx, files, false);

    const bool raInHms = RightAscensionInHms(ctx.options);
    const int lastDay = LastDayOfRun(request);
    const LocalSpan span = zone.IsUniversal() ? LocalSpan{} : LocalSpanOf(ctx, zone, lastDay);
    StartTables(ctx, files, raInHms, zone, span);

    SetDayFraction(s);
    s.FirstRowJD = s.DayJD;
    s.RowJD = s.DayJD;
    ctx.progress.loadProgress();

    // Days beyond the last day index are never computed: a stored days value
    // above the cap does not make the history larger than the run.
    const int historyDays = std::min<int>(request.NumberOfDays, lastDay + 1);
    for (PositionHistoryTable* h : HistoryTables(s)) h->recreate(historyDays);
    s.FirstRowFlag = 1;
    s.DayRecords.clear();
    s.DayRecords.reserve(static_cast<std::size_t>(lastDay) + 1);

    for (int d = 0; d <= lastDay; ++d) {
        SetDayFraction(s);
        if (lastDay > 0) ShowProgress(ctx.progress, d, lastDay);
        s.RowJD = s.FirstRowJD + d;
        s.DayJD = s.RowJD;
        s.DateJD = s.RowJD;
        JulianDayToDateText(s);
        const CivilDate date = JulianDayToCivil(s.DateJD);  // the date of DateText
        if (request.chkFullMonth && d > 27 && date.day == 1) break;

        const RowMoment row = RowMomentOf(s, request, zone, date);
        ComputeRow(ctx, d, row);
        AppendRow(ctx, files, date, raInHms, row.jdUt);
        if (files.failed()) return StopOnFileFailure(ctx, files, true);
        s.FirstRowFlag = 0;
        StoreHistory(s, d);
    }
    if (request.extraBodies) {
        AppendSecondTables(ctx, files, raInHms);
        if (files.failed()) return StopOnFileFailure(ctx, files, true);
    }

    if (request.chkSaveData && !files.finish(RunLockWait(ctx.progress)))
        return StopOnFileFailure(ctx, files, true);
    ctx.progress.unloadProgress();
    ShowTable(ctx, request.dataOutput);
    ctx.windows.runFinished();
    ctx.progress.setBusy(false);
    return RunOutcome::Completed;
}

RunOutcome GenerateEphemeris(RunContext& ctx) {
    const std::optional<TimeZone> zone = FindRunZone(ctx);
    if (!zone) return RunOutcome::InvalidInput;
    return WithLibraryChecks(ctx, [&] { return RunEphemerisDays(ctx, *zone); });
}

}  // namespace novarel

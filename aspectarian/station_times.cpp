#include "aspectarian/station_times.h"

#include <fmt/format.h>

#include <algorithm>

#include "aspectarian/aspectarian_generator.h"
#include "core/angle_format.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/position_service.h"
#include "core/start_date.h"
#include "output/data_buffer.h"
#include "output/library_reports.h"

namespace novarel {
namespace {

constexpr double MinutesPerDay = 1440;

bool MovingForward(double now, double prev) {
    const double diff = now - prev;
    return (now >= prev && diff <= 350) || diff < -350;
}

bool MovingBackward(double now, double prev) {
    const double diff = now - prev;
    return (now <= prev && diff >= -350) || diff > 350;
}

}  // namespace

ReversalMinute FindReversalMinute(double recordedHourJD, int body, int stationCode,
                                  const CalcRequest& request, EphemerisLibrary& library,
                                  Positions& positions) {
    double prev = 0;
    for (int m = -60; m <= 60; ++m) {
        ComputePositions(recordedHourJD + m / MinutesPerDay, request, library, positions);
        const double now = positions.BodyLongitude[static_cast<std::size_t>(body)];
        if (m == -60) {
            prev = now;
            continue;
        }
        const bool goesOn = stationCode == glyph::StationRetrograde ? MovingForward(now, prev)
                            : stationCode == glyph::StationDirect   ? MovingBackward(now, prev)
                                                                    : false;
        if (!goesOn) return ReversalMinute{true, m, now};
        prev = now;
    }
    return {};
}

StationClock ReportedStationTime(int recordedHour, int foundMinute) {
    StationClock c{recordedHour, foundMinute - 1, false};
    if (c.minute < 0) {
        c.minute += 60;
        c.hour -= 1;
        if (c.hour < 0) {
            c.hour += 24;
            c.previousDay = true;
        }
    }
    return c;
}

std::string StationPlanetName(int body) {
    switch (body) {
        case Mercury: return "Mercury";
        case Venus: return "Venus  ";
        case Mars: return "Mars   ";
        case Jupiter: return "Jupiter";
        case Saturn: return "Saturn ";
        case Uranus: return "Uranus ";
        case Neptune: return "Neptune";
        default: return "Pluto  ";
    }
}

// The listing itself; a library failure leaves it as a LibraryError.
static void ListStationMinutes(RunContext& ctx, AspectarianState& aspectarian) {
    const std::size_t count =
        std::min<std::size_t>(aspectarian.StationRecords.size(),
                              static_cast<std::size_t>(std::max<int>(aspectarian.StationCount, 0)));
    if (count == 0) return;
    ctx.progress.setBusy(true);

    RunState& s = ctx.state;
    std::string text = std::string(LineBreak) + "  Changes in direction (in UT):" + LineBreak;
    for (std::size_t r = 0; r < count; ++r) {
        const StationRecord& rec = aspectarian.StationRecords[r];
        if (rec.body < Sun || rec.body > NorthNode) continue;

        const ReversalMinute found = FindReversalMinute(rec.hourJD, rec.body, rec.code, ctx.request,
                                                        ctx.library, s.positions);
        if (!found.found) continue;
        const StationClock clock = ReportedStationTime(rec.hour, found.minute);

        s.DateJD = rec.dayJD - (clock.previousDay ? 1 : 0);
        JulianDayToDateText(s);
        const LongitudeSplit split =
            CarryRoundedMinutes(SplitLongitude(found.longitude), 1, DegreeForm::Signs);
        text += "  " + StationPlanetName(rec.body) + " - " +
                FormatDate(JulianDayToCivil(s.DateJD), "dd mmm yyyy", ctx.names) +
                fmt::format(" at {:02}:{:02}, ", clock.hour, clock.minute) +
                FormatFixed(split.SignDegrees, 2, 0) +
                glyph::SignChar(static_cast<int>(split.SignNumber)) +
                FormatFixed(split.ArcMinutes, 2, 1) + LineBreak;
    }
    ctx.buffer.CurrentLine = text;
    ctx.buffer.AppendLine();
    ctx.buffer.ShowPage();
    ctx.progress.setBusy(false);
}

RunOutcome ListRetrogradeTimes(RunContext& ctx, AspectarianState& aspectarian) {
    try {
        ListStationMinutes(ctx, aspectarian);
    } catch (const LibraryError& error) {
        return StopOnLibraryError(ctx, error);
    }
    return RunOutcome::Completed;
}

}  // namespace novarel

#include "aspectarian/station_times.h"

#include <fmt/format.h>

#include <algorithm>

#include "aspectarian/aspectarian_generator.h"
#include "core/angle_format.h"
#include "core/fixed_format.h"
#include "core/glyphs.h"
#include "core/julian_day.h"
#include "core/start_date.h"
#include "core/time_zone.h"
#include "output/data_buffer.h"

namespace novarel {

std::string StationPlanetName(int body) {
    switch (body) {
        case Mercury: return "Mercury";
        case Venus: return "Venus  ";
        case Mars: return "Mars   ";
        case Jupiter: return "Jupiter";
        case Saturn: return "Saturn ";
        case Uranus: return "Uranus ";
        case Neptune: return "Neptune";
        case Pluto: return "Pluto  ";
        default: return fmt::format("{:<7}", Body(body).name);
    }
}

RunOutcome ListRetrogradeTimes(RunContext& ctx, AspectarianState& aspectarian) {
    const std::size_t count =
        std::min<std::size_t>(aspectarian.StationRecords.size(),
                              static_cast<std::size_t>(std::max<int>(aspectarian.StationCount, 0)));
    if (count == 0) return RunOutcome::Completed;
    ctx.progress.setBusy(true);

    RunState& s = ctx.state;
    // The run's own clock: a zone's name was checked when the run began.
    const TimeZone zone = TimeZone::Find(ctx.request.timeZone).value_or(TimeZone{});
    std::string text =
        std::string(LineBreak) + "  Changes in direction (in " + zone.Name() + "):" + LineBreak;
    for (std::size_t r = 0; r < count; ++r) {
        const StationRecord& rec = aspectarian.StationRecords[r];
        if (rec.body < Sun || rec.body > Lilith) continue;

        // The turning point rounded to its minute, and the place then.
        const MinuteOfDay clock = RoundedToMinute(zone.LocalJulianDay(rec.moment));
        const std::string abbreviation =
            zone.IsUniversal() ? "" : " " + zone.At(rec.moment).abbreviation;
        s.DateJD = clock.dayJD;
        JulianDayToDateText(s);
        const LongitudeSplit split =
            CarryRoundedMinutes(SplitLongitude(rec.longitude), 1, DegreeForm::Signs);
        text += "  " + StationPlanetName(rec.body) + " - " +
                FormatDate(clock.date, "dd mmm yyyy", ctx.names) +
                fmt::format(" at {:02}:{:02}{}, ", clock.hour, clock.minute, abbreviation) +
                FormatFixed(split.SignDegrees, 2, 0) +
                glyph::SignChar(static_cast<int>(split.SignNumber)) +
                FormatFixed(split.ArcMinutes, 2, 1) + LineBreak;
    }
    // Asked for again while the page shows it, the listing is only brought
    // into sight: the page would otherwise repeat it.
    const std::vector<std::string>& page = ctx.buffer.PageLines();
    if (std::find(page.begin(), page.end(), text) != page.end()) {
        ctx.buffer.view().showEnd();
    } else {
        ctx.buffer.CurrentLine = text;
        ctx.buffer.AppendLine();
        ctx.buffer.ShowPageAtEnd();
    }
    ctx.progress.setBusy(false);
    return RunOutcome::Completed;
}

}  // namespace novarel

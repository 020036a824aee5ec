#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/time_zone.h"
#include "output/run_context.h"

namespace novarel {

// How every generator run starts: the date check (its failures are reported
// and nothing else changes), then an empty page, the busy pointer, the input
// window hidden, and the start date read into the run state.
// false when the date check failed.
bool BeginGeneratorRun(RunContext& ctx);

// Index of the run's last day: the days asked for, capped at MaxDayIndex; a
// whole month runs 31 days (the loop stops early at the next month's 1st)
// and says so in NumberOfDays.
int LastDayOfRun(CalcRequest& request);

// Chiron, the asteroids and Lilith as the options choose them (line 20); a
// missing asteroid file stops the run, before anything is computed or
// written, with a LibraryError naming the file and the folders searched.
void ChooseExtraBodies(RunContext& ctx);

// The zone of the request's clock; an unknown name is the input error the
// user is told of, and none is returned.
std::optional<TimeZone> FindRunZone(RunContext& ctx);

// Title line of a table: "  Tropical Ephemeris - Saturday, 01 Jan 2000 at
// midnight, Greenwich" for kind "Ephemeris". It names the day the run really
// starts on (DayJD), so a typed 31 February shows as the March day it becomes.
// A run on a local clock's title has no ", Greenwich": a line of its own
// names the zone.
std::string RunTitleLine(const RunState& state, const CalcRequest& request,
                         const LocaleNames& names, std::string_view kind);

}  // namespace novarel

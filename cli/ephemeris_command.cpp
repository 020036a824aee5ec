#include <fmt/format.h>

#include "cli/commands.h"
#include "core/angle_format.h"
#include "core/glyphs.h"
#include "core/position_service.h"
#include "core/start_date.h"

namespace novarel::cli {

// Until the daily ephemeris exists: the eleven positions of the start day at noon.
int RunEphemerisCommand(Program& program, const CommandOptions&) {
    RunState& s = program.state;
    s.InputError = 0;
    ValidateDateInput(program.request, s, program.seams().messages);
    if (s.InputError == 1) return 2;
    ReadStartDate(program.request, s);
    ComputePositions(s.DayJD, program.request, program.library(), s.positions);
    static constexpr const char* Names[] = {"",        "Sun",    "Moon",   "Mercury", "Venus",
                                            "Mars",    "Jupiter", "Saturn", "Uranus", "Neptune",
                                            "Pluto",   "N. Node"};
    DataBuffer& buf = program.buffer;
    buf.ClearPage();
    buf.CurrentLine = "  Positions on " + s.DateText + " at noon, Greenwich";
    buf.AppendLine();
    for (int i = Sun; i <= NorthNode; ++i) {
        buf.CurrentLine = fmt::format("  {:<8}", Names[i]) + PositionCell(s.positions.BodyLongitude[i]);
        if (s.positions.LongitudeSpeed[i] < 0) buf.CurrentLine[buf.CurrentLine.size() - 3] = '!';
        buf.AppendLine();
    }
    buf.ShowPage();
    return 0;
}

}  // namespace novarel::cli

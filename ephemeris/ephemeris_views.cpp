#include "ephemeris/ephemeris_generator.h"
#include "ephemeris/ephemeris_tables.h"
#include "output/data_buffer.h"

namespace novarel {

void ShowTable(RunContext& ctx, DataOutput coordinate) {
    DataBuffer& buffer = ctx.buffer;
    buffer.ClearPage();
    for (const std::string& line : TableLines(ctx.state, TableFor(coordinate))) {
        buffer.CurrentLine = line;
        buffer.AppendLine();
    }
    // A table always ends with one empty entry after its last line.
    buffer.AppendBlankLine();
    buffer.ShowPage();
}

}  // namespace novarel

#pragma once
// One export written as a stream of periods: the head once, each period's
// records in order (JSON periods joined by "," + LF), the tail once.
#include <string_view>

#include "cli/export_records.h"
#include "cli/output_sinks.h"

namespace novarel::cli {

class ExportStream {
public:
    // Writes the head.
    ExportStream(const ExportChoices& choices, OutputSink& sink);
    // A period's output; false once a write failed.
    bool add(std::string_view periodOutput);
    // Writes the tail; false when a write failed.
    bool end();

private:
    const ExportChoices& choices_;
    OutputSink& sink_;
    bool anyRecords_ = false;
    bool ok_;
};

}  // namespace novarel::cli

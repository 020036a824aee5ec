#pragma once
// One export written as a stream of periods: the head once, each period's
// records in order (JSON periods joined by "," + LF), the tail once.
#include <functional>
#include <string_view>

#include "app/export/export_records.h"

namespace novarel::exports {

// Takes the next bytes of the export; false once a write failed.
using ExportWriter = std::function<bool(std::string_view bytes)>;

class ExportStream {
public:
    // Writes the head.
    ExportStream(const ExportChoices& choices, ExportWriter write);
    // A period's output; false once a write failed.
    bool add(std::string_view periodOutput);
    // Writes the tail; false when a write failed.
    bool end();

private:
    const ExportChoices& choices_;
    ExportWriter write_;
    bool anyRecords_ = false;
    bool ok_;
};

}  // namespace novarel::exports

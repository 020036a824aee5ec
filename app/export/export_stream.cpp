#include "app/export/export_stream.h"

#include <utility>

namespace novarel::exports {

ExportStream::ExportStream(const ExportChoices& choices, ExportWriter write)
    : choices_(choices), write_(std::move(write)), ok_(write_(ExportHead(choices))) {}

bool ExportStream::add(std::string_view periodOutput) {
    if (ok_ && choices_.format == ExportFormat::Json && !periodOutput.empty()) {
        if (anyRecords_) ok_ = write_(",\n");
        anyRecords_ = true;
    }
    ok_ = ok_ && write_(periodOutput);
    return ok_;
}

bool ExportStream::end() {
    if (ok_ && choices_.format == ExportFormat::Json) ok_ = write_("\n");
    ok_ = ok_ && write_(ExportTail(choices_));
    return ok_;
}

}  // namespace novarel::exports

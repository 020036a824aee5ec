#include "cli/export_stream.h"

namespace novarel::cli {

ExportStream::ExportStream(const ExportChoices& choices, OutputSink& sink)
    : choices_(choices), sink_(sink), ok_(sink.write(ExportHead(choices))) {}

bool ExportStream::add(std::string_view periodOutput) {
    if (ok_ && choices_.format == ExportFormat::Json && !periodOutput.empty()) {
        if (anyRecords_) ok_ = sink_.write(",\n");
        anyRecords_ = true;
    }
    ok_ = ok_ && sink_.write(periodOutput);
    return ok_;
}

bool ExportStream::end() {
    if (ok_ && choices_.format == ExportFormat::Json) ok_ = sink_.write("\n");
    ok_ = ok_ && sink_.write(ExportTail(choices_));
    return ok_;
}

}  // namespace novarel::cli

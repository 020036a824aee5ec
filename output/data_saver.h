#pragma once
// "&Save" and "Save &As": the whole data list to a text file with form-feed
// page breaks.
#include <cstdint>
#include <string>

#include "core/option_values.h"
#include "core/run_state.h"
#include "core/seams.h"
#include "output/data_buffer.h"
#include "output/output_seams.h"

namespace novarel {

inline constexpr std::string_view NoDataToWriteMessage = "No data to write to file.";

// The name Save As proposes: the start date's three typed numbers with a
// four-digit year and two-digit month and day in the date order, then
// ".DOC" ("20180503.DOC" for order 2). A typed date that is not on the
// calendar keeps its numbers; a text without three numbers proposes nothing.
std::string ProposedSaveName(const std::string& startDateText, std::int16_t dateOrder);

// Entries per page: option 7 less one, rounded half to even. Below 1 the file
// gets no page breaks (0 is returned).
std::int64_t PageBreakDivisor(float optionValue7);

// The file's bytes: entries 0..count each with CR LF, a form-feed line after
// every k-th entry (k > 0), and a final form-feed line.
std::string DataFileText(const DataBuffer& buffer, std::int64_t k);

class DataSaver {
public:
    DataSaver(DataBuffer& buffer, const RunState& state, const OptionValues& options,
              MessageSink& messages, SaveFileDialog& dialog, std::string programDirectory);

    // Full path of the last successful Save As; empty at start and after "&Input".
    std::string SaveFileName;

    void Save();
    void SaveAs();
    // Writes the data to path; a failure is reported with a message naming it.
    bool WriteDataFile(const std::string& path);

    void setDialog(SaveFileDialog& dialog) { dialog_ = &dialog; }

private:
    bool ReportIfNoData();

    DataBuffer& buffer_;
    const RunState& state_;
    const OptionValues& options_;
    MessageSink& messages_;
    SaveFileDialog* dialog_;
    std::string programDirectory_;
};

}  // namespace novarel

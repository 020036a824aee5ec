#include "output/data_saver.h"

#include <fmt/format.h>

#include <cmath>

#include "core/date_order.h"
#include "core/fixed_format.h"
#include "core/julian_day.h"
#include "core/messages.h"
#include "core/text_file.h"

namespace novarel {
namespace {
constexpr char FormFeed = '\f';
}  // namespace

std::string ProposedSaveName(const std::string& startDateText, std::int16_t dateOrder) {
    CivilDate d;
    if (!ParseDateText(startDateText, dateOrder, d)) return {};
    const std::string yyyy = fmt::format("{:04}", d.year);
    const std::string mm = fmt::format("{:02}", d.month);
    const std::string dd = fmt::format("{:02}", d.day);
    return ArrangeDate(DateOrderOf(dateOrder), dd, mm, yyyy, "") + ".DOC";
}

std::int64_t PageBreakDivisor(float optionValue7) {
    const double k = RoundHalfEven(static_cast<double>(optionValue7) - 1.0);
    if (!(k >= 1.0)) return 0;
    if (k > 1e15) return 0;  // no page would ever end
    return static_cast<std::int64_t>(k);
}

std::string DataFileText(const DataBuffer& buffer, std::int64_t k) {
    std::string out;
    const int count = buffer.DataLineCount();
    for (int i = 0; i <= count; ++i) {
        out += buffer.DataLine(i);
        out += LineBreak;
        if (k > 0 && i != 0 && i % k == 0) {
            out += FormFeed;
            out += LineBreak;
        }
    }
    out += FormFeed;
    out += LineBreak;
    return out;
}

DataSaver::DataSaver(DataBuffer& buffer, const RunState& state, const OptionValues& options,
                     MessageSink& messages, SaveFileDialog& dialog, std::string programDirectory)
    : buffer_(buffer),
      state_(state),
      options_(options),
      messages_(messages),
      dialog_(&dialog),
      programDirectory_(std::move(programDirectory)) {}

bool DataSaver::ReportIfNoData() {
    if (buffer_.DataLineCount() != 0) return false;
    messages_.showMessage(NoDataToWriteMessage, msg::TitleInformation, MessageIcon::Exclamation);
    return true;
}

void DataSaver::Save() {
    if (ReportIfNoData()) return;
    if (SaveFileName.empty()) {
        SaveAs();
        return;
    }
    WriteDataFile(SaveFileName);
}

void DataSaver::SaveAs() {
    if (ReportIfNoData()) return;
    SaveDialogRequest request;
    request.initialDirectory = programDirectory_;
    request.fileName = ProposedSaveName(state_.StartDateText, state_.DateOrder);
    const auto chosen = dialog_->askSaveFileName(request);
    if (!chosen) return;  // cancelled: the name stays as it was
    // The name is kept for Save only once the file has really been written.
    if (WriteDataFile(*chosen)) SaveFileName = *chosen;
}

bool DataSaver::WriteDataFile(const std::string& path) {
    const std::string text = DataFileText(buffer_, PageBreakDivisor(options_.SavedLinesPerPage()));
    if (WriteWholeFile(path, text)) return true;
    messages_.showMessage("The data could not be written to the file " + path + ".",
                          msg::TitleWarning, MessageIcon::Exclamation);
    return false;
}

}  // namespace novarel

#include "output/printing.h"

#include "core/messages.h"
#include "core/text_file.h"

namespace novarel {
namespace {
constexpr std::string_view NoDataMessage = "No data to print.";
constexpr std::string_view OutOfMemoryMessage =
    "Out of memory. I will print what I can. The remainder will be lost.";
constexpr std::size_t OutOfMemoryCut = 50;
}  // namespace

std::string PrintFileText(const std::vector<std::string>& lines) {
    std::string out = std::string(LineBreak) + LineBreak;
    for (const auto& line : lines) {
        out += line;
        out += LineBreak;
    }
    out += LineBreak;  // the trailing empty entry
    return out;
}

std::int16_t PrintWidthClassOf(const std::vector<std::string>& lines, float option9,
                               float option10) {
    std::int16_t cls = 0;
    for (const auto& line : lines) {
        const double length = static_cast<double>(line.size());
        if (length > option10)
            cls = 2;
        else if (length > option9)
            cls = 1;
    }
    return cls;
}

int PrinterFontPoints(std::int16_t widthClass) {
    if (widthClass == 1) return 10;
    if (widthClass == 2) return 8;
    return 12;
}

PrintCommands::PrintCommands(DataBuffer& buffer, const OptionValues& options, MessageSink& messages,
                             ProgressSink& progress, PrintPreviewSeam& preview, Printer& printer,
                             std::string programDirectory)
    : buffer_(buffer),
      options_(options),
      messages_(messages),
      progress_(progress),
      preview_(&preview),
      printer_(&printer),
      programDirectory_(std::move(programDirectory)) {}

void PrintCommands::PrintPage() {
    if (buffer_.PageLineCount() == 0) return;
    PrintLines(buffer_.PageLines());
}

void PrintCommands::PrintData() {
    if (buffer_.DataLineCount() == 0) {
        messages_.showMessage(NoDataMessage, msg::TitleInformation, MessageIcon::Exclamation);
        return;
    }
    PrintLines(buffer_.DataLines());
}

void PrintCommands::PrintLines(const std::vector<std::string>& lines) {
    BusyPointer busy(progress_);
    if (!WriteWholeFile(printFilePath(), PrintFileText(lines))) {
        messages_.showMessage("The print file " + printFilePath() + " cannot be written.",
                              msg::TitleWarning, MessageIcon::Exclamation);
        return;
    }
    // An open preview is only brought to the front; it keeps its text.
    if (!previewLoaded_) LoadPreview();
    preview_->show();
}

void PrintCommands::LoadPreview() {
    PrintWidthClass = 0;
    const auto lines = ReadTextLines(printFilePath());
    if (!lines) {
        messages_.showMessage("The print file " + printFilePath() + " cannot be read.",
                              msg::TitleWarning, MessageIcon::Exclamation);
        return;
    }
    PrintWidthClass =
        PrintWidthClassOf(*lines, options_.TenPointWidth(), options_.EightPointWidth());
    std::string text;
    for (const auto& line : *lines) {
        text += line;
        text += LineBreak;
    }
    // The edit area may refuse a large text: shorten it until it fits. An
    // empty text that is still refused leaves the preview empty.
    while (!preview_->setContent(text)) {
        messages_.showMessage(OutOfMemoryMessage, msg::TitleWarning, MessageIcon::Critical);
        if (text.empty()) break;
        text.resize(text.size() > OutOfMemoryCut ? text.size() - OutOfMemoryCut : 0);
    }
    previewLoaded_ = true;
}

void PrintCommands::PrintButton() {
    BusyPointer busy(progress_);
    printer_->setFont(PrinterFontFace, PrinterFontPoints(PrintWidthClass));
    const std::string text = preview_->content() + LineBreak;
    // The edited text replaces the print file; the lines printed are the
    // lines of that text, also when the file cannot be written.
    if (!WriteWholeFile(printFilePath(), text))
        messages_.showMessage("The print file " + printFilePath() + " cannot be written.",
                              msg::TitleWarning, MessageIcon::Exclamation);
    const float linesPerPage = options_.PrintedLinesPerPage();
    int n = 1;
    for (const std::string& line : TextLines(text)) {
        printer_->printLine(line);
        if (static_cast<float>(n) == linesPerPage) {
            printer_->newPage();
            n = 0;
        }
        ++n;
    }
    if (!printer_->endDocument())
        messages_.showMessage("The printer did not accept the document.", msg::TitleWarning,
                              MessageIcon::Exclamation);
    preview_->close();
    previewLoaded_ = false;
}

void PrintCommands::CancelButton() {
    preview_->close();
    previewLoaded_ = false;
}

}  // namespace novarel

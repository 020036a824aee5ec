#pragma once
// "&Print page" and "Print &data": the text goes through PRNTFILE.XXX and the
// preview window "Data To Be Printed", where the user may edit it before
// printing it with the glyph font.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/option_values.h"
#include "core/seams.h"
#include "core/text_lines.h"
#include "output/data_buffer.h"
#include "output/output_seams.h"

namespace novarel {

inline constexpr const char* PrintFileName = "PRNTFILE.XXX";
inline constexpr const char* PrinterFontFace = "EPHEMERI";
inline constexpr std::string_view PreviewCaption = "Data To Be Printed";
inline constexpr std::string_view PreviewHint = "Ctrl-C to copy.  Ctrl-X to cut.  Ctrl-V to paste.";
inline constexpr std::string_view PreviewFontFace = "Ephemeri";
inline constexpr int PreviewFontPoints = 9;

// The print file's text: two empty lines, then entries 0..count, each with CR LF.
std::string PrintFileText(const std::vector<std::string>& lines);

// The width class of a text's lines: a line longer than option 10 gives 2,
// longer than option 9 gives 1, a shorter one leaves the class as it is.
std::int16_t PrintWidthClassOf(const std::vector<std::string>& lines, float option9,
                               float option10);

// Printer font size of a width class: 12, 10 or 8 points.
int PrinterFontPoints(std::int16_t widthClass);

class PrintCommands {
public:
    PrintCommands(DataBuffer& buffer, const OptionValues& options, MessageSink& messages,
                  ProgressSink& progress, PrintPreviewSeam& preview, Printer& printer,
                  std::string programDirectory);

    void PrintPage();
    void PrintData();
    // The preview window's buttons.
    void PrintButton();
    void CancelButton();

    std::string printFilePath() const { return programDirectory_ + "/" + PrintFileName; }
    std::int16_t PrintWidthClass = 0;
    bool previewLoaded() const { return previewLoaded_; }

    void setPreview(PrintPreviewSeam& preview) { preview_ = &preview; }
    void setPrinter(Printer& printer) { printer_ = &printer; }

private:
    void PrintLines(const std::vector<std::string>& lines);
    void LoadPreview();

    DataBuffer& buffer_;
    const OptionValues& options_;
    MessageSink& messages_;
    ProgressSink& progress_;
    PrintPreviewSeam* preview_;
    Printer* printer_;
    std::string programDirectory_;
    bool previewLoaded_ = false;
};

}  // namespace novarel

#pragma once
// A printed book without a display: the Data window's data printed as
// "Print data" and the preview's "Print" print them, into a PDF file with
// the glyph font embedded. The header holds no Qt, so that the command line
// can use it; Qt runs on its offscreen platform.
#include <memory>
#include <string>

#include "app/program.h"

namespace novarel::ui {

class PdfBook {
public:
    // The pages go to pdfPath; the glyph font is read from the program folder.
    PdfBook(const std::string& programDirectory, const std::string& pdfPath, MessageSink& messages);
    ~PdfBook();
    PdfBook(const PdfBook&) = delete;
    PdfBook& operator=(const PdfBook&) = delete;

    // Empty when the book can be printed; else what is wrong.
    const std::string& error() const { return error_; }

    // Prints the program's data as the next pages: a range of periods is
    // printed by calling this after each period's run.
    bool addPeriod(Program& program);
    // Ends the file; false when the printer did not accept the document.
    bool finish();
    int pagesPrinted() const;

private:
    struct State;
    std::unique_ptr<State> state_;
    std::string error_;
};

}  // namespace novarel::ui

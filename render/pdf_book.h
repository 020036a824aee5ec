#pragma once
// A printed book without a display: the data of period after period printed
// as the desktop program's "Print data" and the preview's "Print" print them,
// into one PDF file with the glyph font embedded. The header holds no Qt:
// the command line opens the printing module (PdfModuleFile) only when it
// prints, and reaches the book through its one C entry point.
#include <memory>
#include <string>
#include <vector>

#include "core/seams.h"
#include "output/output_seams.h"

namespace novarel::render {

class PdfBook {
public:
    virtual ~PdfBook() = default;
    // Each document printed here starts on a new page of the book.
    virtual Printer& printer() = 0;
    // Ends the book and replaces the file with it; false (said through the
    // messages) when the file was not written. Without it the file keeps
    // what it held.
    virtual bool finish() = 0;
};

struct PdfBookRequest {
    std::string pdfPath;
    // The glyph font's places, tried in turn.
    std::vector<std::string> fontFiles;
    MessageSink* messages = nullptr;
};

// The book, or none when it cannot be printed (said through the messages).
std::unique_ptr<PdfBook> OpenPdfBook(const PdfBookRequest& request);

// The printing module and its entry point, which returns OpenPdfBook's book.
inline constexpr const char* PdfModuleFile = "novarel_render.so";
inline constexpr const char* PdfModuleEntry = "novarel_open_pdf_book";
using PdfModuleEntryFunction = PdfBook* (*)(const PdfBookRequest& request);

}  // namespace novarel::render

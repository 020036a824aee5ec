#include "render/pdf_book.h"

#include "core/messages.h"
#include "core/replacement_file.h"
#include "render/glyph_font_file.h"
#include "render/offscreen_application.h"
#include "render/page_text.h"
#include "render/qt_printer.h"

namespace novarel::render {
namespace {

// Each period's "Print" ends with endDocument; in a book the next period
// starts on a new page of the same document instead.
class BookPrinter final : public Printer {
public:
    explicit BookPrinter(QtPrinter& printer) : printer_(printer) {}
    void setFont(std::string_view face, int points) override { printer_.setFont(face, points); }
    void printLine(const std::string& line) override { printer_.printLine(line); }
    void newPage() override { printer_.newPage(); }
    bool endDocument() override {
        printer_.newPage();
        return true;
    }

private:
    QtPrinter& printer_;
};

class OffscreenBook final : public PdfBook {
public:
    explicit OffscreenBook(const PdfBookRequest& request)
        : printer_(FolderOf(request.pdfPath), *request.messages), book_(printer_) {
        printer_.printToPdf(request.pdfPath);
    }
    bool loadFont(const std::vector<std::string>& places) { return LoadGlyphFontFile(places); }
    bool start() { return printer_.startDocument(); }
    Printer& printer() override { return book_; }
    bool finish() override { return printer_.endDocument(); }

private:
    // Qt needs an application object; without a display it draws offscreen.
    OffscreenApplication app_;
    QtPrinter printer_;
    BookPrinter book_;
};

}  // namespace

std::unique_ptr<PdfBook> OpenPdfBook(const PdfBookRequest& request) {
    auto book = std::make_unique<OffscreenBook>(request);
    if (!book->loadFont(request.fontFiles)) {
        request.messages->showMessage(GlyphFontMissing(request.fontFiles), msg::TitleWarning,
                                      MessageIcon::Exclamation);
        return nullptr;
    }
    if (!book->start()) return nullptr;
    return book;
}

}  // namespace novarel::render

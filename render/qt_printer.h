#pragma once
// The printer of the print preview: QPrinter with the glyph font. Where no
// printer is installed, or the user chose printing to a file, the pages go
// to a PDF file that embeds the font; that file is replaced as every file of
// the program is: written beside it, checked, synced, then renamed onto it.
// A queue of the print system gets the same pages as PostScript with the
// font as an outline font (see postscript_pages.h), not Qt's PDF.
#include <QPrinter>
#include <memory>
#include <string>
#include <vector>

#include "core/seams.h"
#include "output/output_seams.h"

class QWidget;
class QPagedPaintDevice;

namespace novarel::render {

inline constexpr const char* PrintPdfFileName = "PRNTFILE.PDF";

class QtPrinter final : public Printer {
public:
    QtPrinter(std::string programDirectory, MessageSink& messages);
    ~QtPrinter() override;

    // Printer Setup: Qt's print dialog on this printer (its errors ignored).
    // The platform's printer dialog as a setup: printer or PDF file, page
    // and orientation, closed with OK; nothing is printed.
    void setup(QWidget* parent);
    // Print to this PDF file instead of a printer.
    void printToPdf(const std::string& path);
    QPrinter& qprinter() { return *printer_; }
    // Where the last document went: a printer name or a PDF path.
    const std::string& lastDestination() const { return lastDestination_; }
    int pagesPrinted() const { return pagesPrinted_; }

    // Starts the document before its first line, so that a PDF file that
    // cannot be created is said at once; false when it cannot start.
    bool startDocument();

    void setFont(std::string_view face, int points) override;
    void printLine(const std::string& line) override;
    void newPage() override;
    bool endDocument() override;
    bool landscape() const override;
    void setLandscape(bool landscape) override;

private:
    struct PdfFile;
    bool Begin();
    bool StartPostScript();
    bool SendPostScript();
    void AddPostScriptLine(const QString& text, const QFont& font, double y, double xScale);
    void FlushPage();
    void FitFontToPage(QFont& font, const QRectF& page);
    QPagedPaintDevice& Pages();
    int Resolution() const;
    void ReportPdfFailure(int error);

    std::string programDirectory_;
    MessageSink& messages_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<PdfFile> pdf_;
    std::unique_ptr<class QPainter> painter_;
    std::unique_ptr<class PostScriptPages> postscript_;
    std::string face_ = "EPHEMERI";
    int points_ = 12;
    std::vector<std::string> lines_;
    bool pageRequested_ = false;
    bool started_ = false;
    bool failed_ = false;
    int pagesPrinted_ = 0;
    std::string lastDestination_;
};

}  // namespace novarel::render

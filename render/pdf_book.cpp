#include "render/pdf_book.h"

#include <QApplication>
#include <QFontDatabase>
#include <cstdio>

#include "core/messages.h"
#include "core/replacement_file.h"
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

// Qt's messages as its own handler writes them, less the note that a
// session without a desktop (a terminal, cron, a container) has no runtime
// folder: the PDF needs none, and the note would read like a fault.
void CommandLineQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

std::unique_ptr<QApplication> OffscreenApplication(int& argc, char** argv) {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(CommandLineQtMessage);
    return std::make_unique<QApplication>(argc, argv);
}

// "the glyph font A cannot be loaded, nor B, nor C."
std::string FontMissing(const std::vector<std::string>& places) {
    std::string text =
        "the glyph font " + (places.empty() ? std::string() : places.front()) + " cannot be loaded";
    for (std::size_t i = 1; i < places.size(); ++i) text += ", nor " + places[i];
    return text + ".";
}

class OffscreenBook final : public PdfBook {
public:
    explicit OffscreenBook(const PdfBookRequest& request)
        : app_(OffscreenApplication(argc_, argv_)),
          printer_(FolderOf(request.pdfPath), *request.messages),
          book_(printer_) {
        printer_.printToPdf(request.pdfPath);
    }
    bool loadFont(const std::vector<std::string>& places) {
        for (const std::string& font : places)
            if (QFontDatabase::addApplicationFont(Qs(font)) != -1) return true;
        return false;
    }
    bool start() { return printer_.startDocument(); }
    Printer& printer() override { return book_; }
    bool finish() override { return printer_.endDocument(); }

private:
    // Qt needs an application object (which keeps argc by reference); without
    // a display it draws offscreen.
    int argc_ = 1;
    char name_[8] = "novarel";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
    QtPrinter printer_;
    BookPrinter book_;
};

}  // namespace

std::unique_ptr<PdfBook> OpenPdfBook(const PdfBookRequest& request) {
    auto book = std::make_unique<OffscreenBook>(request);
    if (!book->loadFont(request.fontFiles)) {
        request.messages->showMessage(FontMissing(request.fontFiles), msg::TitleWarning,
                                      MessageIcon::Exclamation);
        return nullptr;
    }
    if (!book->start()) return nullptr;
    return book;
}

}  // namespace novarel::render

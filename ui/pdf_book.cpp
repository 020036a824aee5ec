#include "ui/pdf_book.h"

#include <QApplication>
#include <QFontDatabase>
#include <cstdio>

#include "app/null_seams.h"
#include "ui/qt_printer.h"
#include "ui/qt_text.h"

namespace novarel::ui {
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

}  // namespace

namespace {
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
}  // namespace

struct PdfBook::State {
    State(const std::string& programDirectory, MessageSink& messages)
        : app(OffscreenApplication(argc, argv)),
          printer(programDirectory, messages),
          book(printer) {}
    // Qt needs an application object (which keeps argc by reference); without
    // a display it draws offscreen.
    int argc = 1;
    char name[8] = "novarel";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    QtPrinter printer;
    BookPrinter book;
    HeldPreview preview;
};

PdfBook::PdfBook(const std::string& programDirectory, const std::string& pdfPath,
                 MessageSink& messages) {
    state_ = std::make_unique<State>(programDirectory, messages);
    const std::string font = programDirectory + "/" + GlyphFontFile;
    if (QFontDatabase::addApplicationFont(Qs(font)) == -1)
        error_ = "the glyph font " + font + " cannot be loaded.";
    state_->printer.printToPdf(pdfPath);
}

PdfBook::~PdfBook() = default;

bool PdfBook::addPeriod(Program& program) {
    PrintCommands& printing = program.dataWindow.printing;
    printing.setPreview(state_->preview);
    printing.setPrinter(state_->book);
    printing.PrintData();
    if (!printing.previewLoaded()) return false;
    printing.PrintButton();
    return true;
}

bool PdfBook::finish() { return state_->printer.endDocument(); }

int PdfBook::pagesPrinted() const { return state_->printer.pagesPrinted(); }

}  // namespace novarel::ui

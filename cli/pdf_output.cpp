#include "cli/pdf_output.h"

#include <string>

#include "cli/console_seams.h"
#include "core/messages.h"

#ifdef NOVAREL_WITH_PDF
#include "app/null_seams.h"
#include "app/program_folder.h"
#include "cli/render_module.h"
#include "output/data_window.h"
#include "render/pdf_book.h"
#endif

namespace novarel::cli {

#ifdef NOVAREL_WITH_PDF
namespace {

// "Print data" of the period's data, then "Print" in the preview.
bool PrintPeriod(Program& program, Printer& printer) {
    HeldPreview preview;
    PrintCommands& printing = program.dataWindow.printing;
    printing.setPreview(preview);
    printing.setPrinter(printer);
    printing.PrintData();
    if (!printing.previewLoaded()) return false;
    printing.PrintButton();
    return true;
}

}  // namespace
#endif

int PrintPdfBook(const CommandSetup& setup, const std::vector<Period>& periods) {
    StderrMessages messages;
    const std::string& pdfPath = setup.options.pdf;
#ifdef NOVAREL_WITH_PDF
    const auto openBook = reinterpret_cast<render::PdfModuleEntryFunction>(
        RenderModuleEntry("--pdf", render::PdfModuleEntry));
    if (openBook == nullptr) return 1;
    const render::PdfBookRequest request{
        pdfPath, RuntimeFilePlaces(setup.programFolder, GlyphFontFile), &messages};
    const std::unique_ptr<render::PdfBook> book(openBook(request));
    if (!book) return 1;
    // Periods run here one after another: the printer belongs to this thread.
    MessagesSaidOnce said;
    said.say(setup.optionMessages);
    ThreadLibrary library;
    for (const Period& period : periods) {
        std::vector<std::string> lines;
        PeriodRun run(setup, library, lines);
        const int rc = run.Run(period);
        // The print step's messages (a print file that cannot be written)
        // follow the period's own.
        const bool printed = rc == 0 && PrintPeriod(run.program(), book->printer());
        said.say(lines);
        if (rc != 0) return rc;
        if (!printed) return 1;
    }
    return book->finish() ? 0 : 1;
#else
    (void)periods;
    messages.showMessage("--pdf " + pdfPath + ": this novarel was built without Qt's printer.",
                         msg::TitleWarning, MessageIcon::Exclamation);
    return 1;
#endif
}

}  // namespace novarel::cli

#include "cli/pdf_output.h"

#include <string>

#include "cli/console_seams.h"
#include "core/messages.h"

#ifdef NOVAREL_WITH_PDF
#include "ui/pdf_book.h"
#endif

namespace novarel::cli {

int PrintPdfBook(const CommandSetup& setup, const std::vector<Period>& periods) {
    StderrMessages messages;
    const std::string& pdfPath = setup.options.pdf;
#ifdef NOVAREL_WITH_PDF
    ui::PdfBook book(setup.programFolder, pdfPath, messages);
    if (!book.error().empty()) {
        messages.showMessage(book.error(), msg::TitleWarning, MessageIcon::Exclamation);
        return 1;
    }
    // Periods run here one after another: the printer belongs to this thread.
    MessagesSaidOnce said;
    said.say(setup.optionMessages);
    ThreadLibrary library;
    for (const Period& period : periods) {
        std::vector<std::string> lines;
        PeriodRun run(setup, library, lines);
        const int rc = run.Run(period);
        said.say(lines);
        if (rc != 0) return rc;
        if (!book.addPeriod(run.program())) return 1;
    }
    if (!book.finish()) {
        messages.showMessage("The PDF file " + pdfPath + " cannot be written.", msg::TitleWarning,
                             MessageIcon::Exclamation);
        return 1;
    }
    return 0;
#else
    (void)periods;
    messages.showMessage("--pdf " + pdfPath + ": this novarel was built without Qt's printer.",
                         msg::TitleWarning, MessageIcon::Exclamation);
    return 1;
#endif
}

}  // namespace novarel::cli

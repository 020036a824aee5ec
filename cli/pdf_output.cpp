#include "cli/pdf_output.h"

#include "core/messages.h"

#ifdef NOVAREL_WITH_PDF
#include "ui/pdf_book.h"
#endif

namespace novarel::cli {

int PrintPdf(Program& program, const std::string& pdfPath, MessageSink& messages) {
#ifdef NOVAREL_WITH_PDF
    ui::PdfBook book(program.programDirectory(), pdfPath, messages);
    if (!book.error().empty()) {
        messages.showMessage(book.error(), msg::TitleWarning, MessageIcon::Exclamation);
        return 1;
    }
    if (!book.addPeriod(program)) return 1;
    if (!book.finish()) {
        messages.showMessage("The PDF file " + pdfPath + " cannot be written.", msg::TitleWarning,
                             MessageIcon::Exclamation);
        return 1;
    }
    return 0;
#else
    (void)program;
    messages.showMessage("--pdf " + pdfPath + ": this novarel was built without Qt's printer.",
                         msg::TitleWarning, MessageIcon::Exclamation);
    return 1;
#endif
}

}  // namespace novarel::cli

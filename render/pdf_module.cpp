// The printing module's one exported name, looked up with dlsym by the
// command line (render/pdf_book.h).
#include "render/pdf_book.h"

extern "C" __attribute__((visibility("default"))) novarel::render::PdfBook* novarel_open_pdf_book(
    const novarel::render::PdfBookRequest& request) {
    return novarel::render::OpenPdfBook(request).release();
}

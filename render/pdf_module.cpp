// The printing module's exported names, looked up with dlsym by the
// command line (render/pdf_book.h, render/graph_book.h).
#include "render/graph_book.h"
#include "render/pdf_book.h"

extern "C" __attribute__((visibility("default"))) novarel::render::PdfBook* novarel_open_pdf_book(
    const novarel::render::PdfBookRequest& request) {
    return novarel::render::OpenPdfBook(request).release();
}

extern "C" __attribute__((visibility("default"))) bool novarel_write_graph_file(
    const novarel::render::GraphFileRequest& request) {
    return novarel::render::WriteGraphFileOffscreen(request);
}

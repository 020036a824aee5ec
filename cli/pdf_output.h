#pragma once
// --pdf: the run's data printed into a PDF file through the desktop
// program's printer. A build without Qt has no printer and says so.
#include <string>

#include "app/program.h"

namespace novarel::cli {

// The exit status: 0 when the file was written, else 1 with a message.
int PrintPdf(Program& program, const std::string& pdfPath, MessageSink& messages);

}  // namespace novarel::cli

#pragma once
// --pdf: the data of each period printed into one PDF file through the
// desktop program's printer, one period after another. A build without Qt
// has no printer and says so.
#include <vector>

#include "cli/period_runs.h"

namespace novarel::cli {

// The exit status: 0 when the file was written, else that of the failed
// period or 1 with a message.
int PrintPdfBook(const CommandSetup& setup, const std::vector<Period>& periods);

}  // namespace novarel::cli

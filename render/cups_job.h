#pragma once
// A PostScript document handed to a print queue of the print system.
#include <string>
#include <utility>
#include <vector>

namespace novarel::render {

using JobOptions = std::vector<std::pair<std::string, std::string>>;

// True when the print system knows this queue.
bool IsPrintQueue(const std::string& queue);

// Sends the document as one job; false when the queue did not take it.
bool SendPostScriptJob(const std::string& queue, const std::string& title,
                       const std::string& postscript, const JobOptions& options);

}  // namespace novarel::render

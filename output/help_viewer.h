#pragma once
// Help texts are plain text files in the program folder, shown as a page of
// the Data window through the data buffer.
#include <string>

#include "core/seams.h"
#include "output/data_buffer.h"

namespace novarel {

// The file's lines as a new page, then a blank line, then ShowPage. A file
// that cannot be read is reported with a message naming it, and the page
// shown stays as it was. Returns whether the text was shown.
bool ShowHelpText(DataBuffer& buffer, MessageSink& messages, const std::string& programDirectory,
                  const std::string& helpFileName);

}  // namespace novarel

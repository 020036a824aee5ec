#include "output/help_viewer.h"

#include "core/messages.h"
#include "core/text_file.h"

namespace novarel {

bool ShowHelpText(DataBuffer& buffer, MessageSink& messages, const std::string& programDirectory,
                  const std::string& helpFileName) {
    const std::string path = programDirectory + "/" + helpFileName;
    // Read before clearing the page, so a missing file leaves the page alone.
    auto lines = ReadTextLines(path);
    if (!lines) {
        const std::string reason = IsTooLargeToRead(path)
                                       ? TooLargeText(path) + " and is not shown."
                                       : path + " cannot be read.";
        messages.showMessage("The help file " + reason, msg::TitleWarning,
                             MessageIcon::Exclamation);
        return false;
    }
    buffer.ClearPage();
    for (const auto& line : *lines) {
        buffer.CurrentLine = line;
        buffer.AppendLine();
    }
    buffer.AppendBlankLine();
    buffer.ShowPage();
    return true;
}

}  // namespace novarel

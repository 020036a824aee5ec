#include "app/options_file.h"

#include <algorithm>
#include <limits>

#include "core/fixed_format.h"
#include "core/messages.h"
#include "core/text_file.h"
#include "core/text_lines.h"

namespace novarel {

void ParseOptionsText(const std::string& text, OptionValues& values) {
    int k = 0;
    for (const std::string_view line : SplitLines(text)) {
        if (line.empty()) break;
        if (++k > 12) break;
        const double v = LeadingNumber(line.substr(0, 7));
        constexpr double FloatMax = std::numeric_limits<float>::max();
        values[k] = static_cast<float>(std::clamp(v, -FloatMax, FloatMax));
    }
}

bool ReadOptionsFile(const std::string& programDirectory, OptionValues& values) {
    auto text = ReadWholeFile(programDirectory + "/" + OptionsFileName);
    if (!text) return false;
    ParseOptionsText(*text, values);
    return true;
}

void LoadOptionsAtStartup(const std::string& programDirectory, OptionValues& values,
                          MessageSink& messages) {
    values = OptionValues::Factory();
    if (!ReadOptionsFile(programDirectory, values)) {
        messages.showMessage("The options file " + programDirectory + "/" + OptionsFileName +
                                 " cannot be read. The program goes on with the factory settings.",
                             msg::TitleWarning, MessageIcon::Exclamation);
    }
}

OptionsEditor::OptionsEditor(std::string programDirectory, OptionValues& values,
                             MessageSink& messages)
    : dir_(std::move(programDirectory)), values_(&values), messages_(&messages) {}

std::string OptionsEditor::optionsPath() const { return dir_ + "/" + OptionsFileName; }
std::string OptionsEditor::masterPath() const { return dir_ + "/" + OptionsMasterName; }

bool OptionsEditor::Open() {
    if (!FileExists(optionsPath())) {
        messages_->showMessage("File Not Found", msg::TitleWarning, MessageIcon::Information);
        return false;
    }
    return true;
}

std::string OptionsEditor::Load() const {
    std::string text;
    if (auto lines = ReadTextLines(optionsPath()))
        for (const auto& l : *lines) text += l + "\r\n";
    return text;
}

bool OptionsEditor::Save(const std::string& text) {
    // The editor's text ends with the line break of its last line; it is
    // written once. A text without that ending is kept whole.
    std::string body = text;
    if (body.size() >= 2 && body.compare(body.size() - 2, 2, "\r\n") == 0)
        body.resize(body.size() - 2);
    body += "\r\n";
    if (!WriteWholeFile(optionsPath(), body)) {
        messages_->showMessage(
            "The options file " + optionsPath() + " cannot be written. Your changes are not saved.",
            msg::TitleWarning, MessageIcon::Exclamation);
        return false;
    }
    ReadOptionsFile(dir_, *values_);
    return true;
}

bool OptionsEditor::RestoreDefault(std::string& newText) {
    auto master = ReadWholeFile(masterPath());
    if (!master || !WriteWholeFile(optionsPath(), *master)) {
        messages_->showMessage("Error in operation. Cannot do what is requested.",
                               msg::TitleWarning, MessageIcon::Information);
        return false;
    }
    newText = Load();
    return true;
}

}  // namespace novarel

#include "app/options_file.h"

#include <fmt/format.h>

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
        if (++k > OptionCount) break;
        const double v = LeadingNumber(line.substr(0, 7));
        constexpr double FloatMax = std::numeric_limits<float>::max();
        values[k] = static_cast<float>(std::clamp(v, -FloatMax, FloatMax));
    }
}

namespace {

constexpr std::size_t ValueFieldWidth = 7;

std::string_view Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// One decimal number, with an optional sign and exponent, and nothing else.
bool IsOneNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

}  // namespace

std::vector<OptionLineProblem> OptionLineProblems(const std::string& text) {
    std::vector<OptionLineProblem> problems;
    std::size_t start = 0;
    int k = 0;
    while (start < text.size()) {
        const std::size_t nl = text.find('\n', start);
        std::string line =
            text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || ++k > OptionCount) break;
        // The value is the first word of the field; a description may follow
        // inside it ("100   10: ...").
        std::string_view field = Trimmed(std::string_view(line).substr(0, ValueFieldWidth));
        field = field.substr(0, field.find_first_of(" \t"));
        if (!IsOneNumber(field)) {
            OptionValues v = OptionValues::Factory();
            ParseOptionsText(line, v);
            problems.push_back({k, std::string(field), v[1]});
        }
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return problems;
}

bool ReadOptionsFile(const std::string& programDirectory, OptionValues& values,
                     MessageSink* messages) {
    const std::string path = programDirectory + "/" + OptionsFileName;
    auto text = ReadWholeFile(path);
    if (!text) {
        if (messages != nullptr && IsTooLargeToRead(path))
            messages->showMessage("The options file " + TooLargeText(path) +
                                      " and is not read. The values stay as they were.",
                                  msg::TitleWarning, MessageIcon::Exclamation);
        return false;
    }
    ParseOptionsText(*text, values);
    if (messages == nullptr) return true;
    // One message for the whole file: a damaged file is one thing to mend,
    // not a window to close for each of its lines.
    const std::vector<OptionLineProblem> problems = OptionLineProblems(*text);
    if (problems.size() == 1) {
        const OptionLineProblem& p = problems.front();
        messages->showMessage(fmt::format("Line {} of the options file {} is not a number "
                                          "(\"{}\"). Option {} is set to {}.",
                                          p.line, path, p.field, p.line, p.used),
                              msg::TitleWarning, MessageIcon::Exclamation);
    } else if (!problems.empty()) {
        std::string said = fmt::format(
            "{} lines of the options file {} are not numbers; each option is set as shown:",
            problems.size(), path);
        for (const OptionLineProblem& p : problems)
            said += fmt::format("\nLine {} (\"{}\"): option {} is set to {}.", p.line, p.field,
                                p.line, p.used);
        messages->showMessage(said, msg::TitleWarning, MessageIcon::Exclamation);
    }
    return true;
}

void LoadOptionsAtStartup(const std::string& programDirectory, OptionValues& values,
                          MessageSink& messages) {
    values = OptionValues::Factory();
    if (IsTooLargeToRead(programDirectory + "/" + OptionsFileName)) {
        messages.showMessage("The options file " +
                                 TooLargeText(programDirectory + "/" + OptionsFileName) +
                                 " and is not read. The program goes on with the factory "
                                 "settings.",
                             msg::TitleWarning, MessageIcon::Exclamation);
        return;
    }
    if (!ReadOptionsFile(programDirectory, values, &messages)) {
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
    if (IsTooLargeToRead(optionsPath())) {
        messages_->showMessage(
            "The options file " + TooLargeText(optionsPath()) + " and cannot be edited.",
            msg::TitleWarning, MessageIcon::Exclamation);
        return false;
    }
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
    ReadOptionsFile(dir_, *values_, messages_);
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

// Any bytes as the files the program reads back from its folder: the options file and its
// warnings, a help text, the print file. Each is written into a folder of its own and read
// through the same functions the windows and the command line use.
#include <algorithm>
#include <string>
#include <vector>

#include "app/options_file.h"
#include "core/fixed_format.h"
#include "core/set_journal.h"
#include "core/text_file.h"
#include "core/text_lines.h"
#include "natal/chart_file.h"
#include "output/data_buffer.h"
#include "output/help_viewer.h"
#include "output/printing.h"
#include "tests/fuzz/fuzz_cases.h"
#include "tests/fuzz/scratch_folder.h"

namespace novarel::fuzz {
namespace {

class CountedMessages final : public MessageSink {
public:
    void showMessage(std::string_view, std::string_view, MessageIcon) override { ++count; }
    int count = 0;
};

class TallView final : public DataView {
public:
    int innerHeight() override { return 40; }
    void setText(const std::string&) override {}
    void setCaption(const std::string&) override {}
    void showWindow() override {}
};

// The value field's first word is plain digits: a number by any reading.
bool PlainDigits(std::string_view line) {
    std::string_view field = line.substr(0, 7);
    const std::size_t first = field.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    field = field.substr(first);
    field = field.substr(0, field.find_first_of(" \t"));
    return std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void OptionsFileWarnings(const std::string& text) {
    ScratchFolder dir;
    if (!dir.ok() || !WriteWholeFile(dir.file(OptionsFileName), text)) return;
    OptionValues values = OptionValues::Factory();
    CountedMessages messages;
    if (!ReadOptionsFile(dir.path(), values, &messages)) {
        // Only a file too large to read is refused, and it is said so once.
        if (text.size() <= MaxTextFileBytes || messages.count != 1) __builtin_trap();
        return;
    }
    const std::vector<OptionLineProblem> problems = OptionLineProblems(text);
    // One warning names every line that is not a number.
    if (messages.count != (problems.empty() ? 0 : 1)) __builtin_trap();
    const std::vector<std::string_view> lines = SplitLines(text);
    int previous = 0;
    for (const OptionLineProblem& p : problems) {
        // Lines are named once each, in order, among those read.
        if (p.line <= previous || p.line > OptionCount || p.line > static_cast<int>(lines.size()))
            __builtin_trap();
        previous = p.line;
        // The warning names the value the option was given, and a line of plain digits is
        // never named.
        if (values[p.line] != p.used) __builtin_trap();
        if (PlainDigits(lines[static_cast<std::size_t>(p.line - 1)])) __builtin_trap();
    }
}

void HelpTextShown(const std::string& text) {
    ScratchFolder dir;
    if (!dir.ok() || !WriteWholeFile(dir.file("FUZZ.HLP"), text)) return;
    CountedMessages messages;
    TallView view;
    DataBuffer buffer(messages, view);
    const bool shown = ShowHelpText(buffer, messages, dir.path(), "FUZZ.HLP");
    const auto lines = ReadTextLines(dir.file("FUZZ.HLP"));
    if (shown != lines.has_value()) __builtin_trap();
    if (!shown) return;
    // The page is the file's lines, as far as the buffer holds them, then blank lines.
    const std::size_t held = std::min(lines->size(), static_cast<std::size_t>(MaxBufferLines) - 2);
    const std::vector<std::string>& page = buffer.PageLines();
    if (page.size() < held) __builtin_trap();
    for (std::size_t i = 0; i < held; ++i)
        if (page[i] != (*lines)[i]) __builtin_trap();
    for (std::size_t i = held; i < page.size(); ++i)
        if (!page[i].empty()) __builtin_trap();
}

void SetJournalReadBack(const std::string& text) {
    const auto entries = ParseJournal(text);
    if (!entries) return;
    // What is read names files in the folder only, and writes back as itself.
    for (const JournalEntry& e : *entries)
        for (const std::string* name : {&e.finalName, &e.tempName, &e.backupName})
            if (name->empty() || name->find('/') != std::string::npos || *name == "." ||
                *name == "..")
                __builtin_trap();
    const auto written = JournalText(*entries);
    if (!written) __builtin_trap();
    const auto again = ParseJournal(*written);
    if (!again || again->size() != entries->size()) __builtin_trap();
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const JournalEntry &a = (*entries)[i], &b = (*again)[i];
        if (a.finalName != b.finalName || a.tempName != b.tempName ||
            a.backupName != b.backupName || a.tempInode != b.tempInode)
            __builtin_trap();
    }
    // Rolled back in a folder of its own: either the journal is gone or a
    // problem is said.
    ScratchFolder dir;
    if (!dir.ok() || !WriteWholeFile(JournalPath(dir.path()), text)) return;
    const std::string problem = RollBackUnfinishedSet(dir.path());
    if (problem.empty() && FileExists(JournalPath(dir.path()))) __builtin_trap();
}

void PrintFileReadBack(const std::string& text) {
    // Lines as the Data window holds them: no line breaks inside.
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    ScratchFolder dir;
    if (!dir.ok() || !WriteWholeFile(dir.file(PrintFileName), PrintFileText(lines))) return;
    const auto back = ReadTextLines(dir.file(PrintFileName));
    if (!back) {
        if (PrintFileText(lines).size() <= MaxTextFileBytes) __builtin_trap();
        return;
    }
    // Two empty lines, the lines as they were, the trailing empty entry.
    if (back->size() != lines.size() + 3 || !(*back)[0].empty() || !(*back)[1].empty() ||
        !back->back().empty())
        __builtin_trap();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if ((*back)[i + 2] != lines[i]) __builtin_trap();
    // The print is in the large font only when no line is wider than the narrow limit.
    const bool wide =
        std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.size() > 80; });
    const std::int16_t widthClass = PrintWidthClassOf(*back, 80, 96);
    if (widthClass < 0 || widthClass > 2 || (widthClass == 0) == wide) __builtin_trap();
}

void ChartFileReadBack(const std::string& text) {
    ScratchFolder dir;
    const std::string path = dir.file(ChartFileName.data());
    if (!dir.ok() || !WriteWholeFile(path, text)) return;
    const ChartList list = ReadChartFile(path);
    NatalChart added;
    added.name = "fuzz \xe2\x98\x89 added";
    added.date = {1975, 6, 21};
    const std::string saved = SaveChart(path, added);
    if (!list.error.empty()) {
        // A damaged file is refused and kept byte for byte.
        if (saved.empty() || ReadWholeFile(path) != text) __builtin_trap();
        return;
    }
    for (const NatalChart& chart : list.charts)
        if (!ChartProblem(chart).empty()) __builtin_trap();
    const ChartList again = ReadChartFile(path);
    const bool clash = FindChart(list, added.name).has_value();
    if (!again.error.empty() || saved.empty() == clash ||
        again.charts.size() != list.charts.size() + (clash ? 0 : 1))
        __builtin_trap();
    for (std::size_t i = 0; i < list.charts.size(); ++i)
        if (ChartFileText({&list.charts[i], 1}) != ChartFileText({&again.charts[i], 1}))
            __builtin_trap();
}

}  // namespace novarel::fuzz

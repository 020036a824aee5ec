#pragma once
// OPTIONS.OPT: OptionCount numbers, one per line in the first seven characters,
// with OPTIONS.MAS as the factory copy.
#include <string>
#include <vector>

#include "core/option_values.h"
#include "core/seams.h"

namespace novarel {

inline constexpr const char* OptionsFileName = "OPTIONS.OPT";
inline constexpr const char* OptionsMasterName = "OPTIONS.MAS";

// Values from the lines of an options text; values whose line is absent keep
// their earlier value. The first empty line ends the values.
void ParseOptionsText(const std::string& text, OptionValues& values);

// A line whose value field (its first seven characters) is not a number.
struct OptionLineProblem {
    int line = 0;       // 1..OptionCount
    std::string field;  // as written, blanks trimmed
    float used = 0;     // the value taken from it
};

// The lines ParseOptionsText reads whose field is not one number.
std::vector<OptionLineProblem> OptionLineProblems(const std::string& text);

// Reads programDirectory/OPTIONS.OPT into values; false when it cannot be read
// or is larger than MaxTextFileBytes (values unchanged). With messages, each
// line that is not a number gets a "Warning!" naming it and the value used,
// and a file too large to read is reported.
bool ReadOptionsFile(const std::string& programDirectory, OptionValues& values,
                     MessageSink* messages = nullptr);

// Start-up: factory values first, then the file; a missing or unreadable file
// is reported with a message naming it and the factory values stay.
void LoadOptionsAtStartup(const std::string& programDirectory, OptionValues& values,
                          MessageSink& messages);

// The options editor without its window.
class OptionsEditor {
public:
    OptionsEditor(std::string programDirectory, OptionValues& values, MessageSink& messages);

    // "File Not Found" and false when OPTIONS.OPT cannot be read.
    bool Open();
    // The file's lines each followed by CR LF.
    std::string Load() const;
    // Writes the text back (a final CR LF is not doubled), then rereads the
    // values. false, with a message naming the file, when it cannot be written.
    bool Save(const std::string& text);
    // Copies OPTIONS.MAS over OPTIONS.OPT; on success returns the new text.
    // On failure the message "Error in operation..." and an empty result.
    bool RestoreDefault(std::string& newText);

    std::string optionsPath() const;
    std::string masterPath() const;
    static constexpr const char* Title = "Edit: OPTIONS.OPT";

private:
    std::string dir_;
    OptionValues* values_;
    MessageSink* messages_;
};

}  // namespace novarel

#pragma once
// novarel_SE.ini: the Data window's font, the places of the three windows and
// the input choices, kept between runs as 24 "key=value" lines, then
// "TimeZone=" when the runs are on a local clock, "NatalChart=" when a
// natal chart is chosen and "PrintOrientation=Landscape" when printed pages
// are turned sideways (any may be missing, and their order is free).
#include <string>
#include <vector>

#include "app/input_form.h"
#include "core/seams.h"
#include "output/data_window.h"

namespace novarel {

inline constexpr const char* SettingsFileName = "novarel_SE.ini";
inline constexpr const char* SettingsHeader =
    "[novarel_SE] - Do NOT change the order of these variables.";

// The main window's place; its properties are 32-bit floats.
struct MainWindowPlace {
    float top = 0;
    float left = 0;
    float height = 675;
    float width = 6550;

    WindowRect rect() const { return {top, left, height, width}; }
};

struct SettingsLinks {
    DataWindowSettings& data;
    MainWindowPlace& main;
    InputForm& input;
};

// The defaults of a run without a settings file.
void SetSettingsDefaults(SettingsLinks links);

// Defaults, then every line of the text in order. Reading stops at a value
// that does not fit its field, keeping what was applied before it. Option
// lines load the input window, which takes its place at that moment.
void ApplySettingsLines(const std::vector<std::string>& lines, SettingsLinks links);

// The file in the program folder; a missing or unreadable file leaves the
// defaults, without a message. A file larger than MaxTextFileBytes leaves the
// defaults too, and is reported when messages is given.
void ReadSettings(const std::string& path, SettingsLinks links, MessageSink* messages = nullptr);

// The 24 lines in their fixed order (the zone's after them when it is not
// UT, then the chosen chart's when there is one), each ended by CR LF.
std::string SettingsText(SettingsLinks links);

// Writes the file; a failure is reported with a message naming the file.
bool WriteSettings(const std::string& path, SettingsLinks links, MessageSink& messages);

}  // namespace novarel

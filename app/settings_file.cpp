#include "app/settings_file.h"

#include <fmt/format.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/fixed_format.h"
#include "core/messages.h"
#include "core/text_file.h"

namespace novarel {
namespace {

// Font sizes the text area accepts; a larger value does not fit.
constexpr double MaxFontSize = 2048;
constexpr double MinStoredFontSize = 7.75;

// Conversions into the fields; false when the value does not fit.
bool ToField(double x, std::int16_t& out) { return ToInt16(x, out); }

bool ToField(double x, std::int32_t& out) {
    const double r = RoundHalfEven(x);
    if (!(r >= double(std::numeric_limits<std::int32_t>::min()) &&
          r <= double(std::numeric_limits<std::int32_t>::max())))
        return false;
    out = static_cast<std::int32_t>(r);
    return true;
}

bool ToField(double x, float& out) {
    if (!(std::fabs(x) <= double(FLT_MAX))) return false;
    out = static_cast<float>(x);
    return true;
}

// Shortest text of a 32-bit value, in the number form of the file.
std::string SingleText(float x) {
    if (x == 0) return " 0";
    const std::string s = fmt::format("{}", x);
    return x > 0 ? " " + s : s;
}

// A size that must be positive: a value that is not, or that becomes 0 in
// its field (0.1 in a whole-number field), is ignored like a missing line, so
// that what is written always reads back the same. False when it does not fit.
template <class Field>
bool ToPositiveField(double x, Field& out) {
    if (!(x > 0)) return true;
    Field v{};
    if (!ToField(x, v)) return false;
    if (v > 0) out = v;
    return true;
}

std::string_view TrimmedZone(std::string_view value) {
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

bool StartsWith(std::string_view line, std::string_view key) {
    return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

// Applies every key the line begins with; false when a value does not fit,
// which ends the reading.
bool ApplyLine(std::string_view line, SettingsLinks& l) {
    const std::size_t eq = line.find('=');
    const std::string_view value = eq == std::string_view::npos ? line : line.substr(eq + 1);
    const double n = LeadingNumber(value);
    DataWindowSettings& d = l.data;
    InputForm& in = l.input;
    auto key = [&](std::string_view k) { return StartsWith(line, k); };

    if (key("FontSize") && n >= MinStoredFontSize) {
        if (n > MaxFontSize) return false;
        d.FontSize = n;
    }
    if (key("FontBold")) d.FontBold = n;
    if (key("FontItalic")) d.FontItalic = n;
    if (key("NOVARELTop") && !ToField(n, l.main.top)) return false;
    if (key("NOVARELLeft") && !ToField(n, l.main.left)) return false;
    if (key("NOVARELHeight") && !ToPositiveField(n, l.main.height)) return false;
    if (key("NOVARELWidth") && !ToPositiveField(n, l.main.width)) return false;
    if (key("DataTop") && !ToPositiveField(n, d.DataTop)) return false;
    if (key("DataLeft") && !ToField(n, d.DataLeft)) return false;
    if (key("DataHeight") && !ToPositiveField(n, d.DataHeight)) return false;
    if (key("DataWidth") && !ToPositiveField(n, d.DataWidth)) return false;
    if (key("InputLeft") && !ToField(n, in.InputLeft)) return false;
    if (key("InputHeight") && !ToPositiveField(n, in.InputHeight)) return false;
    if (key("InputWidth") && !ToPositiveField(n, in.InputWidth)) return false;
    if (key("InputTop") && !ToPositiveField(n, in.InputTop)) return false;
    if (key("CalcFullMonth")) {
        const bool checked = value == "Yes";
        // Only a change of the check box is a click.
        if (in.Controls().chkFullMonth != checked) in.SetFullMonth(checked);
    }
    if (key("SaveData")) in.Controls().chkSaveData = value == "Yes";
    if (key("Type"))
        in.Controls().type = value == "Midnight" ? TimeOfDay::Midnight : TimeOfDay::Noon;
    if (key("NumberOfDays")) {
        // Only the working value: the days box receives it at the end of start-up.
        std::int16_t days = 0;
        if (!ToPositiveField(n, days)) return false;
        if (days > 0) in.SetWorkingDays(days);
    }
    if (key("Coordinates"))
        in.Controls().coordinates = value == "Helio" ? Centre::Helio : Centre::Geo;
    if (key("MoonNodes"))
        in.Controls().moonNodes = value == "Mean" ? NodeKind::Mean : NodeKind::True;
    if (key("Zodiac")) {
        Zodiac z = Zodiac::Tropical;
        if (value == "Sidereal")
            z = Zodiac::Sidereal;
        else if (value == "Ayanamsa")
            z = Zodiac::Ayanamsa;
        in.Controls().zodiac = z;
    }
    if (key("TimeZone")) {
        // Checked when a run starts: a name the database no longer knows is
        // reported then, in the window's own message.
        const std::string_view name = TrimmedZone(value);
        in.Controls().timeZone = name.empty() ? "UT" : std::string(name);
    }
    if (key("PrintOrientation")) d.PrintLandscape = value == "Landscape";
    // The name exactly as the chart file has it, blanks included.
    if (key("NatalChart") && eq != std::string_view::npos)
        in.Controls().natalChart = std::string(value);
    if (key("MoonChangeSign"))
        in.Controls().moonChangeSign =
            value == "Display" ? MoonChangeSign::Display : MoonChangeSign::NoDisplay;
    return true;
}

}  // namespace

void SetSettingsDefaults(SettingsLinks links) {
    DataWindowSettings& d = links.data;
    d.FontSize = 10;
    d.FontBold = 0;
    d.FontItalic = 0;
    links.main = MainWindowPlace{};
    d.DataTop = 660;
    d.DataLeft = 0;
    d.DataHeight = 6540;
    d.DataWidth = 9600;
    InputForm& in = links.input;
    in.InputTop = 1260;
    in.InputLeft = 0;
    in.InputHeight = 5565;
    in.InputWidth = 5865;
    in.SetWorkingDays(30);
}

void ApplySettingsLines(const std::vector<std::string>& lines, SettingsLinks links) {
    for (const auto& line : lines)
        if (!ApplyLine(line, links)) return;  // the lines before keep their effect
}

void ReadSettings(const std::string& path, SettingsLinks links, MessageSink* messages) {
    SetSettingsDefaults(links);
    if (auto lines = ReadTextLines(path))
        ApplySettingsLines(*lines, links);
    else if (messages != nullptr && IsTooLargeToRead(path))
        messages->showMessage("The settings file " + TooLargeText(path) +
                                  " and is not read. The program starts with its defaults.",
                              msg::TitleWarning, MessageIcon::Exclamation);
}

std::string SettingsText(SettingsLinks links) {
    const DataWindowSettings& d = links.data;
    const InputForm& in = links.input;
    const CalcRequest& r = in.request();
    std::vector<std::string> lines{
        SettingsHeader,
        "FontSize=" + NumberText(d.FontSize),
        "FontBold=" + NumberText(d.FontBold),
        "FontItalic=" + NumberText(d.FontItalic),
        "NOVARELTop=" + SingleText(links.main.top),
        "NOVARELLeft=" + SingleText(links.main.left),
        "NOVARELHeight=" + SingleText(links.main.height),
        "NOVARELWidth=" + SingleText(links.main.width),
        "DataTop=" + NumberText(d.DataTop),
        "DataLeft=" + NumberText(d.DataLeft),
        "DataHeight=" + NumberText(d.DataHeight),
        "DataWidth=" + NumberText(d.DataWidth),
        "InputTop=" + NumberText(in.InputTop),
        "InputLeft=" + NumberText(in.InputLeft),
        "InputHeight=" + NumberText(in.InputHeight),
        "InputWidth=" + NumberText(in.InputWidth),
        std::string("CalcFullMonth=") + (r.chkFullMonth ? "Yes" : "No"),
        std::string("SaveData=") + (r.chkSaveData ? "Yes" : "No"),
        std::string("Type=") + (r.optMidnight() ? "Midnight" : "Noon"),
        "NumberOfDays=" + in.txtDays(),
        std::string("Coordinates=") + (r.optHelio() ? "Helio" : "Geo"),
        std::string("MoonNodes=") + (r.optMean() ? "Mean" : "True"),
        std::string("Zodiac=") + (r.optSidereal()   ? "Sidereal"
                                  : r.optAyanamsa() ? "Ayanamsa"
                                                    : "Tropical"),
        std::string("MoonChangeSign=") +
            (r.moonChangeSign == MoonChangeSign::Display ? "Display" : "No Display"),
    };
    // A file written before local clocks existed has no zone line, and one
    // written with UT needs none: its bytes stay those of the 24 lines.
    if (r.timeZone != "UT") lines.push_back("TimeZone=" + r.timeZone);
    // Likewise the chosen natal chart: no line while none is chosen.
    if (!r.natalChart.empty()) lines.push_back("NatalChart=" + r.natalChart);
    // And the printed pages' orientation, only when turned sideways.
    if (d.PrintLandscape) lines.push_back("PrintOrientation=Landscape");
    std::string text;
    for (const auto& line : lines) text += line + LineBreak;
    return text;
}

bool WriteSettings(const std::string& path, SettingsLinks links, MessageSink& messages) {
    if (WriteWholeFile(path, SettingsText(links))) return true;
    messages.showMessage(
        "The settings file " + path +
            " cannot be written. The window places, the font and the input choices of "
            "this session are not kept.",
        msg::TitleWarning, MessageIcon::Exclamation);
    return false;
}

}  // namespace novarel

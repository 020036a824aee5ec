#pragma once
// The "Natal charts" window without its toolkit: the charts of the chart
// file, the chart being edited as the user typed it, the checks of what was
// typed, and the chosen chart of the calculation request.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc_request.h"
#include "core/seams.h"
#include "natal/natal_chart.h"

namespace novarel {

inline constexpr std::string_view NatalChartsTitle = "Natal charts";

// What Charts > Transits says when no chart is chosen, as it opens the window.
inline constexpr std::string_view ChooseChartForTransits =
    "The transits are found for a natal chart. Select a chart in the Natal charts "
    "window and press Choose, then ask for the transits again.";

// The boxes of the edited chart, in the window's order.
enum class ChartField { Name, Month, Day, Year, Hour, Minute, TimeZone, Latitude, Longitude };

struct ChartFieldCaption {
    ChartField field;
    std::string_view caption;
};

inline constexpr auto ChartFieldCaptions = std::to_array<ChartFieldCaption>({
    {ChartField::Name, "Name"},
    {ChartField::Month, "Month"},
    {ChartField::Day, "Day"},
    {ChartField::Year, "Year"},
    {ChartField::Hour, "Hour"},
    {ChartField::Minute, "Minute"},
    {ChartField::TimeZone, "Time zone"},
    {ChartField::Latitude, "Latitude"},
    {ChartField::Longitude, "Longitude"},
});

constexpr std::string_view CaptionOf(ChartField field) {
    for (const ChartFieldCaption& c : ChartFieldCaptions)
        if (c.field == field) return c.caption;
    return {};
}

// The texts of the boxes as typed.
struct ChartFields {
    std::string name;
    std::string month;
    std::string day;
    std::string year;
    std::string hour;
    std::string minute;
    std::string timeZone = "UT";  // empty is UT too
    std::string latitude;         // both empty: no place
    std::string longitude;

    std::string& operator[](ChartField field);
    const std::string& operator[](ChartField field) const;
};

// The boxes of a saved chart.
ChartFields FieldsOf(const NatalChart& chart);

// A typed angle in decimal degrees: "40.7128", "-74.006", "+51.5", or with a
// hemisphere letter after it instead of the sign ("40.7128N", "74.006 W",
// either case). positive and negative are the two letters of the axis ('N',
// 'S' or 'E', 'W'). None for anything else.
std::optional<double> ParseDegrees(std::string_view text, char positive, char negative);

// The chart of the boxes, or why they do not make one: the message and the
// box where the correction starts.
struct ChartFromFields {
    std::optional<NatalChart> chart;
    std::string problem;
    std::optional<ChartField> wrongField;
};
ChartFromFields ReadChartFields(const ChartFields& fields);

struct NatalChartsFormLinks {
    CalcRequest& request;  // natalChart: the chosen chart
    MessageSink& messages;
    std::string chartFile;  // the chart file's path
};

class NatalChartsForm {
public:
    explicit NatalChartsForm(NatalChartsFormLinks links);

    // Key filter of the number boxes: Backspace and digits pass.
    static bool KeyPasses(int characterCode);

    // Reads the file again into the list; a file that cannot be read is said
    // once, with its line, and the list is empty. The chart being edited
    // stays selected when the file still has it.
    bool Load();
    const std::vector<NatalChart>& charts() const { return charts_; }
    // The list's row of the chart being edited; -1 for a new chart.
    int selected() const;
    // The saved chart of that row into the boxes.
    void Select(int row);
    // Empty boxes for a new chart (the zone UT).
    void New();

    // The boxes as typed.
    ChartFields fields;
    // After a refused Save: the box to correct.
    std::optional<ChartField> wrongField() const { return wrongField_; }

    // Checks the boxes, then adds the chart to the file or replaces the one
    // being edited. Every problem is said with a message and the boxes keep
    // what was typed. A chosen chart that is renamed stays chosen.
    bool Save();
    // The question asked before Delete; empty when no saved chart is selected.
    std::string DeleteQuestion() const;
    // Removes the selected chart from the file; the boxes empty. A chosen
    // chart that is deleted is chosen no more.
    bool Delete();
    // Makes the selected saved chart the request's chart.
    bool Choose();
    // The chosen chart as the window shows it.
    std::string ChosenText() const;

private:
    void Say(std::string_view text, MessageIcon icon);
    // The list from the file again, without a message; the file's problem.
    std::string Reread();

    NatalChartsFormLinks links_;
    std::vector<NatalChart> charts_;
    std::string editing_;  // the saved name of the chart in the boxes; empty: new
    std::optional<ChartField> wrongField_;
};

}  // namespace novarel

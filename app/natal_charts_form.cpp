#include "app/natal_charts_form.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/messages.h"
#include "core/time_zone.h"
#include "natal/chart_file.h"

namespace novarel {
namespace {

constexpr int Backspace = 8;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Correct(std::string_view sentence) {
    return std::string(sentence) + " Please correct.";
}

// The whole number of a box of digits.
std::optional<int> WholeNumber(std::string_view digits) {
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// The box where the correction of a chart that ChartProblem refuses starts:
// each part of the chart tried alone in a chart that is right otherwise, in
// the order of the boxes, so that the rules stay ChartProblem's alone.
std::optional<ChartField> FirstWrongField(const NatalChart& chart) {
    const NatalChart right{"A", CivilDate{2000, 1, 1}, 12, 0, "UT", std::nullopt};
    auto fails = [&](auto&& change) {
        NatalChart probe = right;
        change(probe);
        return !ChartProblem(probe).empty();
    };
    if (fails([&](NatalChart& p) { p.name = chart.name; })) return ChartField::Name;
    if (fails([&](NatalChart& p) { p.date.month = chart.date.month; })) return ChartField::Month;
    if (fails([&](NatalChart& p) { p.date.year = chart.date.year; })) return ChartField::Year;
    if (fails([&](NatalChart& p) { p.date = chart.date; })) return ChartField::Day;
    if (fails([&](NatalChart& p) { p.hour = chart.hour; })) return ChartField::Hour;
    if (fails([&](NatalChart& p) { p.minute = chart.minute; })) return ChartField::Minute;
    if (fails([&](NatalChart& p) { p.timeZone = chart.timeZone; })) return ChartField::TimeZone;
    if (chart.place && fails([&](NatalChart& p) {
            p.place = PlaceOnEarth{chart.place->latitude, 0};
        }))
        return ChartField::Latitude;
    if (chart.place) return ChartField::Longitude;
    return std::nullopt;
}

// The shortest text in decimals (never an exponent, which the boxes do not
// take) that reads back as the same number.
std::string DegreesText(double degrees) {
    char text[64];
    const auto [end, error] =
        std::to_chars(std::begin(text), std::end(text), degrees, std::chars_format::fixed);
    return error == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

std::string& ChartFields::operator[](ChartField field) {
    switch (field) {
        case ChartField::Name: return name;
        case ChartField::Month: return month;
        case ChartField::Day: return day;
        case ChartField::Year: return year;
        case ChartField::Hour: return hour;
        case ChartField::Minute: return minute;
        case ChartField::TimeZone: return timeZone;
        case ChartField::Latitude: return latitude;
        case ChartField::Longitude: return longitude;
    }
    return name;
}

const std::string& ChartFields::operator[](ChartField field) const {
    return const_cast<ChartFields&>(*this)[field];
}

ChartFields FieldsOf(const NatalChart& chart) {
    ChartFields f;
    f.name = chart.name;
    f.month = std::to_string(chart.date.month);
    f.day = std::to_string(chart.date.day);
    f.year = std::to_string(chart.date.year);
    f.hour = std::to_string(chart.hour);
    f.minute = fmt::format("{:02}", chart.minute);  // as a clock shows it
    f.timeZone = chart.timeZone;
    if (chart.place) {
        // A chart saved again unchanged keeps its place to the bit.
        f.latitude = DegreesText(chart.place->latitude);
        f.longitude = DegreesText(chart.place->longitude);
    }
    return f;
}

std::optional<double> ParseDegrees(std::string_view text, char positive, char negative) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    double sign = 1;
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    const bool lettered = last == positive || last == negative;
    if (lettered) {
        sign = last == negative ? -1 : 1;
        text = Trimmed(text.substr(0, text.size() - 1));
    }
    if (text.empty()) return std::nullopt;
    if (text.front() == '+' || text.front() == '-') {
        // A sign and a letter would say the hemisphere twice.
        if (lettered) return std::nullopt;
        if (text.front() == '-') sign = -1;
        text = text.substr(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(),
                                     [](char c) { return c == '.' || (c >= '0' && c <= '9'); }))
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return sign * value;
}

ChartFromFields ReadChartFields(const ChartFields& fields) {
    auto refuse = [](ChartField field, std::string message) {
        return ChartFromFields{std::nullopt, std::move(message), field};
    };
    NatalChart chart;
    chart.name = std::string(Trimmed(fields.name));
    int* numbers[] = {&chart.date.month, &chart.date.day, &chart.date.year, &chart.hour,
                      &chart.minute};
    const ChartField numberFields[] = {ChartField::Month, ChartField::Day, ChartField::Year,
                                       ChartField::Hour, ChartField::Minute};
    for (std::size_t i = 0; i < std::size(numberFields); ++i) {
        const ChartField field = numberFields[i];
        const std::string_view text = Trimmed(fields[field]);
        if (text.empty())
            return refuse(field, Correct(fmt::format("The {} box is empty.", CaptionOf(field))));
        const std::optional<int> n = WholeNumber(text);
        if (!n)
            return refuse(field, Correct(fmt::format("The {} box holds \"{}\", which is not a "
                                                     "whole number.",
                                                     CaptionOf(field), text)));
        *numbers[i] = *n;
    }
    const std::string_view zone = Trimmed(fields.timeZone);
    chart.timeZone = zone.empty() ? "UT" : std::string(zone);

    const std::string_view latitude = Trimmed(fields.latitude);
    const std::string_view longitude = Trimmed(fields.longitude);
    if (!latitude.empty() || !longitude.empty()) {
        if (latitude.empty() || longitude.empty())
            return refuse(latitude.empty() ? ChartField::Latitude : ChartField::Longitude,
                          Correct("A place needs both its latitude and its longitude; leave "
                                  "both empty for a chart without one."));
        const std::optional<double> lat = ParseDegrees(latitude, 'N', 'S');
        if (!lat)
            return refuse(ChartField::Latitude,
                          Correct(fmt::format("The latitude \"{}\" is not a number of degrees "
                                              "(40.7128, -33.87 or 33.87S).",
                                              latitude)));
        const std::optional<double> lon = ParseDegrees(longitude, 'E', 'W');
        if (!lon)
            return refuse(ChartField::Longitude,
                          Correct(fmt::format("The longitude \"{}\" is not a number of degrees "
                                              "(-74.006, 151.21 or 74.006W).",
                                              longitude)));
        chart.place = PlaceOnEarth{*lat, *lon};
    }
    if (std::string problem = ChartProblem(chart); !problem.empty())
        return ChartFromFields{std::nullopt, std::move(problem), FirstWrongField(chart)};
    return ChartFromFields{std::move(chart), {}, std::nullopt};
}

NatalChartsForm::NatalChartsForm(NatalChartsFormLinks links) : links_(std::move(links)) {}

bool NatalChartsForm::KeyPasses(int characterCode) {
    return characterCode == Backspace || (characterCode >= '0' && characterCode <= '9');
}

void NatalChartsForm::Say(std::string_view text, MessageIcon icon) {
    links_.messages.showMessage(text, msg::TitleWarning, icon);
}

bool NatalChartsForm::Load() {
    const std::string error = Reread();
    if (!error.empty()) Say(error, MessageIcon::Exclamation);
    return error.empty();
}

std::string NatalChartsForm::Reread() {
    ChartList list = ReadChartFile(links_.chartFile);
    charts_ = list.error.empty() ? std::move(list.charts) : std::vector<NatalChart>{};
    return list.error;
}

int NatalChartsForm::selected() const {
    if (editing_.empty()) return -1;
    for (std::size_t i = 0; i < charts_.size(); ++i)
        if (charts_[i].name == editing_) return static_cast<int>(i);
    return -1;
}

void NatalChartsForm::Select(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= charts_.size()) return;
    const NatalChart& chart = charts_[static_cast<std::size_t>(row)];
    editing_ = chart.name;
    fields = FieldsOf(chart);
    wrongField_.reset();
}

void NatalChartsForm::New() {
    editing_.clear();
    fields = ChartFields{};
    wrongField_.reset();
}

bool NatalChartsForm::Save() {
    ChartFromFields read = ReadChartFields(fields);
    wrongField_ = read.wrongField;
    if (!read.chart) {
        Say(read.problem, MessageIcon::Information);
        return false;
    }
    const NatalChart& chart = *read.chart;
    if (const std::string failure = SaveChart(links_.chartFile, chart, editing_);
        !failure.empty()) {
        // A name another chart has is corrected in the name box; a file
        // that cannot be read or written is no fault of the boxes.
        const bool nameTaken =
            chart.name != editing_ &&
            std::any_of(charts_.begin(), charts_.end(),
                        [&](const NatalChart& c) { return c.name == chart.name; });
        wrongField_ = nameTaken ? std::optional(ChartField::Name) : std::nullopt;
        Say(failure, MessageIcon::Exclamation);
        Reread();
        return false;
    }
    if (!editing_.empty() && links_.request.natalChart == editing_)
        links_.request.natalChart = chart.name;
    editing_ = chart.name;
    fields = FieldsOf(chart);
    Reread();
    return true;
}

std::string NatalChartsForm::DeleteQuestion() const {
    if (selected() < 0) return {};
    return "Delete the natal chart \"" + editing_ + "\"?";
}

bool NatalChartsForm::Delete() {
    if (selected() < 0) {
        Say("Select the chart to delete in the list.", MessageIcon::Information);
        return false;
    }
    if (const std::string failure = DeleteChart(links_.chartFile, editing_); !failure.empty()) {
        Say(failure, MessageIcon::Exclamation);
        Reread();
        return false;
    }
    if (links_.request.natalChart == editing_) links_.request.natalChart.clear();
    New();
    Reread();
    return true;
}

bool NatalChartsForm::Choose() {
    if (selected() < 0) {
        Say("Select a saved chart in the list to choose it.", MessageIcon::Information);
        return false;
    }
    links_.request.natalChart = editing_;
    return true;
}

std::string NatalChartsForm::ChosenText() const {
    if (links_.request.natalChart.empty()) return "Chosen chart: none";
    return "Chosen chart: " + links_.request.natalChart;
}

}  // namespace novarel

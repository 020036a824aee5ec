#include "cli/graph_command.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdio>

#include "app/export/export_records.h"
#include "app/program_folder.h"
#include "cli/console_seams.h"
#include "cli/option_checks.h"
#include "cli/request_options.h"
#include "cli/transit_options.h"
#include "core/iso_date.h"
#include "core/library_check.h"
#include "core/swe_library.h"
#include "graph/graph_data.h"
#include "natal/chart_file.h"
#include "output/data_window.h"

#ifdef NOVAREL_WITH_PDF
#include "cli/render_module.h"
#include "render/graph_book.h"
#endif

namespace novarel::cli {
namespace {

constexpr int MinWidth = 200, MinHeight = 150, MaxSide = 10000;

struct PictureSize {
    int width = 0;
    int height = 0;
};

std::optional<PictureSize> ParseSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return std::nullopt;
    PictureSize size;
    const auto number = [&](std::size_t from, std::size_t to, int& out) {
        for (std::size_t i = from; i < to; ++i)
            if (text[i] < '0' || text[i] > '9') return false;
        if (to - from > 5) return false;
        std::from_chars(text.data() + from, text.data() + to, out);
        return true;
    };
    if (!number(0, x, size.width) || !number(x + 1, text.size(), size.height)) return std::nullopt;
    if (size.width < MinWidth || size.height < MinHeight || size.width > MaxSide ||
        size.height > MaxSide)
        return std::nullopt;
    return size;
}

CLI::Validator Check(std::string (*problem)(const std::string&)) {
    return CLI::Validator([problem](std::string& value) { return problem(value); }, "");
}

int InputError(const std::string& text) {
    std::fprintf(stderr, "novarel: %s\nRun with --help for more information.\n", text.c_str());
    return 2;
}

graph::Dial DialOf(const std::string& word) {
    return word == "90"   ? graph::Dial::Quarter
           : word == "45" ? graph::Dial::Eighth
                          : graph::Dial::Full;
}

// One day short of a year after the start.
CivilDate YearAfter(const CivilDate& start) {
    return DaysAfter(NormalizeDate(CivilDate{start.year + 1, start.month, start.day}), -1);
}

// The chart of --chart from the chart file, or of --natal and --natal-tz;
// none without either. An exit status (2 input error, 1 a file that cannot be
// read) when there is no chart to be had.
struct ChosenChart {
    std::optional<NatalChart> chart;
    int status = 0;
};

ChosenChart ChartOf(const GraphOptions& o, const std::string& programFolder) {
    if (!o.chart.empty()) {
        const std::string path = ChartFilePath(programFolder);
        const ChartList list = ReadChartFile(path);
        if (!list.error.empty()) {
            std::fprintf(stderr, "novarel: --chart: %s\n", list.error.c_str());
            return {std::nullopt, 1};
        }
        if (auto chart = FindChart(list, o.chart)) return {std::move(chart), 0};
        return {std::nullopt, InputError(fmt::format("--chart '{}': {} has no chart of that name",
                                                     o.chart, path))};
    }
    if (o.natal.empty()) return {};
    const std::string& t = o.natal;
    const std::optional<BirthClock> birth = ReadBirthClock(t);
    if (!birth)
        return {std::nullopt,
                InputError(fmt::format("--natal '{}' is not a moment \"YYYY-MM-DD HH:MM\"", t))};
    NatalChart chart;
    chart.name = "natal";
    chart.date = birth->date;
    chart.hour = birth->hour;
    chart.minute = birth->minute;
    chart.timeZone = o.natalTz;
    if (const std::string problem = ChartProblem(chart); !problem.empty())
        return {std::nullopt, InputError(fmt::format("--natal '{}': {}", t, problem))};
    return {chart, 0};
}

}  // namespace

std::string GraphSizeProblem(const std::string& value) {
    if (ParseSize(value)) return {};
    return fmt::format("'{}' is not a size WIDTHxHEIGHT from {}x{} to {}x{}", value, MinWidth,
                       MinHeight, MaxSide, MaxSide);
}

void AddGraphOptions(CLI::App& cmd, GraphOptions& o) {
    cmd.add_option("--dial", o.dial,
                   "360: the zodiac with its signs; 90: the longitude mod 90, cardinal, fixed "
                   "and mutable bands; 45: mod 45, where squares, oppositions, semisquares and "
                   "sesquiquadrates are crossings (default: 360)")
        ->type_name("360|90|45")
        ->check(CLI::IsMember({"360", "90", "45"}).description(""));
    const auto day = [&cmd](const std::string& name, std::optional<CivilDate>& target,
                            const std::string& help) {
        cmd.add_option_function<std::string>(
               name, [&target](const std::string& text) { target = ParseIsoDate(text); }, help)
            ->type_name("YYYY-MM-DD")
            ->check(Check(StartDateProblem));
    };
    day("--start", o.start, "First day at Greenwich (default: today, UTC)");
    day("--end", o.end,
        "Last day; the period is 28 days to ten years (default: a year from the start)");
    cmd.add_option("--bodies", o.bodies,
                   "The paths drawn, e.g. sun,moon,mercury: sun, moon .. pluto, node, chiron, "
                   "ceres, pallas, juno, vesta, lilith (default: sun .. pluto)")
        ->type_name("LIST")
        ->check(Check(BodiesProblem));
    auto* chart = cmd.add_option("--chart", o.chart,
                                 "Draw the natal points of this chart of natal_charts.json "
                                 "in the program folder as horizontal lines")
                      ->type_name("NAME");
    auto* natal = cmd.add_option("--natal", o.natal,
                                 "Draw the natal points of a birth at this moment on the "
                                 "--natal-tz clock")
                      ->type_name("\"YYYY-MM-DD HH:MM\"");
    natal->excludes(chart);
    cmd.add_option("--natal-tz", o.natalTz,
                   "The clock of --natal: an IANA zone or UT (default: UT)")
        ->type_name("ZONE")
        ->check(Check(TimeZoneProblem))
        ->needs(natal);
    cmd.add_flag("--lunations", o.lunations,
                 "Mark the New Moons (dark) and Full Moons (light) along the top (default: off)");
    auto* png = cmd.add_option("--png", o.png, "Write a PNG image")->type_name("FILE");
    auto* svg = cmd.add_option("--svg", o.svg, "Write an SVG drawing")->type_name("FILE");
    auto* pdf = cmd.add_option("--pdf", o.pdf, "Write a one-page PDF")->type_name("FILE");
    png->excludes(svg)->excludes(pdf);
    svg->excludes(pdf);
    cmd.add_option("--size", o.size,
                   "WIDTHxHEIGHT: pixels of the PNG, points of the SVG or PDF (default: "
                   "1600x1000)")
        ->type_name("WxH")
        ->check(Check(GraphSizeProblem));
    cmd.add_option("--dir", o.dir,
                   "Program folder (default: the runtime files' folder beside the executable, or "
                   "$XDG_DATA_HOME/novarel when that is not writable)")
        ->type_name("FOLDER");
}

int RunGraphCommand(const GraphOptions& o, const std::string& programFolder) {
    graph::GraphRequest request;
    request.dial = DialOf(o.dial);
    request.first = o.start.value_or(TodayUtc());
    request.last = o.end.value_or(YearAfter(request.first));
    request.bodies = o.bodies.empty() ? graph::DefaultGraphBodies() : BodiesOf(o.bodies);
    request.lunations = o.lunations;
    for (int body : request.bodies)
        if (body > NorthNode) request.positions.extraBodies = true;
    const std::string* file = !o.png.empty() ? &o.png : !o.svg.empty() ? &o.svg : &o.pdf;
    if (file->empty()) return InputError("one of --png, --svg or --pdf names the file to write");
    if (DayBefore(request.last, request.first))
        return InputError(fmt::format("--end {} is before --start {}", IsoDateText(request.last),
                                      IsoDateText(request.first)));
    if (const std::string problem = graph::GraphRequestProblem(request); !problem.empty())
        return InputError(fmt::format("--start {} --end {}: {}", IsoDateText(request.first),
                                      IsoDateText(request.last), problem));
    const PictureSize size = *ParseSize(o.size);

    const ChosenChart chosen = ChartOf(o, programFolder);
    if (chosen.status != 0) return chosen.status;
    graph::GraphData data;
    try {
        SweLibrary library;
        library.set_ephe_path(EphemerisPathFor(programFolder));
        std::vector<NatalPoint> natal;
        if (chosen.chart)
            natal = ComputeNatalPoints(*chosen.chart, request.positions, library).points;
        data = graph::ComputeGraph(request, natal, library);
    } catch (const LibraryError& e) {
        std::fprintf(stderr, "novarel: %s\n", e.what());
        return 1;
    } catch (const std::invalid_argument& e) {
        return InputError(fmt::format("--chart '{}': {}", o.chart, e.what()));
    }
#ifdef NOVAREL_WITH_PDF
    const char* option = !o.png.empty() ? "--png" : !o.svg.empty() ? "--svg" : "--pdf";
    const auto write = reinterpret_cast<render::GraphModuleEntryFunction>(
        RenderModuleEntry(option, render::GraphModuleEntry));
    if (write == nullptr) return 1;
    StderrMessages messages;
    render::GraphFileRequest fileRequest;
    fileRequest.path = *file;
    fileRequest.format = !o.png.empty()   ? render::GraphFileFormat::Png
                         : !o.svg.empty() ? render::GraphFileFormat::Svg
                                          : render::GraphFileFormat::Pdf;
    fileRequest.width = size.width;
    fileRequest.height = size.height;
    fileRequest.fontFiles = RuntimeFilePlaces(programFolder, GlyphFontFile);
    fileRequest.data = &data;
    fileRequest.messages = &messages;
    return write(fileRequest) ? 0 : 1;
#else
    (void)size;
    std::fprintf(stderr, "novarel: %s: this novarel was built without Qt's drawing.\n",
                 file->c_str());
    return 1;
#endif
}

}  // namespace novarel::cli

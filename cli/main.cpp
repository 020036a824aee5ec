// novarel: the ephemeris and the aspectarian on the command line. Stdout is
// the text the Data window would show; messages go to stderr.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdio>
#include <memory>

#include "app/date_order.h"
#include "app/program.h"
#include "app/program_folder.h"
#include "cli/commands.h"
#include "cli/console_seams.h"
#include "core/glyphs.h"
#include "core/swe_library.h"

int main(int argc, char** argv) {
    using namespace novarel;
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");  // numbers are always written with "."

    CLI::App app{"Novarel_SE 2.00: daily ephemeris and aspectarian at Greenwich"};
    app.set_version_flag("--version", "novarel (Novarel_SE) 2.00");
    app.require_subcommand(1);
    cli::CommandOptions options;
    auto* eph = app.add_subcommand("ephemeris", "Daily ephemeris of the eleven bodies");
    cli::AddRequestOptions(*eph, options);
    eph->add_option("--view", options.view,
                    "Table shown: longitude, declination, latitude or ra (default: longitude)")
        ->check(CLI::IsMember({"longitude", "declination", "latitude", "ra"}));
    auto* asp = app.add_subcommand("aspectarian",
                                   "Aspects, ingresses, stations and lunations to the minute");
    cli::AddRequestOptions(*asp, options);
    asp->add_flag("--stations", options.stations, "Then list the retrograde station times");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? 0 : 2;
    }

    cli::StderrMessages messages;
    cli::QuietProgress progress;
    cli::CapturedView view;
    cli::NoWindows windows;
    const ProgramFolder folder = ChooseProgramFolder(options.dir);
    if (!folder.error.empty()) {
        std::fprintf(stderr, "Warning!: %s\n", folder.error.c_str());
        return 1;
    }
    const std::string& dir = folder.path;
    Program program(dir, std::make_unique<SweLibrary>(),
                    ProgramSeams{messages, progress, view, windows},
                    LocaleNames::FromCurrentLocale());
    program.InitialiseLibraryAndOptions();
    program.state.DateOrder =
        options.dateOrder ? static_cast<std::int16_t>(*options.dateOrder) : DetectDateOrder("");

    std::string usage;
    if (!cli::ApplyRequestOptions(options, program.request, usage)) {
        std::fprintf(stderr, "%s\nRun with --help for more information.\n", usage.c_str());
        return 2;
    }
    const int rc = eph->parsed() ? cli::RunEphemerisCommand(program, options)
                                 : cli::RunAspectarianCommand(program, options);
    const std::string& text = view.text();
    if (options.encoding == "cp1252") {
        std::fwrite(text.data(), 1, text.size(), stdout);
    } else {
        const std::string utf8 = glyph::TextToUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    }
    return rc;
}

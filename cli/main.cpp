// novarel: the ephemeris and the aspectarian on the command line. Stdout is
// the text the Data window would show; messages go to stderr.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <iostream>
#include <memory>

#include "app/program_folder.h"
#include "cli/commands.h"
#include "cli/console_seams.h"
#include "cli/graph_command.h"
#include "cli/help_format.h"
#include "cli/pdf_output.h"
#include "cli/period_runs.h"
#include "cli/standard_output.h"
#include "cli/transit_options.h"
#include "cli/version_text.h"
#include "core/swe_library.h"

namespace {

constexpr const char* Commands[] = {"ephemeris", "aspectarian", "transits", "graph"};

// The first word when it looks like a command but is none of ours.
std::string UnknownCommand(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-' || argv[1][0] == '\0') return {};
    for (const char* c : Commands)
        if (std::string_view(argv[1]) == c) return {};
    return argv[1];
}

}  // namespace

int main(int argc, char** argv) {
    using namespace novarel;
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");  // numbers are always written with "."

    // Usage lines and the manual name the program, not the path it was started by.
    CLI::App app{"Novarel_SE 2.00: daily ephemeris and aspectarian at Greenwich", "novarel"};
    // The library and the ephemeris folder of the program folder the run would use.
    const auto versionText = [argc, argv] {
        SweLibrary library;
        return cli::VersionText(library, ChooseProgramFolder(cli::DirArgument(argc, argv)).path);
    };
    app.set_version_flag("--version", versionText);
    app.require_subcommand(1);
    app.formatter(std::make_shared<cli::OnePerLineFormatter>());
    app.failure_message([](const CLI::App* failed, const CLI::Error& e) {
        return "novarel: " + CLI::FailureMessage::simple(failed, e);
    });
    cli::CommandOptions options;
    auto* eph = app.add_subcommand("ephemeris", "Daily ephemeris of the eleven bodies");
    cli::AddRequestOptions(*eph, options);
    cli::AddViewOption(*eph, options);
    cli::AddAsteroidsOption(*eph, options, false);
    cli::AddAspectarianOptions(*eph, options, true);
    cli::AddExportOptions(*eph, options, false);
    eph->set_version_flag("--version", versionText);
    const std::string pdfHelp =
        "Print the data as \"Print data\" prints them, into this PDF file, instead of stdout";
    eph->add_option("--pdf", options.pdf, pdfHelp)->type_name("FILE");
    auto* asp = app.add_subcommand("aspectarian",
                                   "Aspects, ingresses, stations and lunations to the minute");
    cli::AddRequestOptions(*asp, options);
    cli::AddAspectarianOptions(*asp, options, false);
    cli::AddAsteroidsOption(*asp, options, true);
    cli::AddExportOptions(*asp, options, true);
    asp->set_version_flag("--version", versionText);
    asp->add_option("--pdf", options.pdf, pdfHelp)->type_name("FILE");
    auto* trn = app.add_subcommand(
        "transits", "Aspects of the moving bodies to a natal chart, ingresses and stations");
    cli::AddRequestOptions(*trn, options);
    cli::AddTransitOptions(*trn, options);
    cli::AddAsteroidsOption(*trn, options, true);
    cli::AddExportOptions(*trn, options, true);
    trn->get_option("--kinds")->description(
        "csv, json, ics: only these kinds of event: aspect, ingress, station (default: all)");
    trn->set_version_flag("--version", versionText);
    trn->add_option("--pdf", options.pdf, pdfHelp)->type_name("FILE");
    cli::GraphOptions graphOptions;
    auto* graph = app.add_subcommand(
        "graph", "Graphic ephemeris: the bodies' longitudes over a period on a dial, as a file");
    cli::AddGraphOptions(*graph, graphOptions);
    graph->set_version_flag("--version", versionText);

    if (const std::string unknown = UnknownCommand(argc, argv); !unknown.empty()) {
        std::fprintf(stderr,
                     "novarel: unknown command '%s'; the commands are ephemeris, "
                     "aspectarian, transits and graph.\nRun with --help for more information.\n",
                     unknown.c_str());
        return 2;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        if (rc != 0) return 2;
        // --help and --version went to std::cout: their writes count too.
        std::cout.flush();
        if (!std::cout || std::fflush(stdout) != 0) {
            cli::ReportOutputFailure(errno != 0 ? errno : EIO);
            return 1;
        }
        return 0;
    }
    if (graph->parsed()) {
        const ProgramFolder folder = ChooseProgramFolder(graphOptions.dir);
        if (!folder.error.empty()) {
            std::fprintf(stderr, "novarel: Warning!: %s\n", folder.error.c_str());
            return 1;
        }
        return cli::RunGraphCommand(graphOptions, folder.path);
    }
    options.transits = trn->parsed();
    std::string problem = eph->parsed()      ? cli::MisplacedAspectarianOption(*eph)
                          : options.transits ? cli::TransitOptionsProblem(options)
                                             : "";
    const CLI::App& command = eph->parsed() ? *eph : options.transits ? *trn : *asp;
    if (problem.empty()) problem = cli::IdleOptionProblem(command, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "novarel: %s\nRun with --help for more information.\n",
                     problem.c_str());
        return 2;
    }
    if (!cli::StandardOutputOpen()) {
        cli::ReportOutputFailure(EBADF);
        return 1;
    }

    const ProgramFolder folder = ChooseProgramFolder(options.dir);
    if (!folder.error.empty()) {
        std::fprintf(stderr, "novarel: Warning!: %s\n", folder.error.c_str());
        return 1;
    }
    return cli::RunCommand(options, eph->parsed(), folder.path, cli::PrintPdfBook);
}

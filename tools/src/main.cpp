// eventconfig: checks, summarises and dumps EventConfig.xml configurations
// exactly as the EventConfig library reads them.

#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdio>
#include <map>
#include <string>

#include "Commands.h"
#include "Graph.h"
#include "Schema.h"
#include "lsp/Server.h"

#ifndef EVENTCONFIG_TOOL_VERSION
#define EVENTCONFIG_TOOL_VERSION "0"
#endif

int main(int argc, char** argv) {
    // The library never changes the locale; the tool keeps the default one
    // too, so that lower-casing matches what the engine gets.
    ectool::Options options;
    std::string color = "auto";
    CLI::App app{
        "Checks, summarises and dumps EventConfig.xml configurations as the EventConfig library "
        "reads them."};
    app.set_version_flag("--version", std::string("eventconfig ") + EVENTCONFIG_TOOL_VERSION);
    app.add_option("--color", color,
                   "Colour the output: auto (only on a terminal), always or never")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->capture_default_str();
    app.require_subcommand(1);
    app.fallthrough();
    app.footer(
        "Exit codes of check: 0 clean, 1 warnings only, 2 errors, 3 the file cannot be read; 4 a "
        "usage error.\n"
        "Without FILE the file the library would load is used: ../EventConfig/EventConfig.xml "
        "beside this program.");

    const std::string fileHelp = "The configuration file (default: the one the library would load)";
    CLI::App* check = app.add_subcommand(
        "check", "Report what the library will silently do wrong with a configuration");
    check->add_option("FILE", options.file, fileHelp);
    CLI::App* summary =
        app.add_subcommand("summary", "Counts per protocol, with load time and memory");
    summary->add_option("FILE", options.file, fileHelp);
    CLI::App* dump = app.add_subcommand(
        "dump", "The whole model: every object with its class, type id and getters");
    dump->add_option("FILE", options.file, fileHelp);
    dump->add_option("--protocol", options.protocol, "Only the protocol with this ProtocolType");
    dump->add_option("--format", options.format,
                     "json (see docs/dump-schema.json) or text (an indented tree)")
        ->check(CLI::IsMember({"json", "text"}))
        ->capture_default_str();
    CLI::App* kinds = app.add_subcommand(
        "kinds", "Every operation and action type id with its class and XML shape");
    ectool::GraphCommand graph(app, options);
    std::string schemaFormat = "rng";
    CLI::App* schema = app.add_subcommand(
        "schema", "The file's layout as a RELAX NG or XML Schema, for XML editors");
    schema->add_option("--format", schemaFormat, "rng (RELAX NG) or xsd (XML Schema 1.0)")
        ->check(CLI::IsMember({"rng", "xsd"}))
        ->capture_default_str();
    CLI::App* lsp =
        app.add_subcommand("lsp", "A language server on standard input and output, for editors");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int code = app.exit(e);
        return code == 0 ? 0 : ectool::kUsage;
    }
    static const std::map<std::string, ectool::ColorMode> modes = {
        {"auto", ectool::ColorMode::Auto},
        {"always", ectool::ColorMode::Always},
        {"never", ectool::ColorMode::Never}};
    options.color = modes.at(color);
    options.hasProtocol = dump->count("--protocol") > 0;
    if (options.file.empty()) options.file = ectool::DefaultFile();
    if (check->parsed()) return ectool::RunCheck(options);
    if (summary->parsed()) return ectool::RunSummary(options);
    if (dump->parsed()) return ectool::RunDump(options);
    if (kinds->parsed()) return ectool::RunKinds(options);
    if (graph.Parsed()) return graph.Run(options);
    if (schema->parsed()) {
        options.format = schemaFormat;
        return ectool::RunSchema(options);
    }
    if (lsp->parsed()) return ectool::lsp::RunServer();
    return ectool::kUsage;
}

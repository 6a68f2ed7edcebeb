// eventconfig: checks, summarises and dumps EventConfig.xml configurations
// exactly as the EventConfig library reads them.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Commands.h"
#include "Graph.h"
#include "Text.h"
#include "Schema.h"
#include "lsp/Server.h"

#ifndef EVENTCONFIG_TOOL_VERSION
#define EVENTCONFIG_TOOL_VERSION "0"
#endif

namespace {

const char* const kVersion = "eventconfig " EVENTCONFIG_TOOL_VERSION;

std::string Nearest(const std::string& name, const std::vector<std::string>& names) {
    std::vector<std::wstring> wide;
    for (const std::string& n : names) wide.push_back(ectool::Widen(n));
    return ectool::Utf8(ectool::NearestName(ectool::Widen(name), wide));
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "eventconfig: %s\nRun 'eventconfig help' for the subcommands.\n",
                 message.c_str());
    return ectool::kUsage;
}

// "--protcol" -> "did you mean '--protocol'?", among the options of the
// subcommand that was being parsed.
std::string OptionHint(const CLI::App& app, const std::string& arg) {
    std::string name = arg.substr(0, arg.find('='));
    std::vector<std::string> names;
    const CLI::App* scope = &app;
    for (const CLI::App* sub : app.get_subcommands()) scope = sub;
    for (const CLI::App* level : {&app, scope})
        for (const CLI::Option* option : level->get_options()) {
            for (const std::string& n : option->get_lnames()) names.push_back("--" + n);
            for (const std::string& n : option->get_snames()) names.push_back("-" + n);
        }
    std::string nearest = Nearest(name, names);
    return nearest.empty() ? std::string() : "; did you mean '" + nearest + "'?";
}

}  // namespace

int main(int argc, char** argv) {
    // The library never changes the locale; the tool keeps the default one
    // too, so that lower-casing matches what the engine gets.
    ectool::Options options;
    std::string color = "auto";
    CLI::App app{
        "Checks, summarises and dumps EventConfig.xml configurations as the EventConfig library "
        "reads them."};
    app.set_version_flag("--version", kVersion);
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
    const std::string filesHelp =
        "The configuration files, \"-\" for standard input (default: the one the library would "
        "load)";
    check->add_option("FILE", options.files, filesHelp);
    CLI::App* summary =
        app.add_subcommand("summary", "Counts per protocol, with load time and memory");
    summary->add_option("FILE", options.files, filesHelp);
    CLI::App* dump = app.add_subcommand(
        "dump", "The whole model: every object with its class, type id and getters");
    dump->add_option("FILE", options.file, fileHelp);
    dump->add_option("--protocol", options.protocol, "Only the protocol with this ProtocolType");
    dump->add_option("--format", options.format,
                     "json (see docs/dump-schema.json) or text (an indented tree)")
        ->check(CLI::IsMember({"json", "text"}))
        ->capture_default_str();
    dump->add_flag("--no-path", options.noPath,
                   "Leave the file's path out, so that dumps of two versions diff cleanly");
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
    CLI::App* help = app.add_subcommand("help", "This text, or a subcommand's: help SUBCOMMAND");
    std::string helpTopic;
    help->add_option("SUBCOMMAND", helpTopic, "The subcommand to explain");
    CLI::App* version = app.add_subcommand("version", "The tool's version");

    // The first word that is not an option names the subcommand; a near miss
    // gets a suggestion instead of "a subcommand is required".
    std::vector<std::string> subcommands;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        subcommands.push_back(sub->get_name());
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--color") {
            ++i;
            continue;
        }
        if (!arg.empty() && arg[0] == '-') continue;
        if (std::find(subcommands.begin(), subcommands.end(), arg) != subcommands.end()) break;
        std::string nearest = Nearest(arg, subcommands);
        return UsageError("unknown subcommand '" + arg + "'" +
                          (nearest.empty() ? std::string() : "; did you mean '" + nearest + "'?"));
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ExtrasError& e) {
        std::string hint;
        for (int i = 1; i < argc && hint.empty(); ++i)
            if (argv[i][0] == '-' && std::string(e.what()).find(argv[i]) != std::string::npos)
                hint = OptionHint(app, argv[i]);
        return UsageError(std::string(e.what()) + hint);
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
    if (help->parsed()) {
        if (helpTopic.empty()) {
            // The app's own text: app.help() would explain "help" itself.
            std::printf("%s", app.get_formatter()
                                  ->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal)
                                  .c_str());
            return ectool::kClean;
        }
        for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
            if (sub->get_name() == helpTopic) {
                std::printf("%s", sub->help().c_str());
                return ectool::kClean;
            }
        std::string nearest = Nearest(helpTopic, subcommands);
        return UsageError("unknown subcommand '" + helpTopic + "'" +
                          (nearest.empty() ? std::string() : "; did you mean '" + nearest + "'?"));
    }
    if (version->parsed()) {
        std::printf("%s\n", kVersion);
        return ectool::kClean;
    }
    if (check->parsed()) return ectool::ForEachFile(options, ectool::RunCheck);
    if (summary->parsed()) return ectool::ForEachFile(options, ectool::RunSummary);
    if (options.file.empty()) options.file = ectool::DefaultFile();
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

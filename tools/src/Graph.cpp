#include "Graph.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "GraphInternal.h"
#include "Loaded.h"
#include "Text.h"
#include "View.h"
#include "eventconfig/EventConfig.h"

extern char** environ;

namespace ectool {

namespace {

std::string IdList(const std::vector<int>& ids) {
    std::string out;
    for (std::size_t i = 0; i < ids.size(); ++i) out += (i ? ", " : "") + Str(ids[i]);
    return out.empty() ? "none" : out;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "eventconfig graph: %s\n", message.c_str());
    return kErrors;
}

int WriteText(const std::string& text, const std::string& output) {
    if (output.empty() || output == "-") {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? kClean : Fail("cannot write to standard output");
    }
    std::ofstream out(output, std::ios::binary);
    out << text;
    out.close();
    return out ? kClean : Fail("cannot write " + output);
}

// Renders with Graphviz's dot, the DOT text on its standard input.
int Render(const std::string& text, const std::string& format, const std::string& output) {
    int fds[2];
    if (pipe(fds) != 0) return Fail(std::string("cannot start dot: ") + std::strerror(errno));
    std::vector<std::string> args = {"dot", "-T" + format};
    if (!output.empty() && output != "-") args.insert(args.end(), {"-o", output});
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::fflush(stdout);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, "dot", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (rc != 0) {
        close(fds[1]);
        if (rc == ENOENT)
            return Fail("--format " + format +
                        " needs Graphviz's \"dot\" program, which is not on PATH; install "
                        "Graphviz (Debian: apt-get install graphviz, or make deps) or use "
                        "--format dot");
        return Fail(std::string("cannot start dot: ") + std::strerror(rc));
    }
    // A dot that dies early must not kill the tool with SIGPIPE.
    void (*previous)(int) = std::signal(SIGPIPE, SIG_IGN);
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fds[1], text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    close(fds[1]);
    std::signal(SIGPIPE, previous);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Fail("dot failed" + (WIFEXITED(status) ? " (exit " + Str(WEXITSTATUS(status)) + ")"
                                                      : std::string(" (killed)")));
    return kClean;
}

}  // namespace

bool GraphDot(Loaded& loaded, const GraphRequest& request, std::string& text, std::string& error) {
    std::vector<Finding> findings = CheckFile(loaded);
    loaded.BuildModels();
    std::vector<LoadedProtocol>& protocols = loaded.Protocols();
    std::vector<int> types;
    for (const LoadedProtocol& p : protocols) types.push_back(p.type);
    LoadedProtocol* chosen = nullptr;
    for (LoadedProtocol& p : protocols)
        if (!request.hasProtocol || p.type == request.protocol) {
            chosen = &p;
            break;
        }
    if (!chosen) {
        error = protocols.empty() ? "the file defines no protocol"
                                  : "the file has no protocol " + Str(request.protocol) +
                                        " (its protocols: " + IdList(types) + ")";
        return false;
    }
    const auto& systems = chosen->model->GetSysStateConfigList();
    if (request.hasSystemState && !systems.count(request.systemState)) {
        std::vector<int> ids;
        for (const auto& entry : systems) ids.push_back(entry.first);
        error = "protocol " + Str(chosen->type) + " has no system state " +
                Str(request.systemState) + " (its system states: " + IdList(ids) + ")";
        return false;
    }
    text = dot::Write(Builder(loaded, *chosen, findings).Build(request));
    return true;
}

GraphCommand::GraphCommand(CLI::App& app, Options& options) {
    m_command = app.add_subcommand(
        "graph", "One protocol's state machine as a Graphviz drawing (dot, svg or png)");
    m_command->add_option("FILE", options.file,
                          "The configuration file (default: the one the library would load)");
    m_command->add_option("--protocol", m_request.protocol,
                          "The protocol's ProtocolType (default: the file's first protocol)");
    m_command->add_option("--system-state", m_request.systemState,
                          "Only this system state, the special states tied to it and its "
                          "neighbours");
    m_command
        ->add_option("--format", m_format,
                     "dot (written by the tool), svg or png (rendered by Graphviz's dot)")
        ->check(CLI::IsMember({"dot", "svg", "png"}))
        ->capture_default_str();
    m_command->add_option("-o,--output", m_output, "The file to write (default: standard output)");
    m_command->footer(
        "Red: references the check reports dangling. Bold: event states that start active. "
        "Dashed: actions of a FALSE result.\n"
        "Exit codes: 0 drawn, 2 the drawing cannot be made (Graphviz missing or failing, output "
        "not writable), 3 the file cannot be read, 4 no such protocol or system state.");
}

bool GraphCommand::Parsed() const {
    return m_command->parsed();
}

int GraphCommand::Run(const Options& options) const {
    Loaded loaded(options.file);
    if (!loaded.Readable()) return Unreadable(loaded, options);
    if (ReportXmlErrors(loaded, CheckFile(loaded), options, "graph")) return kErrors;
    GraphRequest request = m_request;
    request.hasProtocol = m_command->count("--protocol") > 0;
    request.hasSystemState = m_command->count("--system-state") > 0;
    std::string text, error;
    if (!GraphDot(loaded, request, text, error)) {
        std::fprintf(stderr, "eventconfig graph: %s\n", error.c_str());
        return kUsage;
    }
    if (m_format == "dot") return WriteText(text, m_output);
    // A picture's bytes would only garble a terminal.
    if (m_format == "png" && (m_output.empty() || m_output == "-") && isatty(STDOUT_FILENO)) {
        std::fprintf(stderr,
                     "eventconfig graph: --format png writes binary data; give -o FILE.png or "
                     "redirect standard output to a file\n");
        return kUsage;
    }
    return Render(text, m_format, m_output);
}

}  // namespace ectool

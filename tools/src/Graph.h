#pragma once

// eventconfig graph: one protocol's state machine as a Graphviz drawing.
// System states are clusters holding their waiting event states; the edges
// are the actions that move the machine; raised events are notes; what the
// check finds dangling is red.

#include <string>

#include "Commands.h"

namespace CLI {
class App;
}

namespace ectool {

class Loaded;

struct GraphRequest {
    bool hasProtocol = false;  // without it: the file's first protocol
    int protocol = 0;
    bool hasSystemState = false;  // with it: that system state and its neighbours
    int systemState = 0;
};

// The DOT text for a loaded file (checked and built here). False, with the
// reason in error, when the protocol or system state asked for is not there.
bool GraphDot(Loaded& loaded, const GraphRequest& request, std::string& dot, std::string& error);

// The "graph" subcommand: registered before parsing, run after it.
class GraphCommand {
public:
    GraphCommand(CLI::App& app, Options& options);
    bool Parsed() const;
    int Run(const Options& options) const;

private:
    CLI::App* m_command;
    GraphRequest m_request;
    std::string m_format = "dot";
    std::string m_output;
};

}  // namespace ectool

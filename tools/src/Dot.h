#pragma once

// A Graphviz DOT document as plain data, and its writer. Everything is
// quoted and escaped here, so the names of a configuration (quotes,
// backslashes, line breaks, any script) reach Graphviz as they stand.

#include <string>
#include <utility>
#include <vector>

namespace ectool {
namespace dot {

// Attributes in the order they are written.
typedef std::vector<std::pair<std::string, std::string>> Attrs;

struct Node {
    std::string id;
    Attrs attrs;
};

struct Edge {
    std::string from;
    std::string to;
    Attrs attrs;
};

struct Cluster {
    std::string id;  // written with the "cluster_" prefix Graphviz wants
    Attrs attrs;
    std::vector<Node> nodes;
};

struct Graph {
    std::string name;
    Attrs graph, node, edge;  // graph attributes and node and edge defaults
    std::vector<Cluster> clusters;
    std::vector<Node> nodes;  // outside every cluster
    std::vector<Edge> edges;
};

// A DOT quoted string of UTF-8 text: a line feed becomes a centred line
// break; quotes and backslashes are escaped so that Graphviz's own escapes
// (\N, \l, ...) never fire; other control characters become U+FFFD.
std::string Quote(const std::string& text);

std::string Write(const Graph& graph);

}  // namespace dot
}  // namespace ectool

#include "Dot.h"

namespace ectool {
namespace dot {

std::string Quote(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            // Part of a CR LF pair, or a stray one: no second line break.
        } else if (c == '\t') {
            out += ' ';
        } else if (u < 0x20 || u == 0x7F) {
            out += "\xEF\xBF\xBD";
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

namespace {

// Each attribute once, where it first stands, with the value set last:
// builders may restyle what they made (a red line, a greyed cluster).
void AttrList(std::string& out, const Attrs& attrs) {
    if (attrs.empty()) return;
    out += " [";
    bool first = true;
    for (std::size_t i = 0; i < attrs.size(); ++i) {
        bool seen = false;
        for (std::size_t j = 0; j < i && !seen; ++j) seen = attrs[j].first == attrs[i].first;
        if (seen) continue;
        std::size_t last = i;
        for (std::size_t j = i + 1; j < attrs.size(); ++j)
            if (attrs[j].first == attrs[i].first) last = j;
        if (!first) out += ", ";
        first = false;
        out += attrs[i].first;
        out += '=';
        out += Quote(attrs[last].second);
    }
    out += ']';
}

void Statement(std::string& out, const char* indent, const std::string& head, const Attrs& attrs) {
    out += indent;
    out += head;
    AttrList(out, attrs);
    out += ";\n";
}

}  // namespace

std::string Write(const Graph& graph) {
    std::string out = "digraph " + Quote(graph.name) + " {\n";
    if (!graph.graph.empty()) Statement(out, "  ", "graph", graph.graph);
    if (!graph.node.empty()) Statement(out, "  ", "node", graph.node);
    if (!graph.edge.empty()) Statement(out, "  ", "edge", graph.edge);
    for (const Cluster& cluster : graph.clusters) {
        out += "  subgraph " + Quote("cluster_" + cluster.id) + " {\n";
        if (!cluster.attrs.empty()) Statement(out, "    ", "graph", cluster.attrs);
        for (const Node& node : cluster.nodes) Statement(out, "    ", Quote(node.id), node.attrs);
        out += "  }\n";
    }
    for (const Node& node : graph.nodes) Statement(out, "  ", Quote(node.id), node.attrs);
    for (const Edge& edge : graph.edges)
        Statement(out, "  ", Quote(edge.from) + " -> " + Quote(edge.to), edge.attrs);
    out += "}\n";
    return out;
}

}  // namespace dot
}  // namespace ectool

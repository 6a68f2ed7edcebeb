#include "GraphInternal.h"
#include "Text.h"

namespace ectool {

dot::Graph Builder::Build(const GraphRequest& request) {
    const auto& systems = m_model.GetSysStateConfigList();
    Collect();
    std::vector<bool> keep, focused;
    Select(request, keep, focused);
    auto kept = [&](const std::string& id) { return keep[m_nodeIndex[id]]; };

    dot::Graph g;
    std::string title = "protocol " + Str(m_protocol.type);
    if (m_protocol.node >= 0) title += " " + Utf8(m_loaded.Tree().At(m_protocol.node).tag);
    if (request.hasSystemState) title += ", system state " + Str(request.systemState);
    g.name = title;
    // The key, so that a picture needs no README beside it.
    const std::string key =
        "bold: starts active   dashed: FALSE result   black: to event states   green: "
        "activates   blue: to a system state   purple: protocol switch   red: dangling";
    g.graph = {{"label", title + "\n" + key},
               {"labelloc", "t"},
               {"labeljust", "l"},
               {"fontname", "Helvetica"},
               {"fontsize", "13"},
               {"rankdir", "LR"},
               {"compound", "true"},
               {"newrank", "true"},
               {"nodesep", "0.3"},
               {"ranksep", "0.6"},
               {"charset", "UTF-8"}};
    g.node = {{"shape", "box"},
              {"style", "rounded,filled"},
              {"fillcolor", "white"},
              {"fontname", "Helvetica"},
              {"fontsize", "10"}};
    g.edge = {{"fontname", "Helvetica"}, {"fontsize", "8"}, {"arrowsize", "0.7"}};

    auto nodesOf = [&](int owner) {
        std::vector<dot::Node> out;
        for (std::size_t i = 0; i < m_nodes.size(); ++i)
            if (m_nodes[i].owner == owner && keep[i])
                out.push_back({m_nodes[i].id, m_nodes[i].attrs});
        return out;
    };
    for (const auto& entry : systems) {
        std::vector<dot::Node> nodes = nodesOf(entry.first);
        if (nodes.empty()) continue;
        std::string label = "system state " + Str(entry.first);
        std::string name = Utf8(entry.second->GetSystemStateName());
        if (!name.empty()) label += "\n" + name;
        dot::Attrs attrs = {{"label", label},
                            {"style", "rounded,filled"},
                            {"fillcolor", "#eef3f8"},
                            {"color", "#90a4ae"},
                            {"fontsize", "12"}};
        if (request.hasSystemState && entry.first != request.systemState)
            attrs.push_back({"fillcolor", "#f5f5f5"});
        g.clusters.push_back({"s" + Str(entry.first), attrs, nodes});
    }
    std::vector<dot::Node> special = nodesOf(kSpecial);
    if (!special.empty())
        g.clusters.push_back({"special",
                              {{"label", "special event states"},
                               {"style", "rounded,filled,dashed"},
                               {"fillcolor", "#fdf6ec"},
                               {"color", "#bcaaa4"},
                               {"fontsize", "12"}},
                              special});
    g.nodes = nodesOf(kOutside);
    // Lines between two neighbours are not about the system state asked for.
    for (const GEdge& e : m_edges)
        if (kept(e.from) && kept(e.to) &&
            (e.weak || !request.hasSystemState || focused[m_nodeIndex[e.from]] ||
             focused[m_nodeIndex[e.to]]))
            g.edges.push_back({e.from, e.to, e.attrs});
    return g;
}

}  // namespace ectool
